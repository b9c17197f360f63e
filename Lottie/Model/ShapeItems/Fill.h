#pragma once
// A solid fill ("fl"): paints the paths of its group with an animated colour
// and opacity by a fill rule. Decoded into an item list and shared,
// immutable, by both engines.

#include "Lottie/Model/Protocols/OpacityAnimationModel.h"
#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Lottie/Model/ShapeItems/ShapeItemDecoding.h"
#include "Lottie/Values/LottieColor.h"

namespace lottie {

class Fill : public ShapeItem, public virtual OpacityAnimationModel {
public:
    explicit Fill(const Dictionary& dictionary);
    explicit Fill(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    // Percent, 0 to 100.
    KeyframeGroupPtr<LottieVector1D> opacity() const override { return fields_.opacity; }
    KeyframeGroupPtr<LottieColor> color() const { return fields_.color; }
    FillRule fillRule() const { return fields_.fillRule; }

protected:
    bool equals(const ShapeItem& other) const override;

private:
    struct Fields {
        KeyframeGroupPtr<LottieVector1D> opacity;
        KeyframeGroupPtr<LottieColor> color;
        FillRule fillRule = FillRule::nonZeroWinding;
    };
    static Fields readFields(const Dictionary& dictionary);
    static Fields decodeFields(const platform::json::Decoder& decoder);
    // The own keys are read before the base keys, so their errors come first.
    template <class Source>
    Fill(Fields fields, const Source& source) : ShapeItem(source), fields_(std::move(fields)) {}

    Fields fields_;
};

}  // namespace lottie
