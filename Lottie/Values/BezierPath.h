#pragma once
// The value of every animated path: an ordered list of cubic Bezier vertices
// with a closed flag, where every element also carries the length of the
// segment that ends at it. A closed path decoded from JSON ends with an
// explicit closing element at its first point, so its elements already
// describe the closing segment. A plain value; whoever holds it owns it.
// Copies share their elements until one of them changes: most paths are
// copied unchanged from a document's keyframes into the nodes and layers that
// draw them, once per view.
//
// JSON: {"c": closed (true when absent), "v": points, "i": in control points,
// "o": out control points}, the control points as offsets from their vertex.

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

#include "Lottie/Values/LengthRange.h"
#include "Lottie/Values/PathElement.h"
#include "Platform/Graphics/Path.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

class BezierPath {
public:
    // Empty, open, of length 0.
    BezierPath() = default;
    // A path of elements whose lengths are already known; its length is their sum.
    BezierPath(std::vector<PathElement> elements, bool closed);

    const std::vector<PathElement>& elements() const { return elements_ ? *elements_ : noElements(); }
    bool closed() const { return closed_; }
    double length() const { return length_; }
    bool isEmpty() const { return !elements_ || elements_->empty(); }

    void setClosed(bool closed) { closed_ = closed; }
    void reserve(std::size_t count) { ownElements().reserve(count); }
    // Appends a vertex, measuring the segment from the last vertex with 25 chords.
    void appendVertex(const CurveVertex& vertex);

    // A platform path of the elements: lines where neither end has a handle,
    // cubic curves elsewhere, closed when the flag is set.
    platform::graphics::Path toPath() const;

    // Handle-less corners replaced by arcs of about `radius` (see BezierPathRounding.cpp).
    BezierPath withRoundedCorners(double radius) const;

    // The open pieces of this path that cover the ranges, in range order
    // (see BezierPathTrim.cpp). The ranges must ascend and lie inside the path.
    std::vector<BezierPath> trim(std::span<const LengthRange> ranges) const;

    // The dictionary decoder's reader; throws InitializableError.
    static BezierPath fromAny(const platform::json::Value& json);
    static BezierPath decode(const platform::json::Decoder& decoder);
    void encode(platform::json::Encoder& encoder) const;

    bool operator==(const BezierPath& other) const;

private:
    static const std::vector<PathElement>& noElements();
    // The elements, made this path's own first when a copy shares them.
    std::vector<PathElement>& ownElements();
    // Appends an element with the length it already carries.
    void appendElement(const PathElement& element);
    // The decoders' common steps, from the vertices and the control-point offsets.
    static BezierPath fromPoints(bool closed, std::span<const platform::graphics::Point> vertices,
                                 std::span<const platform::graphics::Point> inOffsets,
                                 std::span<const platform::graphics::Point> outOffsets);

    // None while empty.
    std::shared_ptr<std::vector<PathElement>> elements_;
    bool closed_ = false;
    double length_ = 0;
};

}  // namespace lottie

template <>
struct std::hash<lottie::BezierPath> {
    std::size_t operator()(const lottie::BezierPath& path) const noexcept {
        std::size_t seed = std::hash<bool>{}(path.closed());
        for (const lottie::PathElement& element : path.elements()) {
            platform::graphics::hashCombine(seed, std::hash<lottie::PathElement>{}(element));
        }
        return seed;
    }
};
