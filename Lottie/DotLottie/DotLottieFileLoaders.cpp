// The package loaders in their blocking and completion forms, with the package
// cache and the shared dotLottie queue.
#include <filesystem>

#include "Lottie/DotLottie/DotLottieBlockingLoaders.h"
#include "Lottie/DotLottie/DotLottieError.h"
#include "Lottie/DotLottie/DotLottieFile.h"
#include "Lottie/Playback/Loading/LottieURLSession.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Values/DataAsset.h"
#include "Platform/Foundation/DispatchQueue.h"
#include "Platform/Foundation/Files.h"
#include "Platform/Foundation/MainRunLoop.h"
#include "Platform/Foundation/URLSessionError.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/DotLottieFileHelpers";

using platform::foundation::Data;
using platform::foundation::DispatchQueue;

void assertNotOnMainThread(unsigned line) {
    LottieLogger::shared()->assert_([] { return !platform::foundation::isMainThread(); },
                                    [] {
                                        return std::string("`DotLottieFile.SynchronouslyBlockingCurrentThread` methods "
                                                           "shouldn't be called on the main thread.");
                                    },
                                    file, line);
}

// The cache is asked first and filled only after a load succeeded.
template <class Load>
DotLottieResult cachedLoad(const std::shared_ptr<DotLottieCacheProvider>& cache, const std::string& key, Load load) {
    if (cache) {
        if (auto hit = cache->cachedFile(key)) return DotLottieResult::success(std::move(hit));
    }
    try {
        std::shared_ptr<const DotLottieFile> loaded = load();
        if (cache) cache->storeFile(loaded, key);
        return DotLottieResult::success(std::move(loaded));
    } catch (...) {
        return DotLottieResult::currentFailure();
    }
}

std::string bundleKey(const platform::foundation::Bundle& bundle, const std::optional<std::string>& subdirectory,
                      const std::string& name) {
    // A separator stands between the bundle's path and the subdirectory, as in the
    // animation loaders' keys, so that bundle "/a/b" with subdirectory "c" is not
    // taken for bundle "/a/bc".
    return bundle.bundlePath().string() + (subdirectory ? "/" + *subdirectory : "") + "/" + name;
}

// Runs the work on the queue and hands its result to the main run loop.
void onQueue(DispatchQueue& queue, std::function<DotLottieResult()> work, DotLottieFile::Handler handler) {
    queue.async([work = std::move(work), handler = std::move(handler)] {
        DotLottieResult result = work();
        DispatchQueue::main().async([handler, result] { handler(result); });
    });
}

// The last component of an address's path, query and fragment left out; a
// package served from an address that names no file is unpacked as "lottie".
std::string filenameOfURL(const std::string& url) {
    std::string path = url.substr(0, url.find_first_of("?#"));
    const auto scheme = path.find("://");
    if (scheme != std::string::npos) {
        const auto slash = path.find('/', scheme + 3);
        path = slash == std::string::npos ? std::string() : path.substr(slash);
    }
    const std::string last = path.substr(path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1);
    const std::string base = std::filesystem::path(last).stem().string();
    return base.empty() || base == "." || base == ".." ? "lottie" : last;
}

}  // namespace

DispatchQueue& dotLottieQueue() {
    static DispatchQueue& queue = DispatchQueue::processWide("com.quenta.lottie.dot-lottie");
    return queue;
}

DotLottieResult DotLottieFile::SynchronouslyBlockingCurrentThread::named(
    const std::string& name, const platform::foundation::Bundle& bundle, const std::optional<std::string>& subdirectory,
    const std::shared_ptr<DotLottieCacheProvider>& cache) {
    assertNotOnMainThread(__LINE__);
    DotLottieResult result = cachedLoad(cache, bundleKey(bundle, subdirectory, name), [&] {
        std::string resource = name;
        if (resource.ends_with(".lottie")) resource.resize(resource.size() - 7);
        Data data;
        if (auto path = bundle.pathForResource(resource, "lottie", subdirectory)) {
            data = platform::foundation::readFile(*path);
        } else {
            data = dataAsset(subdirectory ? *subdirectory + "/" + resource : resource, bundle);
        }
        return DotLottieFile::load(std::move(data), name);
    });
    if (!result.succeeded()) {
        std::string description;
        try {
            std::rethrow_exception(result.error());
        } catch (const std::exception& error) {
            description = error.what();
        } catch (...) {
            description = "unknown error";
        }
        const std::string message = "Error when decoding lottie \"" + name + "\": " + description;
        LottieLogger::shared()->warn([message] { return message; }, file, __LINE__);
    }
    return result;
}

