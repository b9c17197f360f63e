#pragma once
// The asynchronous forms of the package loaders: start one, get its result once
// on the main run loop (never from inside the call that started it, even for a
// cache hit), and, for an address, cancel the transfer meanwhile: the result
// then comes with the transfer's "cancelled" error. The other forms load on the
// dotLottie queue (bytes on the queue the caller names) and run to their end.
//
// Returned to the caller, who may drop it: the load and its callback go on.
// Start and cancel from any thread; the callback always runs on the main thread.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Lottie/DotLottie/DotLottieFile.h"
#include "Lottie/Playback/Loading/CancellableTransfer.h"
#include "Lottie/Playback/Loading/LottieURLSession.h"

namespace lottie {

class DotLottieLoadTask {
public:
    using Completion = DotLottieFile::Handler;

    static std::shared_ptr<DotLottieLoadTask> named(const std::string& name, const platform::foundation::Bundle& bundle,
                                                    const std::optional<std::string>& subdirectory,
                                                    std::shared_ptr<DotLottieCacheProvider> cache, Completion completion);
    static std::shared_ptr<DotLottieLoadTask> loadedFromFilepath(const std::string& filepath,
                                                                 std::shared_ptr<DotLottieCacheProvider> cache,
                                                                 Completion completion);
    static std::shared_ptr<DotLottieLoadTask> asset(const std::string& name, const platform::foundation::Bundle& bundle,
                                                    std::shared_ptr<DotLottieCacheProvider> cache, Completion completion);
    static std::shared_ptr<DotLottieLoadTask> loadedFromData(platform::foundation::Data data, const std::string& filename,
                                                             platform::foundation::DispatchQueue& queue,
                                                             Completion completion);
    // Throws std::invalid_argument for a missing session.
    static std::shared_ptr<DotLottieLoadTask> loadedFromURL(const std::string& url,
                                                            const std::shared_ptr<LottieURLSession>& session,
                                                            std::shared_ptr<DotLottieCacheProvider> cache,
                                                            Completion completion);

    // Stops an address's transfer; nothing for the other forms, or once the
    // transfer has ended.
    void cancel();
    bool isCancelled() const;

    // Use the factories; public only for std::make_shared.
    DotLottieLoadTask() = default;

private:
    static Completion checked(Completion completion);

    // The transfer of an address; never started for the other forms.
    CancellableTransfer transfer_;
};

}  // namespace lottie
