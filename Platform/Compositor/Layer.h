#pragma once
// A node of the compositor's layer tree: geometry, appearance, contents, timing and
// the animations attached to it. Stands in for the platform's layer class; both
// rendering engines and the playback core build their trees from it.
//
// Ownership: a layer owns its sublayers and its mask (std::shared_ptr) and points
// back to its superlayer weakly. Layers are always held by std::shared_ptr (make()).
// Main thread only.
//
// Properties have the platform's defaults: anchor point (0.5, 0.5), identity
// transforms, opacity 1, contents scale 1, gravity resize, shadow opaque black at
// opacity 0 with offset (0, -3) and radius 3, speed 1. Every animatable property
// can also be read and set through its key-path text (value, setValue), the
// transform parts included (see TransformComponents.h); unknown keys read as
// absent. Subclasses may declare extra animatable numbers ("currentFrame") and say
// that a change of one needs display. There are no implicit animations: setting a
// property changes it at once; action() is only a lookup kept for callers.
//
// Presentation: presentation() is a copy made through makePresentationCopy(),
// which each subclass overrides with its copy-from-layer constructor (or refuses),
// carrying every property at its presented value for the media clock's current
// time. It has no superlayer, sublayers, mask or animations. It is none for a layer
// that has never been part of a tree drawn by render() or ticked by a DisplayLink.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Compositor/AnimatableValue.h"
#include "Platform/Compositor/Animation.h"
#include "Platform/Compositor/AnimationList.h"
#include "Platform/Compositor/ContentsGravity.h"
#include "Platform/Compositor/TransformComponents.h"
#include "Platform/Graphics/Color.h"
#include "Platform/Graphics/Point.h"
#include "Platform/Graphics/Rect.h"
#include "Platform/Graphics/Size.h"
#include "Platform/Graphics/Transform3D.h"

namespace platform::graphics {
class GraphicsContext;
class Image;
}  // namespace platform::graphics

namespace platform::compositor {

struct ContentCacheEntry;
class GradientLayer;
class ShapeLayer;

class Layer : public std::enable_shared_from_this<Layer> {
public:
    using ImageRef = std::shared_ptr<const graphics::Image>;

    Layer();
    // The copy-from-layer constructor of presentation copies: every property of
    // `layer`, none of its tree, animations or pending display and layout.
    Layer(const Layer& layer);
    Layer& operator=(const Layer&) = delete;
    virtual ~Layer();

    static std::shared_ptr<Layer> make() { return std::make_shared<Layer>(); }

    // Tree.
    std::shared_ptr<Layer> superlayer() const { return isMask_ ? nullptr : parent_.lock(); }
    const std::vector<std::shared_ptr<Layer>>& sublayers() const { return sublayers_; }
    // Adding a layer that already has a superlayer moves it; adding a layer to
    // itself or to one of its own sublayers (a cycle) throws std::invalid_argument,
    // as does a null layer.
    void addSublayer(std::shared_ptr<Layer> layer);
    // An index past the end appends.
    void insertSublayer(std::shared_ptr<Layer> layer, std::size_t index);
    void removeFromSuperlayer();
    // Drawn in this layer's coordinates, not a sublayer; it may have its own mask.
    const std::shared_ptr<Layer>& mask() const { return mask_; }
    // Setting a layer's mask takes it out of its superlayer (or away from the layer
    // it masked); a cycle throws std::invalid_argument.
    void setMask(std::shared_ptr<Layer> mask);
    // The layer this one is the mask of, if any.
    std::shared_ptr<Layer> maskOwner() const { return isMask_ ? parent_.lock() : nullptr; }
    const std::string& name() const;
    void setName(std::string name);

    // Geometry.
    const graphics::Rect& bounds() const { return bounds_; }
    void setBounds(const graphics::Rect& bounds);
    graphics::Point position() const { return position_; }
    void setPosition(graphics::Point position);
    graphics::Point anchorPoint() const { return anchorPoint_; }
    void setAnchorPoint(graphics::Point anchorPoint);
    const graphics::Transform3D& transform() const {
        return transform_ ? transform_->matrix : identityTransform;
    }
    void setTransform(const graphics::Transform3D& transform);
    const graphics::Transform3D& sublayerTransform() const { return rare().sublayerTransform; }
    void setSublayerTransform(const graphics::Transform3D& transform);
    // The bounds as the superlayer sees them, ignoring the transform; setting it
    // sets the bounds' size and the position.
    graphics::Rect frame() const;
    void setFrame(const graphics::Rect& frame);

