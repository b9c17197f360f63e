#include "Lottie/DotLottie/DotLottieFile.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <map>
#include <set>
#include <system_error>

#include "Lottie/DotLottie/DotLottieError.h"
#include "Lottie/DotLottie/DotLottieManifest.h"
#include "Lottie/DotLottie/DotLottieTemporaryFolder.h"
#include "Lottie/DotLottie/PackageArchive.h"
#include "Lottie/DotLottie/PackageFiles.h"
#include "Lottie/DotLottie/Zip/Unzipper.h"
#include "Lottie/Playback/LottieConfiguration.h"
#include "Platform/Json/JsonParser.h"

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

void unpack(const fs::path& archive, const fs::path& package, const ExtractionLimits& limits,
            std::function<bool(const fs::path&)> filter, ExtractionBudget* budget = nullptr) {
    UnzipOptions unzip;
    unzip.limits = limits;
    unzip.entryFilter = std::move(filter);
    unzip.budget = budget;
    Unzipper::extractArchive(archive, package, unzip);
}

// Only what the package uses is unpacked: first the manifest, which names the
// rest, then each listed animation once and what the image folder holds besides
// its images. An entry nothing reads is never written, so it costs no disk and,
// when it could not be written (a name too long for the file system), fails
// nothing. The images stay in the archive, kept in memory, until first drawn;
// their recorded sizes are held to the limits now.
DotLottieContents loadContents(platform::foundation::Data data, const fs::path& archive, const fs::path& package,
                               const ExtractionLimits& limits) {
    const fs::path manifestPath = "manifest.json";
    ExtractionLimits manifestLimits = limits;
    manifestLimits.maxTotalUncompressedSize = std::min(limits.maxTotalUncompressedSize, DotLottieFile::maxManifestSize);
    unpack(archive, package, manifestLimits, [&](const fs::path& path) { return path == manifestPath; });
    const platform::foundation::Data manifestBytes = packagefiles::read(package, manifestPath);
    const DotLottieManifest manifest = DotLottieManifest::fromData(textOf(manifestBytes));
    checkAnimationIds(manifest);

    const bool shortNames = manifest.usesShortFolderNames();
    const fs::path imageFolder = shortNames ? "i" : "images";
    const fs::path animationFolder = shortNames ? "a" : "animations";
    std::set<fs::path> animationFiles;
    for (const DotLottieAnimation& entry : manifest.animations) animationFiles.insert(animationFolder / (entry.id + ".json"));
    ExtractionLimits rest = limits;
    rest.maxTotalUncompressedSize -= std::min<std::uint64_t>(manifestBytes.size(), rest.maxTotalUncompressedSize);
    auto images = std::make_shared<PackageArchive>(std::move(data), rest);
    std::vector<PackageArchive::File> imageFiles = images->filesIn(imageFolder);
    std::set<fs::path> imagePaths;
    for (const PackageArchive::File& file : imageFiles) imagePaths.insert(imageFolder / file.name);
    unpack(
        archive, package, rest,
        [&](const fs::path& path) {
            return path == animationFolder || path == imageFolder || animationFiles.count(path) != 0 ||
                   (path.parent_path() == imageFolder && imagePaths.count(path) == 0);
        },
        &images->budget());
    images->checkRecordedSizes(imageFiles);

    DotLottieContents contents;
    // Images are not read through a link the archive makes of the image folder
    // (nothing is), nor below a file of that name.
    std::error_code error;
    const fs::file_status folderStatus = fs::symlink_status(package / imageFolder, error);
    if (fs::is_directory(folderStatus) || folderStatus.type() == fs::file_type::not_found) {
        contents.imageProvider =
            DotLottieImageProvider::make(std::move(images), imageFiles, package / imageFolder);
    }
    // The shared configuration's strategy is read for each package as it loads;
    // each id's document is read once and shared by every entry that lists it.
    const DecodingStrategy strategy = LottieConfiguration::shared().decodingStrategy;
    std::map<std::string, std::shared_ptr<const PackagedAnimation>> documents;
    for (const DotLottieAnimation& entry : manifest.animations) {
        std::shared_ptr<const PackagedAnimation>& document = documents[entry.id];
        if (!document) {
            document = std::make_shared<const PackagedAnimation>(
                packagefiles::read(package, animationFolder / (entry.id + ".json"), platform::json::parserPadding),
                strategy);
        }
        contents.animations.push_back({document, DotLottieConfiguration::make(entry, contents.imageProvider)});
    }
    // The first animation is the one shown when no id is asked for; it is decoded
    // here, on the loading thread, and a package whose first animation cannot be
    // decoded fails to load. The others wait until they are asked for.
    if (!contents.animations.empty()) contents.animations.front().decodedAnimation();
    return contents;
}

}  // namespace

std::shared_ptr<const DotLottieFile> DotLottieFile::load(platform::foundation::Data data,
                                                         const std::string& filename, const LoadOptions& options) {
    const std::string base = baseName(filename);
    // Removed on every way out of this function, with the archive copy in it.
    const DotLottieTemporaryFolder folder(options.temporaryDirectory.value_or(fs::temp_directory_path()));
    const fs::path archive = folder.path() / (base + ".lottie");
    const fs::path package = folder.path() / base;
    writeArchive(archive, data);
    return std::make_shared<const DotLottieFile>(loadContents(std::move(data), archive, package, options.limits),
                                                 package);
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
