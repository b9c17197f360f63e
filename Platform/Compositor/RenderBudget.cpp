#include "Platform/Compositor/RenderBudget.h"

#include <algorithm>

#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/LayerTreeWalk.h"
#include "Platform/Graphics/OpeningDeadline.h"

namespace platform::compositor {

namespace {

thread_local RenderBudget* activeBudget = nullptr;
thread_local std::shared_ptr<graphics::ProcessorDeadline> lastDeadline;

}  // namespace

RenderBudget::RenderBudget(double targetPixels, double shownPixels)
    : shownPixels_(std::max(0.0, shownPixels < 0 ? targetPixels : std::min(shownPixels, targetPixels))),
      pixelsLeft_(std::max(minimumSurfacePixels, surfacePixelsPerTargetPixel * std::max(0.0, targetPixels))),
      work_(std::max(minimumWork, workPerTargetPixel * std::max(0.0, targetPixels)),
            graphics::OpeningDeadline::takeAwaitingFirstFrame(drawingDeadlineSeconds)) {}

RenderBudget::~RenderBudget() { lastDeadline = work_.deadline(); }

RenderBudget* RenderBudget::active() { return activeBudget; }

const std::shared_ptr<graphics::ProcessorDeadline>& RenderBudget::lastFrameDeadline() { return lastDeadline; }

RenderBudget::Activation::Activation(RenderBudget& budget)
    : outer_(activeBudget), work_(budget.work_), deadline_(budget.work_.deadline()) {
    activeBudget = &budget;
}

RenderBudget::Activation::~Activation() { activeBudget = outer_; }

bool RenderBudget::enter(Layer& layer) {
    if (path_.size() >= maximumDepth) return false;
    work_.checkDeadline(graphics::ProcessorDeadline::unitsPerItem);
    path_.push_back(&layer);
    heldByLayer_.push_back(0);
    return true;
}

void RenderBudget::leave() {
    if (path_.empty()) return;
    path_.pop_back();
    heldPixels_ = std::max(0.0, heldPixels_ - heldByLayer_.back());
    heldByLayer_.pop_back();
}

bool RenderBudget::takeSurface(double pixels) {
    if (surfacesLeft_ == 0 || !(pixels <= pixelsLeft_)) return false;
    const double newPixels = std::max(0.0, heldPixels_ + pixels - peakHeldPixels_);
    if (!work_.take(pixels + workPerNewSurfacePixel * newPixels)) return false;
    --surfacesLeft_;
    pixelsLeft_ -= pixels;
    heldPixels_ += pixels;
    peakHeldPixels_ = std::max(peakHeldPixels_, heldPixels_);
    // Outside every layer (never, as the renderer takes them) it is held to the end.
    if (!heldByLayer_.empty()) heldByLayer_.back() += pixels;
    return true;
}

void RenderBudget::report(const std::string& message) {
    if (!reported_.insert(message).second) return;
    for (auto it = path_.rbegin(); it != path_.rend(); ++it) {
        if ((*it)->reportRenderLimit(message)) return;
    }
    // A frame spent before it reached a layer that reports (the first frame of
    // an opening whose time ran out before it began) is told by the first
    // layer below that does.
    if (path_.empty()) return;
    bool taken = false;
    forEachLayerBelow(*path_.back(), [&](const std::shared_ptr<Layer>& layer) {
        taken = taken || layer->reportRenderLimit(message);
        return !taken;
    });
}

}  // namespace platform::compositor
