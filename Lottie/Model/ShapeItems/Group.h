#pragma once
// A group of shape items ("gr"): its own item list, decoded recursively by
// the family rules, in document order. Shared, immutable, by the list that
// holds it and by both engines.

#include "Lottie/Model/ShapeItems/ShapeItem.h"

namespace lottie {

class Group : public ShapeItem {
public:
    explicit Group(const Dictionary& dictionary);
    explicit Group(const platform::json::Decoder& decoder);
    // A group made in code, never hidden: the Core Animation engine wraps the
    // items of one level in such a group, without a name.
    Group(ShapeItemList items, std::string name);

    void encode(platform::json::Encoder& encoder) const override;

    const ShapeItemList& items() const { return items_; }

protected:
    bool equals(const ShapeItem& other) const override;

private:
    static ShapeItemList readItems(const Dictionary& dictionary);
    static ShapeItemList decodeItems(const platform::json::Decoder& decoder);
    // The own keys are read before the base keys, so their errors come first.
    template <class Source>
    Group(ShapeItemList items, const Source& source) : ShapeItem(source), items_(std::move(items)) {}

    ShapeItemList items_;
};

}  // namespace lottie