    // Appearance.
    double opacity() const { return opacity_; }
    void setOpacity(double opacity);
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden);
    bool masksToBounds() const { return masksToBounds_; }
    void setMasksToBounds(bool masks);
    const std::optional<graphics::Color>& backgroundColor() const { return rare().backgroundColor; }
    void setBackgroundColor(std::optional<graphics::Color> color);
    const ImageRef& contents() const { return rare().contents; }
    void setContents(ImageRef contents);
    ContentsGravity contentsGravity() const { return rare().contentsGravity; }
    void setContentsGravity(ContentsGravity gravity);
    double contentsScale() const { return rare().contentsScale; }
    void setContentsScale(double scale);
    // A blend-mode name ("multiplyBlendMode", ...) or "xor"; none composites normally.
    const std::optional<std::string>& compositingFilter() const { return rare().compositingFilter; }
    void setCompositingFilter(std::optional<std::string> filter);
    const std::optional<graphics::Color>& shadowColor() const { return rare().shadowColor; }
    void setShadowColor(std::optional<graphics::Color> color);
    double shadowOpacity() const { return rare().shadowOpacity; }
    void setShadowOpacity(double opacity);
    graphics::Size shadowOffset() const { return rare().shadowOffset; }
    void setShadowOffset(graphics::Size offset);
    double shadowRadius() const { return rare().shadowRadius; }
    void setShadowRadius(double radius);
    // Kept for callers; drawing is the same either way.
    bool shouldRasterize() const { return shouldRasterize_; }
    void setShouldRasterize(bool rasterize) { shouldRasterize_ = rasterize; }

    // Timing of the layer's local time: (parent - beginTime) x speed + timeOffset.
    double speed() const { return rare().speed; }
    void setSpeed(double speed);
    double timeOffset() const { return rare().timeOffset; }
    void setTimeOffset(double offset);
    double beginTime() const { return rare().beginTime; }
    void setBeginTime(double time);

    // Key-value access by the whole key-path text.
    virtual std::optional<AnimatableValue> value(std::string_view keyPath) const;
    // False (and nothing changed) for an unknown key or a value of the wrong type.
    // None clears optional properties (colours, contents) and is refused by others.
    virtual bool setValue(std::string_view keyPath, const std::optional<AnimatableValue>& value);
    // Declares an animatable number under `key`, readable and settable by key.
    void declareAnimatableNumber(std::string key, double initialValue, bool needsDisplayOnChange);
    bool needsDisplayForKey(std::string_view key) const;

    // Display and layout.
    // For a layer that draws in the render pass, only asks for a new frame.
    void setNeedsDisplay();
    bool needsDisplay() const { return needsDisplay_; }
    // How many times this layer or one under it has been marked as needing
    // display, so far: what does not see it grow knows that none has since.
    std::uint64_t subtreeDisplayRequests() const { return displayRequests_; }
    void displayIfNeeded();
    // By default draws draw() into a new image of the bounds' size times
    // contentsScale and makes it the contents, its pixels taken from the work
    // budget of the frame being drawn; a layer that does not override draw()
    // keeps its contents. A drawing too large for such an image (a line of
    // text tens of thousands of units long, shown small) is drawn in the render
    // pass instead, at the device's resolution and only where it shows.
    virtual void display();
    static constexpr double maximumBackingPixels = 16.0 * 1024 * 1024;
    static constexpr double maximumBackingSide = 16384;
    // Draws in the bounds' coordinates.
    virtual void draw(graphics::GraphicsContext& context);
    // Whether the renderer calls draw() straight into the frame's context every
    // time it draws the layer (after its contents, before its sublayers), under
    // the layer's transform and in its bounds' coordinates, instead of display()
    // keeping the drawing as a contents image. A cached image holds the drawing
    // at contentsScale pixels per point, so it blurs wherever the layer is shown
    // larger, and every change costs a new bitmap; drawn in the render pass, the
    // drawing is as sharp as the device and needs no bitmap at all. It suits
    // drawings that are cheap to repeat, such as a gradient on a path. The
    // drawing must stay within the bounds, which is all the renderer counts as
    // the layer's own painting when it sizes groups and masks. Off by default;
    // turning it on drops the contents that display() made.
    // A layer whose bitmap would be larger than maximumBackingPixels, or wider
    // or taller than maximumBackingSide, also draws in the render pass (see
    // display()).
    bool drawsInRenderPass() const { return drawsInRenderPass_ || drawsOversized_; }
    void setDrawsInRenderPass(bool drawsInRenderPass);
    void setNeedsLayout();
    bool needsLayout() const { return needsLayout_; }
    // Lays out this layer if it needs it, then its mask and its sublayers. The
    // mask comes after the layer's own layout, which may resize it, and is laid
    // out like any sublayer: a mask that waits for layout would keep the display
    // link busy forever.
    void layoutIfNeeded();
    virtual void layoutSublayers() {}

