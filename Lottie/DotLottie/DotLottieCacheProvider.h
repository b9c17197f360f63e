#pragma once
// Where the package loaders keep loaded packages by a text key, so that loading
// the same package again unpacks and decodes nothing. The loaders take one as an
// argument (none means no caching); DotLottieCache is the library's own.
// Implementations are shared by every thread that loads and must guard themselves.

#include <memory>
#include <string>

namespace lottie {

class DotLottieFile;

class DotLottieCacheProvider {
public:
    virtual ~DotLottieCacheProvider() = default;

    virtual std::shared_ptr<const DotLottieFile> cachedFile(const std::string& key) = 0;
    virtual void storeFile(std::shared_ptr<const DotLottieFile> file, const std::string& key) = 0;
    virtual void dropAllAnimations() = 0;
};

}  // namespace lottie
