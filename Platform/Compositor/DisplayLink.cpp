#include "Platform/Compositor/DisplayLink.h"

#include <vector>

#include "Platform/Compositor/FrameThread.h"
#include "Platform/Compositor/MediaClock.h"

namespace platform::compositor {

namespace {

// Every layer of the tree, masks included, parents before children. Taken afresh
// for each step, since layout and display may change the tree.
void collect(const std::shared_ptr<Layer>& layer, std::vector<std::shared_ptr<Layer>>& layers) {
    layers.push_back(layer);
    if (layer->mask()) {
        collect(layer->mask(), layers);
    }
    for (const std::shared_ptr<Layer>& sublayer : layer->sublayers()) {
        collect(sublayer, layers);
    }
}

std::vector<std::shared_ptr<Layer>> treeOf(const std::shared_ptr<Layer>& root) {
    std::vector<std::shared_ptr<Layer>> layers;
    if (root) {
        collect(root, layers);
    }
    return layers;
}

// The same tree visited in place, for the steps that change no tree: no
// layer is held, so a large tree costs no copy of its every pointer.
template <typename Visit>
void visitTree(Layer& layer, const Visit& visit) {
    visit(layer);
    if (layer.mask()) {
        visitTree(*layer.mask(), visit);
    }
    for (const std::shared_ptr<Layer>& sublayer : layer.sublayers()) {
        visitTree(*sublayer, visit);
    }
}

}  // namespace

DisplayLink::DisplayLink(std::shared_ptr<Layer> root, FrameHandler handler)
    : root_(std::move(root)), handler_(std::move(handler)) {}

bool DisplayLink::isActive() const { return root_ && needsFrame(*root_, false); }

// One walk down the tree, stopping at the first layer that needs a frame. A
// layer's time stands still when it or a layer above it (or the layer it masks)
// runs at speed 0, which the walk carries down instead of asking each layer's
// ancestors again.
bool DisplayLink::needsFrame(const Layer& layer, bool frozenAbove) {
    const bool frozen = frozenAbove || layer.speed() == 0;
    const bool animating = layer.hasAnimations() && !layer.animated_->animations.isSettled(frozen);
    if (animating || layer.needsLayout_ || layer.needsDisplay_ || layer.changedSinceFrame_) {
        return true;
    }
    if (layer.mask() && needsFrame(*layer.mask(), frozen)) {
        return true;
    }
    for (const std::shared_ptr<Layer>& sublayer : layer.sublayers()) {
        if (needsFrame(*sublayer, frozen)) {
            return true;
        }
    }
    return false;
}

bool DisplayLink::tick() {
    if (!advance()) {
        return false;
    }
    display();
    return true;
}

bool DisplayLink::advance() {
    if (!isActive()) {
        return false;
    }
    const double now = MediaClock::currentTime();
    frameTime_ = now;
    visitTree(*root_, [](Layer& layer) { layer.presented_ = true; });
    root_->layoutIfNeeded();
    // Advancing animations and asking for display change no tree: one walk
    // serves them both.
    const auto tree = treeOf(root_);
    for (const std::shared_ptr<Layer>& layer : tree) {
        // An animation dropped once it has finished changes what the layer shows.
        if (layer->hasAnimations() && layer->animated_->animations.advance(layer->localTime(now))) {
            layer->markChanged();
        }
    }
    for (const std::shared_ptr<Layer>& layer : tree) {
        if (!layer->customNumbers_) {
            continue;
        }
        for (Layer::CustomNumber& custom : *layer->customNumbers_) {
            if (!custom.needsDisplay) {
                continue;
            }
            std::optional<AnimatableValue> presented = layer->presentedValue(custom.key, now);
            if (presented != custom.lastPresented) {
                custom.lastPresented = std::move(presented);
                layer->setNeedsDisplay();
            }
        }
    }
    return true;
}

void DisplayLink::display() {
    // Displaying may change the tree (sublayers set anew): the layers of now
    // are held for the walk.
    const auto tree = treeOf(root_);
    for (const std::shared_ptr<Layer>& layer : tree) {
        FrameThread::checkpoint();
        layer->presented_ = true;
        layer->displayIfNeeded();
    }
    visitTree(*root_, [](Layer& layer) { layer.changedSinceFrame_ = false; });
    if (handler_) {
        handler_(frameTime_);
    }
}

}  // namespace platform::compositor
