#pragma once
// A loaded dotLottie package: its animations in manifest order, each with the
// configuration its manifest entry gives it, and the package's image provider.
//
// Loading writes the package's bytes into a private temporary folder of its own
// (see DotLottieTemporaryFolder), unpacks with the ZIP reader only what the
// package uses ("manifest.json" and the animations it lists), reads them, and
// removes the folder again, on success and on failure alike. The image folder's
// files are not unpacked: the package's bytes are kept in memory (see
// PackageArchive) and each image is read from them when first drawn. Every
// listed animation file must be there. The first animation is decoded during
// the load (a package whose first animation cannot be decoded fails); each
// other one when it is first asked for, once per id however often the manifest
// lists it; each image when it is first drawn. Immutable once
// loaded (the documents and images it decodes later are caches); shared by the
// caches and every caller that asked for it.
//
// Names from outside never reach the file system unchecked: the base name of the
// caller's file name must be a real name (not empty, "." or ".."), and each
// manifest id must be one plain file name (not empty, no "/", "\", "..", NUL or
// leading "."). Nothing outside the unpacked package is read, not even through a
// symbolic link the archive carries.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Lottie/DotLottie/DotLottieCacheProvider.h"
#include "Lottie/DotLottie/DotLottieResult.h"
#include "Lottie/DotLottie/Zip/ExtractionLimits.h"
#include "Lottie/Playback/DotLottieEntry.h"
#include "Platform/Foundation/Bundle.h"
#include "Platform/Foundation/Data.h"

namespace platform::foundation {
class DispatchQueue;
}

namespace lottie {

class LottieURLDataTask;
class LottieURLSession;

class DotLottieFile {
public:
    using Animation = DotLottieEntry;

    // The most a manifest may hold; real ones take a few hundred bytes.
    static constexpr std::uint64_t maxManifestSize = std::uint64_t(4) << 20;

    struct LoadOptions {
        // Where the private folder is made; the system's temporary folder when none.
        std::optional<std::filesystem::path> temporaryDirectory;
        // What the ZIP reader may write for this package.
        ExtractionLimits limits;
    };

    // Blocks the calling thread for the whole load. Throws DotLottieError for a
    // refused file name or animation id, the ZIP reader's errors (ArchiveError,
    // ArchiveFileError), platform::foundation::FileError for a missing manifest or
    // animation, std::filesystem::filesystem_error when the folder cannot be made
    // or written, and the JSON decoder's and (for the first animation) the
    // document decoder's errors. The package keeps the bytes for its images:
    // a caller done with them moves them in, so that they are held once.
    static std::shared_ptr<const DotLottieFile> load(platform::foundation::Data data,
                                                     const std::string& filename, const LoadOptions& options = {});

    const std::vector<Animation>& animations() const { return contents_.animations; }
    // None when the package has no visible file in its image folder.
    const std::shared_ptr<DotLottieImageProvider>& imageProvider() const { return contents_.imageProvider; }
    // The folder the package was unpacked into; it no longer exists.
    const std::filesystem::path& fileUrl() const { return fileUrl_; }
    // What the animation layer takes.
    const DotLottieContents& contents() const { return contents_; }

    // With an id, the first animation of exactly that id; without one, the first
    // animation; nothing when none matches.
    const Animation* findAnimation(const std::optional<std::string>& id) const {
        return contents_.findAnimation(id);
    }
    // As findAnimation(), for callers that need an animation: a package without
    // one, or without the id asked for, throws DotLottieError::animationNotAvailable.
    // The entry's decodedAnimation() then throws the decoder's error, if any.
    const Animation& animation(const std::optional<std::string>& id) const;

    // The last component of the file name without its extension ("a/b/clip.lottie"
    // gives "clip"). Throws DotLottieError::invalidFileName when that is empty,
    // "." or "..", or when the file name holds a NUL byte.
    static std::string baseName(std::string_view filename);
    // Throws DotLottieError::invalidAnimationId unless the id is one plain file name.
    static void checkAnimationId(const std::string& id);

    // The loaders. Each completion form runs its work on the given queue (the
    // serial dotLottieQueue() unless the caller names another) and calls the
    // handler on the main run loop. Cache keys: the bundle's path, "/", the
    // subdirectory and "/" when there is one, and the name as given (named); the
    // path (file path); the bundle's path, "/" and the name (asset); the address
    // (address). A failed load stores nothing. Blocking forms are in
    // SynchronouslyBlockingCurrentThread, asynchronous ones in DotLottieLoadTask.
    using Handler = std::function<void(DotLottieResult)>;
    struct SynchronouslyBlockingCurrentThread;

    // A package resource of the bundle ("clip" or "clip.lottie", looked for as
    // clip.lottie in the subdirectory), else the data asset of that name. A
    // failure is also logged as a warning.
    static void named(const std::string& name, const platform::foundation::Bundle& bundle,
                      const std::optional<std::string>& subdirectory, std::shared_ptr<DotLottieCacheProvider> cache,
                      platform::foundation::DispatchQueue& queue, Handler handler);
    static void loadedFromFilepath(const std::string& filepath, std::shared_ptr<DotLottieCacheProvider> cache,
                                   platform::foundation::DispatchQueue& queue, Handler handler);
    static void asset(const std::string& name, const platform::foundation::Bundle& bundle,
                      std::shared_ptr<DotLottieCacheProvider> cache, platform::foundation::DispatchQueue& queue,
                      Handler handler);
    // Never cached.
    static void loadedFromData(platform::foundation::Data data, const std::string& filename,
                               platform::foundation::DispatchQueue& queue, Handler handler);
    // Unpacks on the session's thread and calls the handler on the main run loop,
    // except for a cache hit, which calls it at once on the calling thread and
    // starts no transfer (nothing is returned then). A transfer that delivers no
    // bytes and no error fails with DotLottieError::noDataLoaded.
    static std::shared_ptr<LottieURLDataTask> loadedFromURL(const std::string& url, LottieURLSession& session,
                                                            std::shared_ptr<DotLottieCacheProvider> cache,
                                                            Handler handler);

    // Use load(); public only for std::make_shared.
    DotLottieFile(DotLottieContents contents, std::filesystem::path fileUrl)
        : contents_(std::move(contents)), fileUrl_(std::move(fileUrl)) {}

private:
    DotLottieContents contents_;
    std::filesystem::path fileUrl_;
};

// The one serial queue that package loads share by default, made on first use;
// loads queued on it run one at a time in the order they were asked for. A
// process-wide queue: a program stops it before main() returns
// (DispatchQueue::stopProcessWideQueues()), and loads not yet begun then are dropped.
platform::foundation::DispatchQueue& dotLottieQueue();

}  // namespace lottie
