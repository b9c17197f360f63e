#pragma once
// The blocking forms of the package loaders: each loads on the calling thread and
// returns the result. They are meant for worker threads; called on the main
// thread they report it through the shared logger's assert handler (which does
// nothing unless a host installs one) and load all the same. The completion
// forms run the named and file-path forms on their queue.

#include "Lottie/DotLottie/DotLottieFile.h"

namespace lottie {

struct DotLottieFile::SynchronouslyBlockingCurrentThread {
    static DotLottieResult named(const std::string& name, const platform::foundation::Bundle& bundle,
                                 const std::optional<std::string>& subdirectory = std::nullopt,
                                 const std::shared_ptr<DotLottieCacheProvider>& cache = nullptr);
    static DotLottieResult loadedFromFilepath(const std::string& filepath,
                                              const std::shared_ptr<DotLottieCacheProvider>& cache = nullptr);
    // The package keeps the bytes: a caller done with them moves them in.
    static DotLottieResult loadedFromData(platform::foundation::Data data, const std::string& filename);
};

}  // namespace lottie
