#pragma once
// One animation document of a dotLottie package, kept as its bytes until it is
// first asked for and then decoded once: a package may list many animations (or
// one id many times) of which a viewer shows one, and each decoded document
// takes many times the room of its bytes. Made by the package loader, shared by
// every manifest entry of its id and by every holder of the package; any thread
// may ask, and a second asker waits for the first decoding rather than starting
// its own.

#include <exception>
#include <memory>
#include <mutex>

#include "Lottie/Model/LottieAnimation.h"
#include "Platform/Foundation/Data.h"

namespace lottie {

class PackagedAnimation {
public:
    // Bytes decoded later with the strategy chosen now.
    PackagedAnimation(platform::foundation::Data bytes, DecodingStrategy strategy);
    // A document decoded already.
    explicit PackagedAnimation(std::shared_ptr<const LottieAnimation> animation);

    // The decoded document; throws the decoder's error, the same one on every
    // request (it is logged as a warning when it first happens). The bytes are
    // let go once decoded.
    std::shared_ptr<const LottieAnimation> decoded() const;
    // Whether decoding has been done (whatever its outcome).
    bool isDecoded() const;

private:
    mutable std::mutex mutex_;
    mutable platform::foundation::Data bytes_;
    DecodingStrategy strategy_{};
    mutable bool decoded_ = false;
    mutable std::shared_ptr<const LottieAnimation> animation_;
    mutable std::exception_ptr error_;
};

}  // namespace lottie
