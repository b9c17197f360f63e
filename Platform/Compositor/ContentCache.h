#pragma once
// Pictures of layer contents kept from one frame to the next, so that a layer
// whose contents did not change is not drawn again: the renderer draws the kept
// picture instead, one image at device resolution.
//
// A picture is kept for a layer once its contents came out the same on two
// frames in a row, and is drawn again while what can change it stays the same:
// the layer tree under it (Layer::subtreeVersion), what the animations in it
// present (Layer::presentedChangesAt: an animation that holds its value, or
// that drives nothing drawn, keeps the picture), where it lands on the device
// (the whole device transform), the clip it is drawn under and the target's
// size. A layer that moved since the last frame has its clip read only once it
// lands where it did the frame before, so that a layer that moves on every
// frame costs no more than comparing its transform. A subtree that changed
// since the last look is walked only once it holds still; a walk leaves the
// animated layers it met for the next looks, which ask those alone while the
// subtree stays as it is; and contents found changed, or not to be kept, on
// looks in a row are looked at less often (up to one frame in four).
// Contents that change on their own are never kept: a pending display, and
// blend modes under the layer (they blend with what lies beneath the layer,
// which a picture of the contents alone does not hold); nor are contents
// under a pixel mask, nor under a clip of paths (the bounds of a view fitted
// at a scale that puts its edges between pixels, say): read back in device
// space, the paths would not clip a picture to the bit as the clip itself
// clips the contents. The clip is read as the device-aligned rectangles it
// is made of. The picture is drawn under the clip and laid down without it.
// A picture is laid down only where it gives the very pixels drawing the
// contents would: at full alpha, in the normal blend mode, and where nothing
// lies beneath it yet in the target (or the transparency layer open). Over
// anything else the contents are drawn as usual: a picture rounds all their
// drawings once, where drawing them rounds each in turn over what is there,
// and a frame must look the same whatever frames were drawn before it.
//
// A frame that shows few pixels (a sticker, an icon: fewer than
// minimumShownPixels within the clip it is drawn under) keeps nothing, not
// even what the checks compare: drawing its layers costs little more than
// laying pictures of them down would, and what is kept would cost a small
// view more memory than the pixels it draws.
//
// The pictures of all layers share a bound in pixels (one target's worth);
// past it no more are kept. Each lives with its layer (Layer owns its entry). Main thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "Platform/Graphics/AffineTransform.h"
#include "Platform/Graphics/DeviceClipShape.h"
#include "Platform/Graphics/Rect.h"

namespace platform::graphics {
class GraphicsContext;
class Image;
}  // namespace platform::graphics

namespace platform::compositor {

class Layer;

struct ContentCacheEntry {
    ContentCacheEntry() = default;
    ~ContentCacheEntry();
    ContentCacheEntry(const ContentCacheEntry&) = delete;
    ContentCacheEntry& operator=(const ContentCacheEntry&) = delete;

    // What the contents were last drawn under.
    std::uint64_t version = 0;
    std::uint64_t presentedChanges = 0;
    graphics::AffineTransform toDevice;
    graphics::DeviceClipShape clip;
    // False while the layer moves from frame to frame: the clip is not read then.
    bool clipIsKnown = false;
    int targetWidth = 0;
    int targetHeight = 0;
    // The picture, cropped to what it holds, and its device-pixel origin;
    // none until the contents came out the same twice, or when they draw
    // nothing (holdsNothing).
    std::shared_ptr<const graphics::Image> picture;
    bool holdsNothing = false;
    // The pixels the picture keeps alive: its own, or those of the larger
    // buffer it is seen through.
    std::int64_t heldPixels = 0;
    int x = 0;
    int y = 0;
    // The pixels a picture of this state would take, when the room left
    // for pictures was too small for it: it is not looked for again (a walk
    // of the whole subtree) until the state changes or the room grows.
    std::int64_t refusedPixels = 0;
    // How many looks in a row found the contents changed or not to be kept,
    // and how many of the next frames are drawn as usual before the next look.
    int changedLooks = 0;
    int checksToSkip = 0;
    // The animated layers of the subtree as its last whole walk found them
    // (when there were few enough to keep),
    // good while the subtree's version and its count of display requests
    // stay as they were then (the layers are the subtree's own: none goes
    // without a change of the version).
    bool walkIsKnown = false;
    std::uint64_t walkVersion = 0;
    std::uint64_t walkDisplays = 0;
    // In the order of the walk, each with the index just past the animated
    // layers under it: a layer that presents itself hidden at the time looked
    // at draws none of them, and they are not asked.
    struct AnimatedLayer {
        const Layer* layer;
        std::size_t end;
    };
    std::vector<AnimatedLayer> animatedLayers;
};

class ContentCache {
public:
    ContentCache() = delete;

    // The pixels all kept pictures may hold together: as many as the target
    // they are drawn into has, so that keeping pictures never costs more
    // memory than one more frame would; never fewer than this.
    static constexpr std::int64_t minimumPixels = 65'536;
    static std::int64_t maximumPixels(const graphics::GraphicsContext& target);
    // The fewest pixels a frame shows for its layers to keep pictures.
    static constexpr double minimumShownPixels = 64.0 * 64;

    using DrawContents = std::function<void(graphics::GraphicsContext&)>;

    // Draws `model`'s contents into `context` from a kept picture, or by
    // `draw` into a new one that is kept: true. False when the contents are to
    // be drawn as usual, by the caller (the first sighting of a state, contents
    // that cannot be kept, or no room left).
    static bool draw(Layer& model, const Layer& presented, double mediaTime, graphics::GraphicsContext& context,
                     const DrawContents& draw);

    // Pixels held by kept pictures now.
    static std::int64_t pixelsInUse();

private:
    // Lets go of the pictures of the layers under `model`, which its own
    // picture now holds.
    static void dropPicturesUnder(const Layer& model);
};

}  // namespace platform::compositor
