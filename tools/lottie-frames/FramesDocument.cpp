#include "tools/lottie-frames/FramesDocument.h"

#include <filesystem>
#include <stdexcept>

#include "Lottie/DotLottie/DotLottieFile.h"
#include "Lottie/Playback/LottieConfiguration.h"
#include "Lottie/Playback/Providers/FilepathImageProvider.h"
#include "Platform/Json/JsonParser.h"
#include "Platform/Foundation/Files.h"

namespace lottieframes {

bool FramesDocument::isPackage(const std::string& file, std::string_view bytes) {
    return std::filesystem::path(file).extension() == ".lottie" || bytes.starts_with("PK\x03\x04");
}

FramesDocument FramesDocument::load(const FramesOptions& options) {
    // Room for the JSON parser's padding, so that a document is parsed where it lies.
    platform::foundation::Data data = platform::foundation::readFile(options.file, platform::json::parserPadding);
    const std::string_view bytes(reinterpret_cast<const char*>(data.data()), data.size());
    FramesDocument document;
    if (!isPackage(options.file, bytes)) {
        if (options.animationId) throw std::invalid_argument("--animation is for dotLottie packages only");
        document.animation = lottie::LottieAnimation::fromData(bytes, options.strategy, data.capacity() - data.size());
        document.images = std::make_shared<lottie::FilepathImageProvider>(
            std::filesystem::path(options.file).parent_path(), platform::compositor::ContentsGravity::resize);
        return document;
    }
    // A package's animations decode with the shared configuration's strategy.
    lottie::LottieConfiguration configuration = lottie::LottieConfiguration::shared();
    configuration.decodingStrategy = options.strategy;
    lottie::LottieConfiguration::setShared(configuration);
    // The package keeps its bytes, held once.
    const auto file = lottie::DotLottieFile::load(std::move(data), options.file);
    document.animation = file->animation(options.animationId).decodedAnimation();
    document.images = file->imageProvider();
    document.animationIds.emplace();
    for (const auto& entry : file->animations()) document.animationIds->push_back(entry.configuration.id);
    return document;
}

}  // namespace lottieframes