    // Actions: a lookup only; no action ever runs by itself. The table is
    // immutable once set, so that the many layers of one kind can share the
    // same one instead of each holding a copy.
    using Actions = std::map<std::string, std::shared_ptr<Animation>, std::less<>>;
    const Actions& actions() const;
    void setActions(Actions actions);
    const std::shared_ptr<const Actions>& sharedActions() const { return actions_; }
    void setSharedActions(std::shared_ptr<const Actions> actions) { actions_ = std::move(actions); }
    // The entry of actions() for the key (which may be null), else null.
    virtual std::shared_ptr<Animation> action(std::string_view key) const;

    // Time and space conversions. A null layer means the media clock (time) or
    // the root of the tree (space).
    double localTime(double mediaTime) const;
    double convertTime(double time, const Layer* from) const;
    double convertTimeTo(double time, const Layer* to) const;
    graphics::Point convertPoint(graphics::Point point, const Layer* from) const;
    graphics::Point convertPointTo(graphics::Point point, const Layer* to) const;
    graphics::Rect convertRect(const graphics::Rect& rect, const Layer* from) const;
    graphics::Rect convertRectTo(const graphics::Rect& rect, const Layer* to) const;

    // Animations. add() attaches a copy; a begin time of 0 becomes the layer's
    // local time now. Throws std::invalid_argument for a null animation.
    void addAnimation(const std::shared_ptr<Animation>& animation, std::string key);
    void removeAnimation(std::string_view key);
    void removeAllAnimations();
    std::shared_ptr<const Animation> animation(std::string_view key) const {
        return animated_ ? animated_->animations.find(key) : nullptr;
    }
    std::vector<std::string> animationKeys() const;
    bool hasAnimations() const { return animated_ && !animated_->animations.empty(); }
    // Whether the layer has animations and each presents one value at every
    // time (Animation::presentsOneValue): what it presents then depends on the
    // layer and its animations alone, not on time.
    bool presentsOneValueAtEveryTime() const { return animated_ && animated_->animations.presentOneValueEach(); }
    // Whether the layer has animations and none of them changes what it draws
    // from one time to another: each presents one value at every time or drives
    // only numbers declared without display (declareAnimatableNumber), which
    // nothing draws from, such as the progress a playing animation reports.
    bool drawsTheSameAtEveryTime() const { return animated_ && animated_->animations.drawTheSameEach(); }

    // Told by the renderer when one of its limits (see RenderBudget) left out or
    // simplified part of a tree it drew through this layer. True when the layer
    // has dealt with the message (an animation's root layer logs it); false, the
    // default, passes it on to the layer drawing this one.
    virtual bool reportRenderLimit(const std::string& message);

    // The parts of the transform that its key paths name: those it was last
    // set from, else those of its nearest decomposition.
    TransformComponents transformComponents() const;
    // Sets the transform to the parts' matrix, keeping the parts, as setting
    // each part by its key path in turn would leave it.
    void setTransformComponents(const TransformComponents& parts);

    // Presentation.
    std::shared_ptr<Layer> presentation() const;
    // A presentation copy at a media time, whether or not the layer was drawn.
    std::shared_ptr<Layer> presentationAt(double mediaTime) const;
    // What the animations present for one key path at a media time.
    std::optional<AnimatableValue> presentedValue(std::string_view keyPath, double mediaTime) const;
    virtual std::shared_ptr<Layer> makePresentationCopy() const;
    bool hasBeenPresented() const { return presented_; }

    // The layer as the kind that paints a shape or a gradient, or null: what
    // the renderer asks of every layer it draws, cheaper than a cast.
    virtual const ShapeLayer* asShapeLayer() const { return nullptr; }
    virtual const GradientLayer* asGradientLayer() const { return nullptr; }

    // Grows with every change of this layer and of the layers under it
    // (sublayers, masks, their sublayers): what a picture of its contents kept
    // from an earlier frame is checked against.
    std::uint64_t subtreeVersion() const;
    // Grows whenever what the layer's animations present at `mediaTime` differs
    // from what they presented when last asked (the presentation copy for that
    // time is made, and kept for the frame, on the way): together with the
    // subtree version, what a picture of an animated layer is checked against.
    // 0 for a layer without animations.
    std::uint64_t presentedChangesAt(double mediaTime) const;
    // The same count as last asked, without asking at any time.
    std::uint64_t presentedChangesSoFar() const { return animated_ ? animated_->presentedChanges : 0; }

