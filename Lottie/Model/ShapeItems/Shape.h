#pragma once
// A free Bezier path source ("sh"): an animated path and, only when the
// document gives one, the direction in which it is drawn. Decoded into an
// item list and shared, immutable, by both engines.

#include <optional>

#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Lottie/Model/ShapeItems/ShapeItemDecoding.h"
#include "Lottie/Values/BezierPath.h"

namespace lottie {

class Shape : public ShapeItem {
public:
    explicit Shape(const Dictionary& dictionary);
    explicit Shape(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    KeyframeGroupPtr<BezierPath> path() const { return fields_.path; }
    // Unlike the other path sources, no default direction.
    std::optional<PathDirection> direction() const { return fields_.direction; }

protected:
    bool equals(const ShapeItem& other) const override;

private:
    struct Fields {
        KeyframeGroupPtr<BezierPath> path;
        std::optional<PathDirection> direction;
    };
    static Fields readFields(const Dictionary& dictionary);
    static Fields decodeFields(const platform::json::Decoder& decoder);
    // The own keys are read before the base keys, so their errors come first.
    template <class Source>
    Shape(Fields fields, const Source& source) : ShapeItem(source), fields_(std::move(fields)) {}

    Fields fields_;
};

}  // namespace lottie
