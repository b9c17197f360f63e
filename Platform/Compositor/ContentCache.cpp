#include "Platform/Compositor/ContentCache.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <optional>
#include <vector>

#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/LayerExtent.h"
#include "Platform/Compositor/PixelRect.h"
#include "Platform/Compositor/RenderBudget.h"
#include "Platform/Graphics/BlendMode.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/Image.h"

namespace platform::compositor {

using graphics::AffineTransform;
using graphics::GraphicsContext;
using graphics::Rect;

namespace {

std::atomic<std::int64_t> pixelsKept{0};

// Above 0 while a picture is being drawn: the layers under it draw into it
// as they are, and keep no pictures of their own.
thread_local int picturesBeingDrawn = 0;

// Trees larger than this are drawn as usual: checking them every frame would
// cost more than a picture saves.
constexpr std::size_t maximumLayers = 4096;

// How many frames in a row contents that change on every look go unlooked at.
constexpr int maximumChecksSkipped = 3;

// The most animated layers a layer's entry keeps from a walk of its subtree.
constexpr std::size_t maximumAnimatedLayersKept = 64;

void setPicture(ContentCacheEntry& entry, std::shared_ptr<const graphics::Image> picture,
                std::int64_t heldPixels = 0) {
    pixelsKept -= entry.heldPixels;
    entry.holdsNothing = false;
    entry.picture = std::move(picture);
    entry.heldPixels = entry.picture ? heldPixels : 0;
    pixelsKept += entry.heldPixels;
}

// What an animated layer contributes to the count below: how many times what
// it presents has changed, asked at `mediaTime` (which makes its presentation
// copy for the frame, as drawing it would), and whether it presents itself
// hidden then, so that nothing under it is drawn.
struct AskedLayer {
    std::uint64_t changes = 0;
    bool drawsNothing = false;
};

// What a layer adds to the count below as it stood when last asked: nothing
// for a layer whose animations draw the same at every time, which ask()
// leaves out too, so that a layer counts the same whether it was asked or not.
std::uint64_t changesSoFar(const Layer& layer) {
    return layer.drawsTheSameAtEveryTime() ? 0 : layer.presentedChangesSoFar();
}

// The same, the layer asked at `mediaTime`.
std::uint64_t changesAt(const Layer& layer, double mediaTime) {
    return layer.drawsTheSameAtEveryTime() ? 0 : layer.presentedChangesAt(mediaTime);
}

AskedLayer ask(const Layer& layer, double mediaTime) {
    AskedLayer asked;
    std::shared_ptr<Layer> presentation;
    if (!layer.drawsTheSameAtEveryTime()) {
        asked.changes = layer.presentedChangesAt(mediaTime);
        presentation = layer.presentationAt(mediaTime);  // the copy just made, kept for the frame
    } else if (layer.presentsOneValueAtEveryTime()) {
        presentation = layer.presentationAt(mediaTime);  // kept for every time
    }
    // Animations that drive only numbers nothing draws leave the layer as it is.
    const Layer& presented = presentation ? *presentation : layer;
    asked.drawsNothing = presented.isHidden() || !(presented.opacity() > 0);
    return asked;
}

// The changes of the animated layers of a walk (ContentCacheEntry::
// animatedLayers), each asked in turn; the layers under one that presents
// itself hidden, or fully transparent, are not asked: nothing of them is
// drawn, as the renderer does not draw them, and a copy of each would be made
// for nothing (a precomposition outside its time range is hidden so). They
// count with what they last presented (changesSoFar), which stays as it was
// while nothing asks: every layer adds the same term asked or not, so the sum
// stays one of the same counts, each of which only grows, and it is the same
// only where every count is; the hidden layer's own count grows when it shows
// again. None when `budget` runs out of checks, one taken per
// layer asked.
std::optional<std::uint64_t> changesOf(const std::vector<ContentCacheEntry::AnimatedLayer>& layers,
                                       double mediaTime, RenderBudget* budget) {
    std::uint64_t changes = 0;
    for (std::size_t index = 0; index < layers.size();) {
        if (budget && !budget->takePictureCheck()) return std::nullopt;
        const AskedLayer asked = ask(*layers[index].layer, mediaTime);
        changes += asked.changes;
        if (!asked.drawsNothing) {
            ++index;
            continue;
        }
        for (std::size_t under = index + 1; under < layers[index].end; ++under) {
            changes += changesSoFar(*layers[under].layer);
        }
        index = layers[index].end;
    }
    return changes;
}

// Whether what `model` and the layers under it draw at `mediaTime` depends
// only on the layer tree and on what their animations present: nothing waits
// for display (which the renderer runs as it goes) or blends with what lies
// beneath. A pending layout does not count: the renderer does not lay out, and
// a layout pass that moves anything marks it changed. Gives how many times
// what their animations present has changed (Layer::presentedChangesAt,
// changesOf), so that a picture stays good while animations hold their
// values; none where the contents cannot be kept, or the frame's checks are
// spent (RenderBudget::maximumPictureChecks).
//
// A walk of the whole subtree leaves in the entry the animated layers it met:
// while the subtree stays as it was (its version) and no layer in it has
// asked for display since, the next looks ask those layers alone. Layers that
// are hidden in the tree itself, without animations, are left out with the
// layers under them: showing them changes the version.
std::optional<std::uint64_t> presentedChangesOfTree(const Layer& model, double mediaTime, ContentCacheEntry& entry) {
    RenderBudget* budget = RenderBudget::active();
    const std::uint64_t changes = changesAt(model, mediaTime);
    const std::uint64_t version = model.subtreeVersion();
    const std::uint64_t displays = model.subtreeDisplayRequests();
    if (entry.walkIsKnown && entry.walkVersion == version && entry.walkDisplays == displays) {
        if (budget && !budget->takePictureCheck()) return std::nullopt;
        const std::optional<std::uint64_t> under = changesOf(entry.animatedLayers, mediaTime, budget);
        if (!under) return std::nullopt;
        return changes + *under;
    }
    entry.walkIsKnown = false;
    entry.animatedLayers.clear();
    // A layer to visit, or (null) the end of the layers under the animated
    // layer kept at `kept`.
    struct Pending {
        const Layer* layer;
        std::size_t kept;
    };
    std::vector<Pending> pending;
    std::vector<ContentCacheEntry::AnimatedLayer> animated;
    const auto pushUnder = [&pending](const Layer& layer) {
        if (layer.mask()) pending.push_back({layer.mask().get(), 0});
        for (const auto& sublayer : layer.sublayers()) pending.push_back({sublayer.get(), 0});
    };
    pushUnder(model);
    std::size_t visited = 0;
    while (!pending.empty()) {
        const Pending next = pending.back();
        pending.pop_back();
        if (!next.layer) {
            animated[next.kept].end = animated.size();
            continue;
        }
        const Layer* layer = next.layer;
        if (++visited > maximumLayers || (budget && !budget->takePictureCheck()) || layer->needsDisplay() ||
            layer->compositingFilter()) {
            return std::nullopt;
        }
        if (!layer->hasAnimations()) {
            if (!layer->isHidden() && layer->opacity() > 0) pushUnder(*layer);
            continue;
        }
        pending.push_back({nullptr, animated.size()});
        animated.push_back({layer, 0});
        pushUnder(*layer);
    }
    // The walk took a check for every layer it met.
    const std::uint64_t under = *changesOf(animated, mediaTime, nullptr);
    // Past the bound, every look walks the subtree: the layers kept for
    // subtrees within subtrees would grow with the tree's depth times its size.
    entry.walkIsKnown = animated.size() <= maximumAnimatedLayersKept;
    if (entry.walkIsKnown) entry.animatedLayers = std::move(animated);
    entry.walkVersion = version;
    entry.walkDisplays = displays;
    return changes + under;
}

// A layer that fills its bounds with its background colour and draws nothing
// else: filling costs no more than laying down a picture would, and a picture
// of a large one (the backdrop of an inverted mask, far larger than the view)
// would take the room other pictures need.
bool paintsOnlyItsBackground(const Layer& model, const Layer& presented) {
    return model.sublayers().empty() && !model.drawsInRenderPass() && !presented.contents() &&
           !presented.asShapeLayer() && !presented.asGradientLayer();
}

// The target's pixels the contents can reach within the clip; empty when they
// reach none.
PixelRect reach(const Layer& model, const Layer& presented, double mediaTime, const graphics::DeviceClipShape& clip,
                const GraphicsContext& context, const AffineTransform& toDevice) {
    Rect box = clip.bounds();
    if (box.isNull() || box.isEmpty()) return {};
    if (const std::optional<Rect> bounds = LayerExtent::contentBounds(model, presented, toDevice, mediaTime)) {
        box = bounds->intersection(box);
    }
    return PixelRect::covering(box, context);
}

// Whether a picture laid down over the device pixels of `box` gives, to the
// bit, what drawing the contents there would: where nothing lies beneath it
// yet, at full alpha and in the normal blend mode. Over other pixels, or
// through an alpha, the picture is one rounding of all the contents' drawings
// together where drawing them rounds each in turn.
bool laysDownAsDrawn(const GraphicsContext& context, int x, int y, int width, int height) {
    return context.alpha() == 1 && context.blendMode() == graphics::BlendMode::normal &&
           context.isClearWithin(x, y, width, height);
}

void drawPicture(const ContentCacheEntry& entry, GraphicsContext& context) {
    if (entry.picture) {
        context.drawDeviceImageIgnoringClip(entry.picture, entry.x, entry.y);
    }
}

// The part of a drawn picture that holds anything, as a picture of its own
// (none when nothing was drawn), where it starts within it, and how many
// pixels it keeps alive; `bufferPixels`: those of the buffer the picture is
// seen through.
struct Cropped {
    std::shared_ptr<const graphics::Image> picture;
    int left = 0, top = 0;
    bool holdsNothing = false;
    std::int64_t heldPixels = 0;
};

Cropped cropped(const std::shared_ptr<const graphics::Image>& picture, std::int64_t bufferPixels) {
    const int width = picture->width(), height = picture->height(), stride = picture->bytesPerRow();
    const std::uint8_t* pixels = picture->pixels().data();
    int left = width, right = -1, top = height, bottom = -1;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(pixels + static_cast<std::size_t>(y) * stride);
        int first = 0;
        while (first < width && row[first] == 0) ++first;
        if (first == width) continue;
        int last = width - 1;
        while (row[last] == 0) --last;
        left = std::min(left, first);
        right = std::max(right, last);
        top = std::min(top, y);
        bottom = y;
    }
    if (right < 0) {
        return {nullptr, 0, 0, true, 0};
    }
    const int croppedWidth = right - left + 1, croppedHeight = bottom - top + 1;
    const std::int64_t croppedPixels = static_cast<std::int64_t>(croppedWidth) * croppedHeight;
    if (2 * croppedPixels >= bufferPixels) {
        // Most of the buffer holds something: keep it, seen through the part
        // that does, rather than making a second buffer to copy that part into.
        return {picture->region(left, top, croppedWidth, croppedHeight), left, top, false, bufferPixels};
    }
    // A little of a large buffer: copied out, so that the rest is not kept.
    const int croppedStride = graphics::Image::bytesPerRowFor(graphics::Image::Format::argb32Premultiplied, croppedWidth);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(croppedStride) * croppedHeight);
    for (int y = 0; y < croppedHeight; ++y) {
        std::memcpy(bytes.data() + static_cast<std::size_t>(y) * croppedStride,
                    pixels + static_cast<std::size_t>(top + y) * stride + static_cast<std::size_t>(left) * 4,
                    static_cast<std::size_t>(croppedWidth) * 4);
    }
    return {graphics::Image::make(croppedWidth, croppedHeight, graphics::Image::Format::argb32Premultiplied,
                                  std::move(bytes)),
            left, top, false, croppedPixels};
}