    // Lets go of what drawing this layer and the layers under it (sublayers
    // and masks) keeps from one frame for the next: the pictures kept of their
    // contents (ContentCache), the presentation copies and presented values
    // kept of them, and the copies that the images they show keep of
    // themselves, reduced or as shown. Drawing again makes them again as
    // needed. What a paused or hidden view gives back.
    void releaseKeptStorage();

protected:
    // Called by setters after a change, so a display link knows to draw a frame
    // and kept pictures of this layer and the layers above it are drawn anew.
    void markChanged();
    // Marks the layers above as leading to one that needs layout, up to the
    // first that already is.
    void flagLayoutAbove();
    // The same for a change of the layer's timing alone (speed, time offset,
    // begin time), which changes nothing drawn by a tree whose picture is kept.
    void markTimingChanged();

private:
    friend class DisplayLink;
    friend class Renderer;
    friend class ContentCache;
    friend class FrameThread;

    // Set up by the renderer for the outermost render under way on a thread:
    // the presentation copies kept during it for its time alone are let go
    // when it ends. The next frame, at another time, makes new ones anyway,
    // and a copy kept from one frame to the next would only hold memory.
    class FramePresentations {
    public:
        FramePresentations();
        ~FramePresentations();
        FramePresentations(const FramePresentations&) = delete;
        FramePresentations& operator=(const FramePresentations&) = delete;
        void hold(const Layer& layer);
        // Tells this frame apart from every other one on the thread.
        std::uint64_t serial() const { return serial_; }

    private:
        std::vector<std::weak_ptr<const Layer>> layers_;
        FramePresentations* previous_;
        std::uint64_t serial_;
    };
    // The frame of the outermost render under way on this thread, if any.
    static thread_local FramePresentations* currentFrame_;

    struct CustomNumber {
        std::string key;
        double value = 0;
        bool needsDisplay = false;
        // What the display link last saw presented, to tell when it changes.
        std::optional<AnimatableValue> lastPresented;
    };

    static constexpr graphics::Transform3D identityTransform{};

    CustomNumber* findCustom(std::string_view key);
    const CustomNumber* findCustom(std::string_view key) const;
    bool isAncestorOf(const Layer& layer) const;
    // The superlayer, or for a mask the layer it masks: whose time and space this
    // layer's count from.
    std::shared_ptr<Layer> parentLayer() const;
    std::shared_ptr<Layer> ownedSelf(const char* operation);
    double mediaTimeFromLocal(double localTime) const;
    bool setTransformPart(TransformComponents::Part part, const AnimatableValue& value);

    struct Rare {
        ImageRef contents;
        double speed = 1;
        double timeOffset = 0;
        double beginTime = 0;
        graphics::Transform3D sublayerTransform;
        std::optional<graphics::Color> backgroundColor;
        ContentsGravity contentsGravity = ContentsGravity::resize;
        double contentsScale = 1;
        std::optional<std::string> compositingFilter;
        std::optional<graphics::Color> shadowColor = graphics::Color::black();
        double shadowOpacity = 0;
        graphics::Size shadowOffset{0, -3};
        double shadowRadius = 3;
    };
    const Rare& rare() const {
        static const Rare defaults;
        return rare_ ? *rare_ : defaults;
    }
    // This layer's own copy, made on the first change.
    Rare& editableRare();

    // The transform, and the parts it was last built from when it was set by
    // parts, so that setting one part after another never loses the others.
    // The parts are held apart: most transforms are set whole and have none.
    struct TransformState {
        graphics::Transform3D matrix;
        std::unique_ptr<TransformComponents> parts;

        TransformState() = default;
        explicit TransformState(const graphics::Transform3D& transform) : matrix(transform) {}
        TransformState(TransformState&&) = default;
        TransformState(const TransformState& other)
            : matrix(other.matrix),
              parts(other.parts ? std::make_unique<TransformComponents>(*other.parts) : nullptr) {}
        TransformState& operator=(const TransformState&) = delete;
        bool operator==(const TransformState& other) const {
            return matrix == other.matrix && (parts ? other.parts && *parts == *other.parts : !other.parts);
        }
    };
    // This layer's own transform state, made or copied on the first change.
    TransformState& editableTransform();
    // The state of a transform (with the parts it was built from, if any)
    // that layers of other trees may share: the views of one document set
    // the same transforms on their layers.
    static std::shared_ptr<TransformState> sharedTransformState(const graphics::Transform3D& transform,
                                                                const TransformComponents* parts = nullptr);

