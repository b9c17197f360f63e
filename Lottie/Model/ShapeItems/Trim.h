#pragma once
// Trims the paths of its group ("tm") to an animated start, end (percent) and
// offset (degrees), across the paths together or each on its own. Decoded
// into an item list and shared, immutable, by both engines.

#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Lottie/Model/ShapeItems/ShapeItemDecoding.h"
#include "Lottie/Values/LottieVector1D.h"

namespace lottie {

class Trim : public ShapeItem {
public:
    explicit Trim(const Dictionary& dictionary);
    explicit Trim(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    KeyframeGroupPtr<LottieVector1D> start() const { return fields_.start; }
    KeyframeGroupPtr<LottieVector1D> end() const { return fields_.end; }
    KeyframeGroupPtr<LottieVector1D> offset() const { return fields_.offset; }
    TrimType trimType() const { return fields_.trimType; }

protected:
    bool equals(const ShapeItem& other) const override;

private:
    struct Fields {
        KeyframeGroupPtr<LottieVector1D> start;
        KeyframeGroupPtr<LottieVector1D> end;
        KeyframeGroupPtr<LottieVector1D> offset;
        TrimType trimType = TrimType::individually;
    };
    static Fields readFields(const Dictionary& dictionary);
    static Fields decodeFields(const platform::json::Decoder& decoder);
    // The own keys are read before the base keys, so their errors come first.
    template <class Source>
    Trim(Fields fields, const Source& source) : ShapeItem(source), fields_(std::move(fields)) {}

    Fields fields_;
};

}  // namespace lottie
