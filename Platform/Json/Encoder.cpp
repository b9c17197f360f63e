#include "Platform/Json/Encoder.h"

namespace platform::json {

KeyedEncodingContainer Encoder::container() const {
    Value& value = slot_();
    if (!value.isObject()) value = Value(Object{});
    return KeyedEncodingContainer(slot_, path_);
}

UnkeyedEncodingContainer Encoder::unkeyedContainer() const {
    Value& value = slot_();
    if (!value.isArray()) value = Value(Array{});
    return UnkeyedEncodingContainer(slot_, path_);
}

Encoder KeyedEncodingContainer::encoderFor(std::string_view key) {
    Object& object = *slot_().asObject();
    std::size_t index = object.size();
    for (std::size_t i = 0; i < object.size(); ++i) {
        if (object[i].key == key) {
            index = i;
            break;
        }
    }
    if (index == object.size()) object.push_back(Member{std::string(key), Value()});
    ValueSlot parent = slot_;
    return Encoder([parent, index]() -> Value& { return (*parent().asObject())[index].value; },
                   appending(path_, CodingKey::named(std::string(key))));
}

UnkeyedEncodingContainer KeyedEncodingContainer::nestedUnkeyedContainer(std::string_view key) {
    return encoderFor(key).unkeyedContainer();
}

int UnkeyedEncodingContainer::count() const { return static_cast<int>(slot_().asArray()->size()); }

Encoder UnkeyedEncodingContainer::nextEncoder() {
    Array& array = *slot_().asArray();
    std::size_t index = array.size();
    array.emplace_back();
    ValueSlot parent = slot_;
    return Encoder([parent, index]() -> Value& { return (*parent().asArray())[index]; },
                   appending(path_, CodingKey::index(static_cast<int>(index))));
}

}  // namespace platform::json
