#pragma once
// One value that a layer property can hold and an animation can drive, of any of
// the types layers animate: numbers, points, sizes, rectangles, colours, paths,
// arrays of numbers, arrays of colours, 4x4 transforms, booleans and images. It
// stands in for the platform's boxed values in key-value access and in animations'
// from, to and keyframe values. A value; copies are independent.
//
// Numbers, points and sizes are held inline; the larger kinds (rectangles,
// colours, paths, arrays, transforms) are held as immutable objects that copies
// share, so that a value takes three words whatever it holds: an animation's from
// and to values and every keyframe stay small.
//
// Interpolation works per type: numbers, points, sizes, rectangles and colours
// component by component; arrays element by element when their counts match; paths
// point by point when their elements match in count and kind; transforms by
// decomposition. A fraction below 0 or above 1 (a timing curve that overshoots)
// carries an interpolated value past its ends. Booleans, images and values that
// do not match do not interpolate: blend() then holds the earlier value until the
// later one is reached.

#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "Platform/Graphics/Color.h"
#include "Platform/Graphics/Path.h"
#include "Platform/Graphics/Point.h"
#include "Platform/Graphics/Rect.h"
#include "Platform/Graphics/Size.h"
#include "Platform/Graphics/Transform3D.h"

namespace platform::graphics {
class Image;
}

namespace platform::compositor {

class AnimatableValue {
public:
    using ImageRef = std::shared_ptr<const graphics::Image>;
    enum class Kind { number, point, size, rect, color, path, numbers, colors, transform, boolean, image };

    AnimatableValue() : storage_(0.0) {}
    AnimatableValue(double number) : storage_(number) {}
    AnimatableValue(int number) : storage_(static_cast<double>(number)) {}
    AnimatableValue(graphics::Point point) : storage_(point) {}
    AnimatableValue(graphics::Size size) : storage_(size) {}
    AnimatableValue(graphics::Rect rect) : storage_(boxed(rect)) {}
    AnimatableValue(graphics::Color color) : storage_(boxed(color)) {}
    AnimatableValue(graphics::Path path) : storage_(boxed(std::move(path))) {}
    // A path already held by an immutable object: shared, not copied.
    AnimatableValue(std::shared_ptr<const graphics::Path> path);
    AnimatableValue(std::vector<double> numbers) : storage_(boxed(std::move(numbers))) {}
    AnimatableValue(std::vector<graphics::Color> colors) : storage_(boxed(std::move(colors))) {}
    AnimatableValue(graphics::Transform3D transform) : storage_(boxed(transform)) {}
    AnimatableValue(bool boolean) : storage_(boolean) {}
    AnimatableValue(ImageRef image) : storage_(std::move(image)) {}

    Kind kind() const { return static_cast<Kind>(storage_.index()); }

    // The value when it holds a T, else nullptr.
    template <typename T>
    const T* get() const {
        if constexpr (isBoxed<T>) {
            const Boxed<T>* box = std::get_if<Boxed<T>>(&storage_);
            return box ? box->value.get() : nullptr;
        } else {
            return std::get_if<T>(&storage_);
        }
    }
    // The path as the immutable object this value holds, else null: a holder
    // of the path can share it instead of copying it.
    std::shared_ptr<const graphics::Path> sharedPath() const;

    // A number, or a boolean as 0 or 1 (the platform boxes booleans as numbers).
    std::optional<double> number() const;
    // A boolean, or a number as "not zero".
    std::optional<bool> boolean() const;

    // Interpolates from `from` to `to`; none when the two cannot be interpolated.
    static std::optional<AnimatableValue> interpolate(const AnimatableValue& from, const AnimatableValue& to,
                                                      double fraction);
    // As interpolate, but values that cannot be interpolated hold `from` until the
    // fraction reaches 1.
    static AnimatableValue blend(const AnimatableValue& from, const AnimatableValue& to, double fraction);
    // `base` + `delta`, for additive animations: component sums, transforms
    // concatenated (the delta applies first). None when the two do not add up.
    static std::optional<AnimatableValue> add(const AnimatableValue& base, const AnimatableValue& delta);

    // The numbers that make up a number-like value (numbers, points, sizes,
    // rectangles, colours as r, g, b, a, arrays of numbers, booleans as 0 or 1); none
    // for the others. withComponents makes a value of the same kind as `shape` back.
    std::optional<std::vector<double>> components() const;
    static std::optional<AnimatableValue> withComponents(const AnimatableValue& shape,
                                                         const std::vector<double>& components);
    // The straight-line distance between two number-like values of one kind.
    static std::optional<double> distance(const AnimatableValue& from, const AnimatableValue& to);

    // A short text for messages and test failures.
    std::string description() const;

    bool operator==(const AnimatableValue& other) const { return storage_ == other.storage_; }
    // Equal values hash alike (an image by its identity, as == compares it).
    std::size_t hash() const;

private:
    // A larger kind, held by an immutable object that copies share; equal
    // when what they hold is equal.
    template <typename T>
    struct Boxed {
        std::shared_ptr<const T> value;
        bool operator==(const Boxed& other) const { return value == other.value || *value == *other.value; }
    };
    template <typename T>
    static constexpr bool isBoxed =
        std::is_same_v<T, graphics::Rect> || std::is_same_v<T, graphics::Color> || std::is_same_v<T, graphics::Path> ||
        std::is_same_v<T, std::vector<double>> || std::is_same_v<T, std::vector<graphics::Color>> ||
        std::is_same_v<T, graphics::Transform3D>;
    template <typename T>
    static Boxed<T> boxed(T value) {
        return Boxed<T>{std::make_shared<const T>(std::move(value))};
    }

    // In the order of Kind.
    std::variant<double, graphics::Point, graphics::Size, Boxed<graphics::Rect>, Boxed<graphics::Color>,
                 Boxed<graphics::Path>, Boxed<std::vector<double>>, Boxed<std::vector<graphics::Color>>,
                 Boxed<graphics::Transform3D>, bool, ImageRef>
        storage_;
};

// A path's hash, as AnimatableValue::hash gives it for a path value.
std::size_t pathHash(const graphics::Path& path);

}  // namespace platform::compositor

template <>
struct std::hash<platform::compositor::AnimatableValue> {
    std::size_t operator()(const platform::compositor::AnimatableValue& value) const noexcept { return value.hash(); }
};