// After a look that found the contents changed, or not to be kept: contents
// found so on looks in a row are likely to stay so, and the next looks (a
// walk of the whole subtree each) come further apart, up to one in every
// few frames.
void lookLater(ContentCacheEntry& entry) {
    entry.checksToSkip = std::min(entry.changedLooks, maximumChecksSkipped);
    ++entry.changedLooks;
}

}  // namespace

// The pictures of the layers under `model`, which its own picture now holds.
void ContentCache::dropPicturesUnder(const Layer& model) {
    std::vector<const Layer*> pending;
    for (const auto& sublayer : model.sublayers()) pending.push_back(sublayer.get());
    while (!pending.empty()) {
        const Layer* layer = pending.back();
        pending.pop_back();
        if (layer->contentCache_) setPicture(*layer->contentCache_, nullptr);
        if (layer->mask()) pending.push_back(layer->mask().get());
        for (const auto& sublayer : layer->sublayers()) pending.push_back(sublayer.get());
    }
}

ContentCacheEntry::~ContentCacheEntry() { pixelsKept -= heldPixels; }

std::int64_t ContentCache::pixelsInUse() { return pixelsKept; }

std::int64_t ContentCache::maximumPixels(const GraphicsContext& target) {
    return std::max<std::int64_t>(static_cast<std::int64_t>(target.width()) * target.height(), minimumPixels);
}

