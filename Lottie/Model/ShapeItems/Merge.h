#pragma once
// A merge of the paths before it ("mm") by a path-combining mode. Decoded
// into an item list and shared, immutable, by both engines.

#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Lottie/Model/ShapeItems/ShapeItemEnumerations.h"

namespace lottie {

class Merge : public ShapeItem {
public:
    explicit Merge(const Dictionary& dictionary);
    explicit Merge(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    MergeMode mode() const { return mode_; }

protected:
    bool equals(const ShapeItem& other) const override;

private:
    static MergeMode readMode(const Dictionary& dictionary);
    static MergeMode decodeMode(const platform::json::Decoder& decoder);
    // The own keys are read before the base keys, so their errors come first.
    template <class Source>
    Merge(MergeMode mode, const Source& source) : ShapeItem(source), mode_(mode) {}

    MergeMode mode_ = MergeMode::none;
};

}  // namespace lottie
