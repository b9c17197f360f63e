#include "bench/PeerRenderer.h"

#include <rlottie.h>

namespace peersbench {

void PeerRenderer::disableModelCache() { rlottie::configureModelCacheSize(0); }

void PeerRenderer::enableModelCache(std::size_t documents) { rlottie::configureModelCacheSize(documents); }

std::unique_ptr<PeerRenderer> PeerRenderer::load(const std::string& json, const std::string& key,
                                                 const std::string& resourceFolder, bool shareModel) {
    // The peer joins the folder and an image's own path by plain concatenation,
    // so the folder needs its separator, or external images are not found and
    // the peer draws nothing in their place.
    std::string folder = resourceFolder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    auto animation = rlottie::Animation::loadFromData(json, key, folder, shareModel);
    if (!animation || animation->totalFrame() == 0) return nullptr;
    return std::unique_ptr<PeerRenderer>(new PeerRenderer(std::move(animation)));
}

PeerRenderer::PeerRenderer(std::unique_ptr<rlottie::Animation> animation) : animation_(std::move(animation)) {}

PeerRenderer::~PeerRenderer() = default;

std::size_t PeerRenderer::frameCount() const { return animation_->totalFrame(); }

void PeerRenderer::render(std::size_t frame, std::uint32_t* pixels, int side) {
    const auto size = static_cast<std::size_t>(side);
    animation_->renderSync(frame % frameCount(), rlottie::Surface(pixels, size, size, size * 4));
}

}  // namespace peersbench
