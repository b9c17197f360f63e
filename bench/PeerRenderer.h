#pragma once
// The peer renderer of the format (rlottie) behind a small interface: load a
// document, count its frames, draw one into a caller's 32-bit buffer. The
// only file that includes the peer's header; owned by the peer benchmark.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace rlottie {
class Animation;
}

namespace peersbench {

class PeerRenderer {
public:
    // Turns the peer's model cache off, so that every load parses the document
    // again as ours does. Call once before the first load.
    static void disableModelCache();
    // Turns it back on for `documents` models, for a process that loads one
    // document many times and shares its model, as the peer's callers do.
    static void enableModelCache(std::size_t documents);

    // Nothing when the peer does not load the document or finds no frame in it.
    // Images are looked up in `resourceFolder`. With `shareModel`, a model
    // already cached under `key` is taken instead of parsing the document.
    static std::unique_ptr<PeerRenderer> load(const std::string& json, const std::string& key,
                                              const std::string& resourceFolder, bool shareModel = false);

    ~PeerRenderer();
    PeerRenderer(const PeerRenderer&) = delete;
    PeerRenderer& operator=(const PeerRenderer&) = delete;

    std::size_t frameCount() const;
    // Draws frame `frame % frameCount()` into `pixels`, `side` by `side` pixels.
    void render(std::size_t frame, std::uint32_t* pixels, int side);

private:
    explicit PeerRenderer(std::unique_ptr<rlottie::Animation> animation);

    std::unique_ptr<rlottie::Animation> animation_;
};

}  // namespace peersbench
