#pragma once
// The base of every shape item: the name by which keypaths find it, its kind
// and whether it is hidden. Items are decoded once and shared, immutable,
// through std::shared_ptr<const ShapeItem> by the shape layer or group that
// lists them and by both rendering engines.
//
// The family decoders choose the class of each element of a JSON item list
// by its "ty" code. The dictionary decoder drops an element whose code it
// doesn't know; the keyed-container decoder keeps it as a plain ShapeItem of
// type `unknown`.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Lottie/Model/DictionaryInitializable.h"
#include "Lottie/Model/ShapeItems/ShapeType.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

class ShapeItem;
using ShapeItemList = std::vector<std::shared_ptr<const ShapeItem>>;

class ShapeItem {
public:
    explicit ShapeItem(const Dictionary& dictionary);
    explicit ShapeItem(const platform::json::Decoder& decoder);
    // For items made in code rather than decoded.
    ShapeItem(std::string name, ShapeType type, bool hidden);
    virtual ~ShapeItem() = default;

    // Writes "nm", "ty" and "hd", then (in subclasses) the item's own keys.
    virtual void encode(platform::json::Encoder& encoder) const;

    const std::string& name() const { return name_; }
    ShapeType type() const { return type_; }
    bool hidden() const { return hidden_; }

    // One item of the class its "ty" selects, or null for a code the format
    // doesn't know. An absent or non-text "ty" fails.
    static std::shared_ptr<const ShapeItem> itemFromDictionary(const Dictionary& dictionary);
    // The items in order, unknown codes skipped; the first error ends the list.
    static ShapeItemList itemsFromDictionaries(const DictionaryArray& dictionaries);
    // The keyed-container form: the array under `key`, every element kept.
    static ShapeItemList decodeShapeItemFamily(const platform::json::KeyedDecodingContainer& container,
                                               std::string_view key);

    // Same class and equal fields; groups compare by their keyframes.
    friend bool operator==(const ShapeItem& first, const ShapeItem& second);

protected:
    // Compares the fields of this class; `other` is known to be of the same class.
    virtual bool equals(const ShapeItem& other) const;

private:
    std::string name_ = "Layer";
    ShapeType type_ = ShapeType::unknown;
    bool hidden_ = false;
};

// Element by element, through each item's class.
bool sameItems(const ShapeItemList& first, const ShapeItemList& second);

}  // namespace lottie
