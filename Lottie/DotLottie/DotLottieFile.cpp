#include "Lottie/DotLottie/DotLottieFile.h"

#include <cerrno>
#include <fstream>
#include <system_error>

#include "Lottie/DotLottie/DotLottieError.h"
#include "Lottie/DotLottie/DotLottieManifest.h"
#include "Lottie/DotLottie/DotLottieTemporaryFolder.h"
#include "Lottie/DotLottie/PackageFiles.h"
#include "Lottie/DotLottie/Zip/Unzipper.h"
#include "Lottie/Playback/LottieConfiguration.h"

namespace lottie {

namespace {

namespace fs = std::filesystem;

std::string_view textOf(const platform::foundation::Data& data) {
    return {reinterpret_cast<const char*>(data.data()), data.size()};
}

void writeArchive(const fs::path& path, const platform::foundation::Data& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out) out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    if (out) out.flush();
    if (!out) {
        throw fs::filesystem_error("cannot write the package to a temporary file", path,
                                   std::error_code(errno ? errno : EIO, std::generic_category()));
    }
}

// Every animation id is checked before anything is read for any of them.
void checkAnimationIds(const DotLottieManifest& manifest) {
    for (const DotLottieAnimation& animation : manifest.animations) DotLottieFile::checkAnimationId(animation.id);
}

DotLottieContents loadContents(const fs::path& package) {
    const DotLottieManifest manifest = DotLottieManifest::fromData(textOf(packagefiles::read(package, "manifest.json")));
    checkAnimationIds(manifest);
    const bool shortNames = manifest.usesShortFolderNames();
    DotLottieContents contents;
    contents.imageProvider = DotLottieImageProvider::make(package, shortNames ? "i" : "images");
    const fs::path animationFolder = shortNames ? "a" : "animations";
    for (const DotLottieAnimation& entry : manifest.animations) {
        const platform::foundation::Data bytes = packagefiles::read(package, animationFolder / (entry.id + ".json"));
        // The shared configuration's strategy is read afresh for each animation.
        auto animation = LottieAnimation::fromData(textOf(bytes), LottieConfiguration::shared().decodingStrategy);
        contents.animations.push_back({std::move(animation), DotLottieConfiguration::make(entry, contents.imageProvider)});
    }
    return contents;
}

}  // namespace

std::shared_ptr<const DotLottieFile> DotLottieFile::load(const platform::foundation::Data& data,
                                                         const std::string& filename, const LoadOptions& options) {
    const std::string base = baseName(filename);
    // Removed on every way out of this function, with the archive copy in it.
    const DotLottieTemporaryFolder folder(options.temporaryDirectory.value_or(fs::temp_directory_path()));
    const fs::path archive = folder.path() / (base + ".lottie");
    const fs::path package = folder.path() / base;
    writeArchive(archive, data);
    UnzipOptions unzip;
    unzip.limits = options.limits;
    Unzipper::extractArchive(archive, package, unzip);
    return std::make_shared<const DotLottieFile>(loadContents(package), package);
}

const DotLottieFile::Animation& DotLottieFile::animation(const std::optional<std::string>& id) const {
    if (const Animation* found = findAnimation(id)) return *found;
    throw DotLottieError::animationNotAvailable(id);
}

std::string DotLottieFile::baseName(std::string_view filename) {
    if (filename.find('\0') != std::string_view::npos) throw DotLottieError::invalidFileName(std::string(filename));
    const fs::path last = fs::path(filename).filename();
    const std::string base = last.stem().string();
    if (base.empty() || base == "." || base == "..") throw DotLottieError::invalidFileName(std::string(filename));
    return base;
}

void DotLottieFile::checkAnimationId(const std::string& id) {
    const bool plain = !id.empty() && id.front() != '.' && id.find_first_of(std::string("/\\\0", 3)) == std::string::npos &&
                       id.find("..") == std::string::npos;
    if (!plain) throw DotLottieError::invalidAnimationId(id);
}

}  // namespace lottie
