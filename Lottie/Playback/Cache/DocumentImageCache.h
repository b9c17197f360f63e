#pragma once
// The images decoded for one document, kept with the document so that its
// views, each with an engine and an image cache of its own, decode every image
// once between them. Images are filed by where they came from (the sharing key
// of the image provider that decoded them, see AnimationImageProvider) and by
// the asset, so that views with providers of another kind or over another
// folder never get each other's images.
//
// The colour conversions built while its images are decoded take what they
// cost from one allowance, the document's (see ColorConversionAllowance); it is
// not refilled when the cache is emptied.
//
// Owned by the LottieAnimation and gone with it; a copy of a document starts
// empty. Emptied, as every image cache is, by the memory-warning notification.
// Safe from any thread: while one caller decodes an image, others asking for
// the same one wait for it and share it.

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "Lottie/Playback/Cache/LRUCache.h"
#include "Lottie/Playback/Providers/ImageCacheKey.h"
#include "Platform/Graphics/ColorConversionAllowance.h"
#include "Platform/Graphics/Image.h"

namespace lottie {

class DocumentImageCache {
public:
    using ImagePointer = std::shared_ptr<const platform::graphics::Image>;

    struct Key {
        // The provider's sharing key.
        std::string source;
        ImageCacheKey asset;

        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };

    // What imageFor() found: the image, and whether it was decoded by this call
    // (an image filed before may have to count against the caller's budget).
    struct Found {
        ImagePointer image;
        bool decodedNow = false;
    };
    // What a decoding gave: the image, or none, and whether a bound refused
    // it (filed as such: it is neither decoded nor said again).
    struct Decoded {
        ImagePointer image;
        bool refused = false;
    };

    explicit DocumentImageCache(platform::foundation::NotificationCenter& notificationCenter =
                                    platform::foundation::NotificationCenter::defaultCenter());
    // A copied document decodes its own images: what it holds may be changed.
    DocumentImageCache(const DocumentImageCache&) : DocumentImageCache() {}
    DocumentImageCache& operator=(const DocumentImageCache&);

    // The image filed under `key`, else what `decode` gives, filed when it is an
    // image or a refusal; nothing else is not filed, so it is asked for again
    // next time.
    Found imageFor(const Key& key, const std::function<Decoded()>& decode);

    // What building the colour conversions of the images it decodes may take.
    platform::graphics::ColorConversionAllowance& colorConversions() { return colorConversions_; }

private:
    // One image, or the decoding of it under way (its lock is held meanwhile).
    struct Slot {
        std::mutex decoding;
        ImagePointer image;
        bool refused = false;
    };

    // Guards the look-up and insertion of a slot, not the decoding.
    std::mutex mutex_;
    LRUCache<Key, std::shared_ptr<Slot>, KeyHash> slots_;
    platform::graphics::ColorConversionAllowance colorConversions_;
};

}  // namespace lottie
