#include "Platform/Compositor/Layer.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <stdexcept>

#include "Platform/Compositor/ContentCache.h"
#include "Platform/Compositor/LayerGeometry.h"
#include "Platform/Compositor/LayerKeyValue.h"
#include "Platform/Compositor/MediaClock.h"
#include "Platform/Compositor/Transaction.h"
#include "Platform/Compositor/FrameThread.h"
#include "Platform/Foundation/CopyOnWrite.h"
#include "Platform/Foundation/SharingPool.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/Image.h"
#include "Platform/Graphics/WorkBudget.h"

namespace platform::compositor {

using graphics::AffineTransform;
using graphics::Color;
using graphics::Point;
using graphics::Rect;
using graphics::Size;
using graphics::Transform3D;

namespace {

// Grows whenever the timing of a tree may have changed: a layer's timing set,
// or a layer given another parent or mask. Local times remembered before are
// then worked out afresh.
std::atomic<std::uint64_t> timingEpoch{1};

// A part of a transform's parts as a key path presents it.
AnimatableValue partValue(const TransformComponents& parts, TransformComponents::Part part) {
    if (part == TransformComponents::Part::translation) {
        return AnimatableValue(Point(parts.translationX, parts.translationY));
    }
    return AnimatableValue(parts.number(part));
}

// Sets a part of a transform's parts from a value of a key path; false,
// changing nothing, for a value of another type.
bool setPart(TransformComponents& parts, TransformComponents::Part part, const AnimatableValue& value) {
    if (part == TransformComponents::Part::translation) {
        const Point* point = value.get<Point>();
        if (!point) {
            return false;
        }
        parts.translationX = point->x;
        parts.translationY = point->y;
        return true;
    }
    const std::optional<double> number = value.number();
    if (!number) {
        return false;
    }
    parts.setNumber(part, *number);
    return true;
}

// Writes into a presentation copy by key path, and tells whether the
// values written are those of the last copy, which it keeps in their place.
// The parts of the transform that animations write one after another are
// gathered and the copy's transform built from them once, as writing each in
// turn would leave it, unless the whole transform is read or written between.
class RecordingTarget : public AnimationTarget {
public:
    // Writes into `layer`, and compares with and records into `values` when
    // there are any to keep.
    RecordingTarget(Layer& layer, std::vector<std::pair<std::string, AnimatableValue>>* values)
        : layer_(layer), values_(values) {}
    std::optional<AnimatableValue> presentedValue(std::string_view keyPath) override {
        if (parts_) {
            if (const std::optional<TransformComponents::Part> part = TransformComponents::partForKeyPath(keyPath)) {
                return partValue(*parts_, *part);
            }
            if (keyPath == "transform") writeParts();
        }
        return layer_.value(keyPath);
    }
    void setPresentedValue(std::string_view keyPath, const AnimatableValue& value) override {
        if (const std::optional<TransformComponents::Part> part = TransformComponents::partForKeyPath(keyPath)) {
            // A value of another type leaves the transform as it is.
            TransformComponents parts = parts_ ? *parts_ : layer_.transformComponents();
            if (setPart(parts, *part, value)) parts_ = parts;
        } else {
            if (keyPath == "transform") writeParts();
            layer_.setValue(keyPath, value);
        }
        if (!values_) return;
        if (count_ < values_->size()) {
            auto& [key, kept] = (*values_)[count_];
            if (key != keyPath || !(kept == value)) {
                changed_ = true;
                key.assign(keyPath);
                kept = value;
            }
        } else {
            changed_ = true;
            values_->emplace_back(std::string(keyPath), value);
        }
        ++count_;
    }
    // Whether the values differ from the last copy's (always, when none are
    // kept); drops what that copy had more.
    bool finish() {
        writeParts();
        if (!values_) return true;
        if (count_ != values_->size()) {
            changed_ = true;
            values_->resize(count_, {std::string(), AnimatableValue(0.0)});
        }
        return changed_;
    }

private:
    void writeParts() {
        if (parts_) layer_.setTransformComponents(*parts_);
        parts_.reset();
    }