bool ContentCache::draw(Layer& model, const Layer& presented, double mediaTime, GraphicsContext& context,
                        const DrawContents& draw) {
    if (context.width() <= 0 || context.height() <= 0 || paintsOnlyItsBackground(model, presented)) {
        return false;
    }
    if (const RenderBudget* frame = RenderBudget::active(); frame && frame->shownPixels() < minimumShownPixels) {
        return false;
    }
    const AffineTransform toDevice = context.currentTransform();
    const bool seen = model.contentCache_ != nullptr;
    if (!seen) model.contentCache_ = std::make_unique<ContentCacheEntry>();
    ContentCacheEntry& entry = *model.contentCache_;
    if (seen && entry.toDevice != toDevice) {
        // Moved since the last frame, as a layer under an animated one is on
        // every frame: the clip (costly to read) is left until it stays put.
        entry.toDevice = toDevice;
        entry.clipIsKnown = false;
        setPicture(entry, nullptr);
        return false;
    }
    if (entry.checksToSkip > 0) {
        --entry.checksToSkip;
        return false;
    }
    if (seen && entry.version != model.subtreeVersion()) {
        // Changed under the layer since the last look: a new state, drawn as
        // usual. The subtree is walked once it stays as it is, not now.
        entry.version = model.subtreeVersion();
        entry.clipIsKnown = false;
        setPicture(entry, nullptr);
        lookLater(entry);
        return false;
    }
    const std::optional<std::uint64_t> presentedChanges = presentedChangesOfTree(model, mediaTime, entry);
    if (!presentedChanges) {
        setPicture(entry, nullptr);
        lookLater(entry);
        return false;
    }
    std::optional<graphics::DeviceClipShape> clip = context.deviceClipShape();
    // A clip of paths, read back in device space, is not the clip the
    // contents are drawn under to the bit: its edges would come out apart.
    if (!clip || !clip->paths.empty()) return false;
    const bool same = entry.clipIsKnown && entry.version == model.subtreeVersion() &&
                      entry.presentedChanges == *presentedChanges && entry.toDevice == toDevice &&
                      entry.clip == *clip && entry.targetWidth == context.width() &&
                      entry.targetHeight == context.height();
    if (!same) {
        // A new state: drawn as usual, and kept if the next frame brings it again.
        entry.version = model.subtreeVersion();
        entry.presentedChanges = *presentedChanges;
        entry.toDevice = toDevice;
        entry.clip = std::move(*clip);
        entry.clipIsKnown = true;
        entry.targetWidth = context.width();
        entry.targetHeight = context.height();
        entry.refusedPixels = 0;
        setPicture(entry, nullptr);
        lookLater(entry);
        return false;
    }
    entry.changedLooks = 0;
    if (entry.holdsNothing) return true;
    if (entry.picture) {
        if (!laysDownAsDrawn(context, entry.x, entry.y, entry.picture->width(), entry.picture->height())) return false;
        drawPicture(entry, context);
        return true;
    }
    if (picturesBeingDrawn > 0) return false;
    if (entry.refusedPixels > 0 && pixelsKept + entry.refusedPixels > maximumPixels(context)) return false;
    const PixelRect pixels = reach(model, presented, mediaTime, entry.clip, context, toDevice);
    if (pixels.isEmpty() || context.alpha() != 1 || context.blendMode() != graphics::BlendMode::normal) return false;
    const std::int64_t size = static_cast<std::int64_t>(pixels.width) * pixels.height;
    if (pixelsKept + size > maximumPixels(context)) {
        entry.refusedPixels = size;
        return false;
    }
    entry.refusedPixels = 0;
    // Drawn in the target's own device space, not moved to the buffer's
    // corner: the same transform to the bit, so that every coverage and
    // sample comes out as drawing into the target gives it.
    if (pixels.x < 0 || pixels.y < 0) return false;
    std::unique_ptr<GraphicsContext> buffer =
        GraphicsContext::makeBitmap(pixels.x + pixels.width, pixels.y + pixels.height);
    if (!buffer) return false;
    buffer->clipToRect(pixels.rect());
    // The clip the contents are drawn under, as they would be in the target.
    buffer->clipToDeviceClipShape(entry.clip);
    buffer->concatenate(toDevice);
    ++picturesBeingDrawn;
    draw(*buffer);
    --picturesBeingDrawn;
    dropPicturesUnder(model);
    std::shared_ptr<const graphics::Image> drawn = GraphicsContext::finishImage(std::move(buffer));
    if (!drawn) return false;
    const std::shared_ptr<const graphics::Image> picture = drawn->region(pixels.x, pixels.y, pixels.width, pixels.height);
    if (!picture) return false;
    // Only what holds anything is kept and laid down again.
    Cropped kept = cropped(picture, static_cast<std::int64_t>(drawn->width()) * drawn->height());
    if (!kept.picture && !kept.holdsNothing) return false;
    entry.x = pixels.x + kept.left;
    entry.y = pixels.y + kept.top;
    setPicture(entry, std::move(kept.picture), kept.heldPixels);
    entry.holdsNothing = kept.holdsNothing;
    if (entry.picture &&
        !laysDownAsDrawn(context, entry.x, entry.y, entry.picture->width(), entry.picture->height())) {
        return false;  // kept for a frame that draws nothing beneath it
    }
    drawPicture(entry, context);
    return true;
}

}  // namespace platform::compositor