DotLottieResult DotLottieFile::SynchronouslyBlockingCurrentThread::loadedFromFilepath(
    const std::string& filepath, const std::shared_ptr<DotLottieCacheProvider>& cache) {
    assertNotOnMainThread(__LINE__);
    return cachedLoad(cache, filepath,
                      [&] { return DotLottieFile::load(platform::foundation::readFile(filepath), filepath); });
}

DotLottieResult DotLottieFile::SynchronouslyBlockingCurrentThread::loadedFromData(Data data,
                                                                                   const std::string& filename) {
    assertNotOnMainThread(__LINE__);
    try {
        return DotLottieResult::success(DotLottieFile::load(std::move(data), filename));
    } catch (...) {
        return DotLottieResult::currentFailure();
    }
}

void DotLottieFile::named(const std::string& name, const platform::foundation::Bundle& bundle,
                          const std::optional<std::string>& subdirectory, std::shared_ptr<DotLottieCacheProvider> cache,
                          DispatchQueue& queue, Handler handler) {
    onQueue(queue, [=] { return SynchronouslyBlockingCurrentThread::named(name, bundle, subdirectory, cache); },
            std::move(handler));
}

void DotLottieFile::loadedFromFilepath(const std::string& filepath, std::shared_ptr<DotLottieCacheProvider> cache,
                                       DispatchQueue& queue, Handler handler) {
    onQueue(queue, [=] { return SynchronouslyBlockingCurrentThread::loadedFromFilepath(filepath, cache); },
            std::move(handler));
}

void DotLottieFile::asset(const std::string& name, const platform::foundation::Bundle& bundle,
                          std::shared_ptr<DotLottieCacheProvider> cache, DispatchQueue& queue, Handler handler) {
    onQueue(queue,
            [=] {
                return cachedLoad(cache, bundle.bundlePath().string() + "/" + name,
                                  [&] { return DotLottieFile::load(dataAsset(name, bundle), name); });
            },
            std::move(handler));
}

void DotLottieFile::loadedFromData(Data data, const std::string& filename, DispatchQueue& queue, Handler handler) {
    onQueue(queue,
            [data = std::move(data), filename]() mutable -> DotLottieResult {
                try {
                    return DotLottieResult::success(DotLottieFile::load(std::move(data), filename));
                } catch (...) {
                    return DotLottieResult::currentFailure();
                }
            },
            std::move(handler));
}

std::shared_ptr<LottieURLDataTask> DotLottieFile::loadedFromURL(const std::string& url, LottieURLSession& session,
                                                                std::shared_ptr<DotLottieCacheProvider> cache,
                                                                Handler handler) {
    if (cache) {
        if (auto hit = cache->cachedFile(url)) {
            handler(DotLottieResult::success(std::move(hit)));
            return nullptr;
        }
    }
    auto task = session.dataTask(
        url, [url, cache, handler](std::optional<Data> data, std::optional<platform::foundation::URLResponse>,
                                   std::optional<platform::foundation::URLError> error) {
            // On the session's thread: unpack here, deliver on the main run loop.
            DotLottieResult result = DotLottieResult::failure(nullptr);
            try {
                if (error) throw platform::foundation::URLSessionError(*error);
                if (!data) throw DotLottieError::noDataLoaded();
                result = DotLottieResult::success(DotLottieFile::load(std::move(*data), filenameOfURL(url)));
            } catch (...) {
                result = DotLottieResult::currentFailure();
            }
            DispatchQueue::main().async([url, cache, handler, result] {
                if (cache && result.succeeded()) cache->storeFile(result.file(), url);
                handler(result);
            });
        });
    task->resume();
    return task;
}

}  // namespace lottie