    Layer& layer_;
    std::optional<TransformComponents> parts_;
    std::vector<std::pair<std::string, AnimatableValue>>* values_;
    std::size_t count_ = 0;
    bool changed_ = false;
};

// Follows one key path through the animations, leaving the layer alone.
class ProbeTarget : public AnimationTarget {
public:
    ProbeTarget(const Layer& layer, std::string_view keyPath)
        : layer_(layer), keyPath_(keyPath), current_(layer.value(keyPath)) {}
    std::optional<AnimatableValue> presentedValue(std::string_view keyPath) override {
        return keyPath == keyPath_ ? current_ : layer_.value(keyPath);
    }
    void setPresentedValue(std::string_view keyPath, const AnimatableValue& value) override {
        if (keyPath == keyPath_) {
            current_ = value;
        }
    }
    const std::optional<AnimatableValue>& current() const { return current_; }

private:
    const Layer& layer_;
    std::string_view keyPath_;
    std::optional<AnimatableValue> current_;
};

}  // namespace

Layer::Layer() = default;

Layer::Layer(const Layer& layer)
    : std::enable_shared_from_this<Layer>(),
      name_(layer.name_),
      bounds_(layer.bounds_),
      position_(layer.position_),
      anchorPoint_(layer.anchorPoint_),
      transform_(layer.transform_),
      opacity_(layer.opacity_),
      rare_(layer.rare_),
      customNumbers_(layer.customNumbers_ ? std::make_unique<std::vector<CustomNumber>>(*layer.customNumbers_)
                                          : nullptr),
      actions_(layer.actions_),
      hidden_(layer.hidden_),
      masksToBounds_(layer.masksToBounds_),
      shouldRasterize_(layer.shouldRasterize_),
      drawsInRenderPass_(layer.drawsInRenderPass_),
      drawsOversized_(layer.drawsOversized_),
      transformShared_(layer.transformShared_),
      sharesFirstTransform_(false) {}

Layer::~Layer() {
    // Destroying the sublayers and the mask from inside this destructor would go
    // one call deeper for every level of the tree, and a tree can be thousands
    // deep: the layers only this one holds are taken apart one by one instead,
    // each losing its own sublayers and mask before it goes.
    try {
        std::vector<std::shared_ptr<Layer>> orphans;
        const auto adopt = [&orphans](std::shared_ptr<Layer>& layer) {
            if (layer && layer.use_count() == 1) orphans.push_back(std::move(layer));
        };
        for (std::shared_ptr<Layer>& sublayer : sublayers_) adopt(sublayer);
        adopt(mask_);
        while (!orphans.empty()) {
            std::shared_ptr<Layer> layer = std::move(orphans.back());
            orphans.pop_back();
            for (std::shared_ptr<Layer>& sublayer : layer->sublayers_) adopt(sublayer);
            adopt(layer->mask_);
        }
    } catch (...) {
        // Out of memory for the list: what is left goes the recursive way.
    }
}

namespace {

// The epoch of the layers' changes: it grows when a layer's subtree version
// is read after a change, and a change walks up the tree only to the first
// layer that has changed in the same epoch, because every layer above that one
// has grown its version since the last read already. One count for every
// thread: the versions a frame thread reads must make the main thread's next
// change walk up again. Kept as epoch x 2, plus 1 once a change has been made
// in the epoch, so that reads with no change between them leave the shared
// count alone and every thread tells the two apart in one word.
std::atomic<std::uint64_t> changeEpoch{2};

// The epoch a change is made in, marking it as having a change.
std::uint64_t epochOfChange() {
    std::uint64_t word = changeEpoch.load(std::memory_order_relaxed);
    while ((word & 1) == 0 && !changeEpoch.compare_exchange_weak(word, word | 1, std::memory_order_relaxed)) {
    }
    return word >> 1;
}

}  // namespace

std::uint64_t Layer::subtreeVersion() const {
    std::uint64_t word = changeEpoch.load(std::memory_order_relaxed);
    // A read after a change opens the next epoch; a failed exchange means
    // another read has opened it already.
    if (word & 1) changeEpoch.compare_exchange_strong(word, word + 1, std::memory_order_relaxed);
    return subtreeVersion_;
}

void Layer::markChanged() {
    FrameThread::willChangeTree(*this);
    changedSinceFrame_ = true;
    ++subtreeVersion_;
    const std::uint64_t epoch = epochOfChange();
    if (changedInEpoch_ == epoch) return;
    changedInEpoch_ = epoch;
    for (std::shared_ptr<Layer> parent = parentLayer(); parent; parent = parent->parentLayer()) {
        ++parent->subtreeVersion_;
        if (parent->changedInEpoch_ == epoch) break;
        parent->changedInEpoch_ = epoch;
    }
}

void Layer::markTimingChanged() {
    FrameThread::willChangeTree(*this);
    // A frame is needed; the layer's own presentation is made anew.
    changedSinceFrame_ = true;
    ++subtreeVersion_;
    timingEpoch.fetch_add(1, std::memory_order_relaxed);
}

bool Layer::reportRenderLimit(const std::string&) { return false; }

// Tree.

std::shared_ptr<Layer> Layer::ownedSelf(const char* operation) {
    std::shared_ptr<Layer> self = weak_from_this().lock();
    if (!self) {
        throw std::logic_error(std::string(operation) + ": the layer is not held by a std::shared_ptr");
    }
    return self;
}

bool Layer::isAncestorOf(const Layer& layer) const {
    for (std::shared_ptr<Layer> current = layer.parentLayer(); current; current = current->parentLayer()) {
        if (current.get() == this) {
            return true;
        }
    }
    return false;
}

std::shared_ptr<Layer> Layer::parentLayer() const { return parent_.lock(); }

void Layer::insertSublayer(std::shared_ptr<Layer> layer, std::size_t index) {
    FrameThread::willChangeTree(*this);
    if (!layer) {
        throw std::invalid_argument("Layer::insertSublayer: the layer is null");
    }
    if (layer.get() == this || layer->isAncestorOf(*this)) {
        throw std::invalid_argument("Layer::insertSublayer: the layer would contain itself");
    }
    std::shared_ptr<Layer> self = ownedSelf("Layer::insertSublayer");
    layer->removeFromSuperlayer();
    index = std::min(index, sublayers_.size());
    sublayers_.insert(sublayers_.begin() + static_cast<std::ptrdiff_t>(index), layer);
    layer->parent_ = self;
    layer->isMask_ = false;
    timingEpoch.fetch_add(1, std::memory_order_relaxed);
    // A branch that needs layout where it was built needs it here too.
    if (layer->needsLayout_ || layer->layoutBelow_) layoutBelow_ = true;
    setNeedsLayout();
}

void Layer::addSublayer(std::shared_ptr<Layer> layer) { insertSublayer(std::move(layer), sublayers_.size()); }

void Layer::removeFromSuperlayer() {
    FrameThread::willChangeTree(*this);
    std::shared_ptr<Layer> keepAlive = weak_from_this().lock();
    const std::shared_ptr<Layer> parent = parent_.lock();
    const bool wasMask = isMask_;
    parent_.reset();
    isMask_ = false;
    if (!parent) {
        return;
    }
    timingEpoch.fetch_add(1, std::memory_order_relaxed);
    if (wasMask) {
        parent->mask_ = nullptr;
        parent->markChanged();
    } else {
        std::erase_if(parent->sublayers_, [this](const std::shared_ptr<Layer>& child) { return child.get() == this; });
        parent->setNeedsLayout();
    }
}

void Layer::setMask(std::shared_ptr<Layer> mask) {
    FrameThread::willChangeTree(*this);
    if (mask == mask_) {
        return;
    }
    if (mask && (mask.get() == this || mask->isAncestorOf(*this))) {
        throw std::invalid_argument("Layer::setMask: the mask would contain its own layer");
    }
    std::shared_ptr<Layer> self = ownedSelf("Layer::setMask");
    if (mask_) {
        mask_->parent_.reset();
        mask_->isMask_ = false;
    }
    if (mask) {
        mask->removeFromSuperlayer();
        mask->parent_ = self;
        mask->isMask_ = true;
    }
    mask_ = std::move(mask);
    timingEpoch.fetch_add(1, std::memory_order_relaxed);
    if (mask_ && (mask_->needsLayout_ || mask_->layoutBelow_)) {
        layoutBelow_ = true;
        flagLayoutAbove();
    }
    markChanged();
}

// Geometry and appearance.

void Layer::setBounds(const Rect& bounds) {
    if (bounds == bounds_) {
        return;
    }
    const bool resized = bounds.size != bounds_.size;
    bounds_ = bounds;
    markChanged();
    if (resized) {
        setNeedsLayout();
    }
}

#define PELLOR_LAYER_SETTER(Name, member, Type) \
    void Layer::Name(Type value) {               \
        if (member == value) {                   \
            return;                              \
        }                                        \
        member = std::move(value);               \
        markChanged();                           \
    }

PELLOR_LAYER_SETTER(setPosition, position_, Point)
PELLOR_LAYER_SETTER(setAnchorPoint, anchorPoint_, Point)
PELLOR_LAYER_SETTER(setOpacity, opacity_, double)
PELLOR_LAYER_SETTER(setHidden, hidden_, bool)
PELLOR_LAYER_SETTER(setMasksToBounds, masksToBounds_, bool)

Layer::Rare& Layer::editableRare() { return foundation::editableBlock(rare_); }

#define PELLOR_RARE_SETTER(Name, field, Type) \
    void Layer::Name(Type value) {            \
        if (rare().field == value) {          \
            return;                           \
        }                                     \
        editableRare().field = std::move(value); \
        markChanged();                        \
    }

PELLOR_RARE_SETTER(setContents, contents, ImageRef)
// The layer's timing moves its animations and those below it in time; what
// lies below draws no differently for it where nothing there changes with time
// (the only trees whose pictures are kept, ContentCache), so it leaves the
// versions above the layer as they are: a tree paused at one frame after
// another keeps the pictures of what stands still in it.
#define PELLOR_TIMING_SETTER(Name, field)     \
    void Layer::Name(double value) {          \
        if (rare().field == value) {          \
            return;                           \
        }                                     \
        editableRare().field = value;         \
        markTimingChanged();                  \
    }

PELLOR_TIMING_SETTER(setSpeed, speed)
PELLOR_TIMING_SETTER(setTimeOffset, timeOffset)
PELLOR_TIMING_SETTER(setBeginTime, beginTime)
PELLOR_RARE_SETTER(setSublayerTransform, sublayerTransform, const Transform3D&)
PELLOR_RARE_SETTER(setBackgroundColor, backgroundColor, std::optional<Color>)
PELLOR_RARE_SETTER(setContentsGravity, contentsGravity, ContentsGravity)
PELLOR_RARE_SETTER(setContentsScale, contentsScale, double)
PELLOR_RARE_SETTER(setCompositingFilter, compositingFilter, std::optional<std::string>)
PELLOR_RARE_SETTER(setShadowColor, shadowColor, std::optional<Color>)
PELLOR_RARE_SETTER(setShadowOpacity, shadowOpacity, double)
PELLOR_RARE_SETTER(setShadowOffset, shadowOffset, Size)
PELLOR_RARE_SETTER(setShadowRadius, shadowRadius, double)

#undef PELLOR_LAYER_SETTER
#undef PELLOR_RARE_SETTER
#undef PELLOR_TIMING_SETTER

const std::string& Layer::name() const {
    static const std::string none;
    return name_ ? *name_ : none;
}

void Layer::setName(std::string name) {
    name_ = name.empty() ? nullptr : std::make_shared<const std::string>(std::move(name));
}

Layer::TransformState& Layer::editableTransform() {
    if (transformShared_) {
        transformShared_ = false;
        if (transform_) transform_ = std::make_shared<TransformState>(*transform_);
    }
    return foundation::editableBlock(transform_);
}

std::shared_ptr<Layer::TransformState> Layer::sharedTransformState(const Transform3D& transform,
                                                                   const TransformComponents* parts) {
    // Never destroyed: layers may let go of their transforms during exit.
    static auto* pool = new foundation::SharingPool<TransformState>();
    TransformState state(transform);
    if (parts) state.parts = std::make_unique<TransformComponents>(*parts);
    return pool->share(std::move(state), std::hash<Transform3D>{}(transform));
}

void Layer::setTransform(const Transform3D& transform) {
    const bool changed = transform != this->transform();
    if (transform.isIdentity()) {
        transform_ = nullptr;
        transformShared_ = false;
    } else if (!transform_ && sharesFirstTransform_) {
        // The first transform a layer is given is the one every view of a
        // document gives it, and stays for good in most of them; the next
        // ones, of a layer that moves, are its own.
        transform_ = sharedTransformState(transform);
        transformShared_ = true;
    } else if (changed || transform_->parts) {
        TransformState& state = editableTransform();
        state.matrix = transform;
        state.parts.reset();
    }
    if (changed) {
        markChanged();
    }
}

Rect Layer::frame() const { return bounds_.applying(LayerGeometry::layerToParent(*this)); }

void Layer::setFrame(const Rect& frame) {
    const Rect standard = frame.standardized();
    setBounds(Rect(bounds_.origin, standard.size));
    setPosition({standard.origin.x + anchorPoint_.x * standard.size.width,
                 standard.origin.y + anchorPoint_.y * standard.size.height});
}

// Key-value access.

const std::vector<Layer::CustomNumber>& Layer::customNumbers() const {
    static const std::vector<CustomNumber> none;
    return customNumbers_ ? *customNumbers_ : none;
}

Layer::CustomNumber* Layer::findCustom(std::string_view key) {
    if (!customNumbers_) {
        return nullptr;
    }
    for (CustomNumber& custom : *customNumbers_) {
        if (custom.key == key) {
            return &custom;
        }
    }
    return nullptr;
}

const Layer::CustomNumber* Layer::findCustom(std::string_view key) const {
    return const_cast<Layer*>(this)->findCustom(key);
}

void Layer::declareAnimatableNumber(std::string key, double initialValue, bool needsDisplayOnChange) {
    if (CustomNumber* existing = findCustom(key)) {
        existing->value = initialValue;
        existing->needsDisplay = needsDisplayOnChange;
        return;
    }
    if (!customNumbers_) {
        customNumbers_ = std::make_unique<std::vector<CustomNumber>>();
    }
    customNumbers_->push_back(CustomNumber{std::move(key), initialValue, needsDisplayOnChange, initialValue});
}

bool Layer::needsDisplayForKey(std::string_view key) const {
    const CustomNumber* custom = findCustom(key);
    return custom && custom->needsDisplay;
}

std::optional<AnimatableValue> Layer::value(std::string_view key) const {
    if (std::optional<TransformComponents::Part> part = TransformComponents::partForKeyPath(key)) {
        return partValue(transformComponents(), *part);
    }
    if (std::optional<std::optional<AnimatableValue>> standard = LayerKeyValue::read(*this, key)) {
        return *standard;
    }
    if (const CustomNumber* custom = findCustom(key)) {
        return AnimatableValue(custom->value);
    }
    return std::nullopt;
}

TransformComponents Layer::transformComponents() const {
    return transform_ && transform_->parts ? *transform_->parts : TransformComponents::of(transform());
}

void Layer::setTransformComponents(const TransformComponents& parts) {
    const Transform3D matrix = parts.matrix();
    const bool changed = matrix != transform();
    if (!transform_ && sharesFirstTransform_) {
        // As for a whole transform, the first one is shared.
        transform_ = sharedTransformState(matrix, &parts);
        transformShared_ = true;
        if (changed) markChanged();
        return;
    }
    TransformState& state = editableTransform();
    if (state.parts) {
        *state.parts = parts;
    } else {
        state.parts = std::make_unique<TransformComponents>(parts);
    }
    if (changed) {
        state.matrix = matrix;
        markChanged();
    }
}

bool Layer::setTransformPart(TransformComponents::Part part, const AnimatableValue& value) {
    TransformComponents parts = transformComponents();
    if (!setPart(parts, part, value)) {
        return false;
    }
    setTransformComponents(parts);
    return true;
}

bool Layer::setValue(std::string_view key, const std::optional<AnimatableValue>& value) {
    if (std::optional<TransformComponents::Part> part = TransformComponents::partForKeyPath(key)) {
        return value && setTransformPart(*part, *value);
    }
    if (std::optional<bool> written = LayerKeyValue::write(*this, key, value)) {
        return *written;
    }
    CustomNumber* custom = findCustom(key);
    const std::optional<double> number = value ? value->number() : std::nullopt;
    if (!custom || !number) {
        return false;
    }
    if (custom->value != *number) {
        custom->value = *number;
        if (custom->needsDisplay) {
            // What the layer shows of it comes from its display, which marks
            // the layer changed where it changes anything.
            setNeedsDisplay();
        } else {
            markChanged();
        }
    }
    return true;
}

// Display and layout.

void Layer::setNeedsDisplay() {
    FrameThread::willChangeTree(*this);
    if (drawsInRenderPass_) {
        // Drawn afresh whenever the layer is drawn, it has nothing to display
        // ahead: what it draws has changed.
        markChanged();
        return;
    }
    // A frame is needed to display it; the display itself marks the layer
    // changed where it changes anything (new contents, sublayers set anew), so
    // that a display that comes out the same keeps the pictures kept of it.
    needsDisplay_ = true;
    changedSinceFrame_ = true;
    ++displayRequests_;
    for (std::shared_ptr<Layer> parent = parentLayer(); parent; parent = parent->parentLayer()) {
        ++parent->displayRequests_;
    }
}

void Layer::setDrawsInRenderPass(bool drawsInRenderPass) {
    if (drawsInRenderPass_ == drawsInRenderPass) {
        return;
    }
    drawsInRenderPass_ = drawsInRenderPass;
    if (drawsInRenderPass_) {
        needsDisplay_ = false;
        setContents(nullptr);
    }
    // Back to displaying, the drawing must be made again.
    setNeedsDisplay();
}

void Layer::displayIfNeeded() {
    if (!needsDisplay_) {
        return;
    }
    needsDisplay_ = false;
    try {
        display();
    } catch (...) {
        // Cut short (a frame abandoned, memory run out): displayed again next time.
        needsDisplay_ = true;
        throw;
    }
}

void Layer::draw(graphics::GraphicsContext& /*context*/) { drewNothing_ = true; }

void Layer::display() {
    if (drawsInRenderPass_) {
        return;
    }
    const double width = std::ceil(bounds_.size.width * contentsScale());
    const double height = std::ceil(bounds_.size.height * contentsScale());
    drawsOversized_ = false;
    if (!(width >= 1 && height >= 1)) {
        return;
    }
    if (!(width <= maximumBackingSide && height <= maximumBackingSide && width * height <= maximumBackingPixels)) {
        // Only a layer that draws anything gives up its contents for the render pass.
        std::unique_ptr<graphics::GraphicsContext> probe = graphics::GraphicsContext::makeBitmap(1, 1);
        drewNothing_ = false;
        if (probe) {
            probe->clipToRect(graphics::Rect::null());
            draw(*probe);
        }
        if (!drewNothing_) {
            drawsOversized_ = true;
            setContents(nullptr);
        }
        return;
    }
    if (!graphics::WorkBudget::takeActive([&] { return width * height; })) {
        return;
    }
    std::unique_ptr<graphics::GraphicsContext> context =
        graphics::GraphicsContext::makeBitmap(static_cast<int>(width), static_cast<int>(height));
    if (!context) {
        return;
    }
    context->scaleBy(contentsScale(), contentsScale());
    context->translateBy(-bounds_.origin.x, -bounds_.origin.y);
    drewNothing_ = false;
    draw(*context);
    if (drewNothing_) {
        return;
    }
    setContents(graphics::GraphicsContext::finishImage(std::move(context)));
}

void Layer::setNeedsLayout() {
    needsLayout_ = true;
    markChanged();
    flagLayoutAbove();
}

void Layer::flagLayoutAbove() {
    // A layer already marked has its own layers above marked, or is being laid
    // out now, and a pass under way looks at its flag before it walks below it.
    for (std::shared_ptr<Layer> parent = parentLayer(); parent && !parent->layoutBelow_; parent = parent->parentLayer()) {
        parent->layoutBelow_ = true;
    }
}

void Layer::layoutIfNeeded() {
    if (needsLayout_) {
        needsLayout_ = false;
        layoutSublayers();
    }
    // Read after the layer's own layout, which may resize what is below it.
    if (!layoutBelow_) {
        return;
    }
    layoutBelow_ = false;
    if (const std::shared_ptr<Layer> mask = mask_) {
        if (mask->needsLayout_ || mask->layoutBelow_) {
            mask->layoutIfNeeded();
        }
    }
    const std::vector<std::shared_ptr<Layer>> sublayers = sublayers_;
    for (const std::shared_ptr<Layer>& sublayer : sublayers) {
        if (sublayer->needsLayout_ || sublayer->layoutBelow_) {
            sublayer->layoutIfNeeded();
        }
    }
}

const Layer::Actions& Layer::actions() const {
    static const Actions none;
    return actions_ ? *actions_ : none;
}

void Layer::setActions(Actions actions) {
    actions_ = actions.empty() ? nullptr : std::make_shared<const Actions>(std::move(actions));
}

std::shared_ptr<Animation> Layer::action(std::string_view key) const {
    if (!actions_) return nullptr;
    const auto found = actions_->find(key);
    return found == actions_->end() ? nullptr : found->second;
}

// Time and space.

double Layer::localTime(double mediaTime) const {
    const std::uint64_t epoch = timingEpoch.load(std::memory_order_relaxed);
    if (currentFrame_ && localTimeFrame_ == currentFrame_->serial() && localTimeEpoch_ == epoch &&
        localTimeMedia_ == mediaTime) {
        return localTime_;
    }
    const std::shared_ptr<Layer> parent = parentLayer();
    const double parentTime = parent ? parent->localTime(mediaTime) : mediaTime;
    const Rare& timing = rare();
    const double time = MediaTiming::localTime(parentTime, timing.beginTime, timing.speed, timing.timeOffset);
    if (currentFrame_) {
        localTimeFrame_ = currentFrame_->serial();
        localTimeEpoch_ = epoch;
        localTimeMedia_ = mediaTime;
        localTime_ = time;
    }
    return time;
}

double Layer::mediaTimeFromLocal(double time) const {
    const Rare& timing = rare();
    const double parentTime = MediaTiming::parentTime(time, timing.beginTime, timing.speed, timing.timeOffset);
    const std::shared_ptr<Layer> parent = parentLayer();
    return parent ? parent->mediaTimeFromLocal(parentTime) : parentTime;
}

double Layer::convertTime(double time, const Layer* from) const {
    return localTime(from ? from->mediaTimeFromLocal(time) : time);
}

double Layer::convertTimeTo(double time, const Layer* to) const {
    const double media = mediaTimeFromLocal(time);
    return to ? to->localTime(media) : media;
}

Point Layer::convertPoint(Point point, const Layer* from) const {
    const Point root = from ? LayerGeometry::layerToRoot(*from).apply(point) : point;
    const std::optional<AffineTransform> inverse = LayerGeometry::layerToRoot(*this).inverted();
    return inverse ? inverse->apply(root) : root;
}

Point Layer::convertPointTo(Point point, const Layer* to) const {
    const Point root = LayerGeometry::layerToRoot(*this).apply(point);
    if (!to) {
        return root;
    }
    const std::optional<AffineTransform> inverse = LayerGeometry::layerToRoot(*to).inverted();
    return inverse ? inverse->apply(root) : root;
}

Rect Layer::convertRect(const Rect& rect, const Layer* from) const {
    AffineTransform toRoot = from ? LayerGeometry::layerToRoot(*from) : AffineTransform();
    const std::optional<AffineTransform> inverse = LayerGeometry::layerToRoot(*this).inverted();
    if (inverse) {
        toRoot = toRoot.concatenating(*inverse);
    }
    return rect.applying(toRoot);
}

Rect Layer::convertRectTo(const Rect& rect, const Layer* to) const {
    AffineTransform map = LayerGeometry::layerToRoot(*this);
    if (to) {
        if (const std::optional<AffineTransform> inverse = LayerGeometry::layerToRoot(*to).inverted()) {
            map = map.concatenating(*inverse);
        }
    }
    return rect.applying(map);
}

// Animations.

void Layer::addAnimation(const std::shared_ptr<Animation>& animation, std::string key) {
    if (!animation) {
        throw std::invalid_argument("Layer::addAnimation: the animation is null");
    }
    std::shared_ptr<Animation> attached = animation->clone();
    if (attached->beginTime() == 0) {
        attached->setBeginTime(localTime(MediaClock::currentTime()));
    }
    if (attached->duration() == 0) {
        if (const std::optional<double> duration = Transaction::animationDuration()) {
            attached->setDuration(*duration);
        }
    }
    if (!attached->timingFunction()) {
        attached->setTimingFunction(Transaction::animationTimingFunction());
    }
    if (!animated_) {
        animated_ = std::make_unique<Animated>();
    }
    const bool drawsNothing = attached->drivesOnly([this](std::string_view keyPath) {
        const CustomNumber* custom = findCustom(keyPath);
        return custom && !custom->needsDisplay;
    });
    animated_->animations.add(std::move(key), std::move(attached), Transaction::completionsForNewAnimation(),
                              drawsNothing);
    markChanged();
}

void Layer::removeAnimation(std::string_view key) {
    if (animated_ && animated_->animations.remove(key)) {
        markChanged();
    }
}

void Layer::removeAllAnimations() {
    if (hasAnimations()) {
        animated_->animations.removeAll();
        markChanged();
    }
}

std::vector<std::string> Layer::animationKeys() const {
    return animated_ ? animated_->animations.keys() : std::vector<std::string>{};
}

// Presentation.

std::shared_ptr<Layer> Layer::makePresentationCopy() const { return std::make_shared<Layer>(*this); }

std::shared_ptr<Layer> Layer::presentation() const {
    if (!presented_) {
        return nullptr;
    }
    return presentationAt(MediaClock::currentTime());
}

thread_local Layer::FramePresentations* Layer::currentFrame_ = nullptr;

namespace {

// Frames are told apart across threads: what a layer remembers of one
// frame is never taken for another's.
std::atomic<std::uint64_t> framesBegun{0};

// The list of the last frame that ended on the thread, emptied: the next
// frame holds about as many layers, and takes its room rather than grow
// its own list anew.
thread_local std::vector<std::weak_ptr<const Layer>> spareHeldLayers;

}  // namespace

Layer::FramePresentations::FramePresentations()
    : previous_(currentFrame_), serial_(framesBegun.fetch_add(1, std::memory_order_relaxed) + 1) {
    currentFrame_ = this;
    layers_.swap(spareHeldLayers);
}

Layer::FramePresentations::~FramePresentations() {
    currentFrame_ = previous_;
    for (const std::weak_ptr<const Layer>& weak : layers_) {
        if (const std::shared_ptr<const Layer> layer = weak.lock(); layer && layer->animated_) {
            layer->animated_->heldPresentation = nullptr;
        }
    }
    layers_.clear();
    if (layers_.capacity() > spareHeldLayers.capacity()) layers_.swap(spareHeldLayers);
}

void Layer::FramePresentations::hold(const Layer& layer) {
    std::weak_ptr<const Layer> weak = layer.weak_from_this();
    if (!weak.expired()) {
        layers_.push_back(std::move(weak));
    }
}

std::shared_ptr<Layer> Layer::presentationAt(double mediaTime) const {
    const double time = localTime(mediaTime);
    if (!animated_) {
        return makePresentationCopy();
    }
    Animated& animated = *animated_;
    // Animations that present the same at every time present it at every finite time.
    const bool timeless = std::isfinite(time) && animated.animations.presentOneValueEach();
    // Adding, removing or dropping an animation marks the layer changed too.
    // The renderer asks again for the time it has just asked for (to bound a
    // group by what the layers below draw, then to draw them): that copy is
    // kept as well, so that a frame makes one copy per animated layer.
    if (animated.heldPresentation && animated.heldPresentationVersion == subtreeVersion_ &&
        (timeless || animated.heldPresentationTime == time)) {
        return animated.heldPresentation;
    }
    std::shared_ptr<Layer> copy = makePresentationCopy();
    if (copy && !animated.animations.empty()) {
        RecordingTarget target(*copy, animated.keepsPresentedValues ? &animated.presentedValues : nullptr);
        animated.animations.apply(time, target);
        if (target.finish()) {
            ++animated.presentedChanges;
        }
    }
    animated.heldPresentation = std::isfinite(time) ? copy : nullptr;
    if (copy && !timeless && currentFrame_) {
        currentFrame_->hold(*this);
    }
    animated.heldPresentationVersion = subtreeVersion_;
    animated.heldPresentationTime = time;
    return copy;
}

void Layer::releaseKeptStorage() {
    std::vector<Layer*> pending{this};
    while (!pending.empty()) {
        Layer& layer = *pending.back();
        pending.pop_back();
        layer.contentCache_.reset();
        if (layer.animated_) {
            Animated& animated = *layer.animated_;
            animated.heldPresentation = nullptr;
            std::vector<std::pair<std::string, AnimatableValue>>().swap(animated.presentedValues);
            animated.keepsPresentedValues = false;
        }
        if (const ImageRef& contents = layer.contents()) contents->releaseCopies();
        if (layer.mask_) pending.push_back(layer.mask_.get());
        for (const auto& sublayer : layer.sublayers_) pending.push_back(sublayer.get());
    }
}

std::uint64_t Layer::presentedChangesAt(double mediaTime) const {
    if (!animated_) {
        return 0;
    }
    Animated& animated = *animated_;
    if (currentFrame_ && animated.changesFrame == currentFrame_->serial() && animated.changesTime == mediaTime &&
        animated.changesVersion == subtreeVersion_) {
        return animated.presentedChanges;
    }
    animated.keepsPresentedValues = true;
    presentationAt(mediaTime);
    if (currentFrame_) {
        animated.changesFrame = currentFrame_->serial();
        animated.changesTime = mediaTime;
        animated.changesVersion = subtreeVersion_;
    }
    return animated.presentedChanges;
}

std::optional<AnimatableValue> Layer::presentedValue(std::string_view keyPath, double mediaTime) const {
    ProbeTarget probe(*this, keyPath);
    if (animated_) {
        animated_->animations.apply(localTime(mediaTime), keyPath, probe);
    }
    return probe.current();
}

}  // namespace platform::compositor