    // The attached animations and the last presentation copy made, kept while
    // the layer and its animations stay as they were (its subtree version): at
    // every time for a layer whose animations each present one value at every
    // time, so that drawing it makes no copy per frame, else for the local time
    // it was made for.
    //
    // Once something asks how often what the layer presents has changed
    // (presentedChangesAt: the checks of kept pictures), the values the
    // animations wrote into the last copy made are kept too: when a new copy
    // comes out with the same values, the layer presents what it presented
    // before (an animation holding its last keyframe, say), and pictures kept
    // of it stay good; presentedChanges counts the copies that came out
    // different. Until then every copy counts as a change, and no values are
    // kept: a layer no picture is kept of (in a small view) holds none.
    struct Animated {
        AnimationList animations;
        std::shared_ptr<Layer> heldPresentation;
        std::uint64_t heldPresentationVersion = 0;
        double heldPresentationTime = 0;
        std::vector<std::pair<std::string, AnimatableValue>> presentedValues;
        bool keepsPresentedValues = false;
        std::uint64_t presentedChanges = 0;
        // Where presentedChangesAt was last answered within a frame: asked
        // again for the same time in the same frame (by every layer above
        // that checks a kept picture), it answers without making the copy.
        std::uint64_t changesFrame = 0;
        double changesTime = 0;
        std::uint64_t changesVersion = 0;
    };
    const std::vector<CustomNumber>& customNumbers() const;

    // The superlayer, or the layer whose mask this is (isMask_).
    std::weak_ptr<Layer> parent_;
    std::vector<std::shared_ptr<Layer>> sublayers_;
    std::shared_ptr<Layer> mask_;
    // Null for no name; shared with presentation copies.
    std::shared_ptr<const std::string> name_;

    graphics::Rect bounds_;
    graphics::Point position_;
    graphics::Point anchorPoint_{0.5, 0.5};
    // Null for the identity set as a whole; shared with a presentation copy
    // until one of the two changes its transform (editableTransform() copies
    // it first). Most layers have none, and most presentation copies share it.
    std::shared_ptr<TransformState> transform_;

    double opacity_ = 1;
    // The properties most layers leave at their defaults, held apart so that
    // such a layer and each presentation copy of it do not carry them: null
    // while all are at their defaults, and shared with a presentation copy
    // until one of the two sets one (editableRare() copies it first).
    std::shared_ptr<Rare> rare_;

    // Null without declared numbers.
    std::unique_ptr<std::vector<CustomNumber>> customNumbers_;
    std::shared_ptr<const Actions> actions_;
    // Null until an animation is added.
    std::unique_ptr<Animated> animated_;

    bool isMask_ = false;
    bool hidden_ = false;
    bool masksToBounds_ = false;
    bool shouldRasterize_ = false;
    bool drawsInRenderPass_ = false;
    // Set by display() for a drawing too large to keep as an image.
    bool drawsOversized_ = false;
    bool needsDisplay_ = false;
    // Set by the base draw(), so display() can tell a layer that draws nothing.
    bool drewNothing_ = false;
    bool needsLayout_ = false;
    // Some layer below (a sublayer or a mask, at any depth) needs layout: a
    // layout pass walks only the branches that lead to one, so that a large
    // tree laid out once costs nothing to look over each frame. Set on every
    // layer above one that comes to need layout (see flagLayoutAbove()).
    bool layoutBelow_ = false;
    bool presented_ = false;
    bool changedSinceFrame_ = true;
    // Whether transform_ came from sharedTransformState(): such a state is
    // never changed, even by its only holder; a change replaces it.
    bool transformShared_ = false;
    // Whether the first transform comes from sharedTransformState(): not for
    // a presentation copy, made anew with the values of its own time.
    bool sharesFirstTransform_ = true;
    std::uint64_t subtreeVersion_ = 0;
    std::uint64_t displayRequests_ = 0;
    // When this layer last changed, in reads of subtree versions (markChanged).
    std::uint64_t changedInEpoch_ = 0;
    // The local time last worked out within a frame, for the media time
    // asked and the timing of the tree as it stood (timingEpoch): every
    // presentation below asks for its own, each walking the same ancestors.
    mutable std::uint64_t localTimeFrame_ = 0;
    mutable std::uint64_t localTimeEpoch_ = 0;
    mutable double localTimeMedia_ = 0;
    mutable double localTime_ = 0;
    // A picture of the layer's contents from an earlier frame (ContentCache).
    std::unique_ptr<ContentCacheEntry> contentCache_;
};

}  // namespace platform::compositor
