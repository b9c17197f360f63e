#include "Platform/Json/Decoding.h"

namespace platform::json {

namespace detail {

const Number& requireNumber(const Decoder& decoder, const std::string& expected) {
    const Value& value = decoder.value();
    if (value.isNull()) throw DecodingError::valueNotFound(expected, decoder.codingPath());
    const Number* number = value.asNumber();
    if (!number || number->kind == Number::Kind::boolean) {
        throw DecodingError::typeMismatch(expected, value.typeDescription(), decoder.codingPath());
    }
    return *number;
}

}  // namespace detail

bool Decodable<bool>::decode(const Decoder& decoder) {
    const Value& value = decoder.value();
    if (value.isNull()) throw DecodingError::valueNotFound("Bool", decoder.codingPath());
    if (!value.isBooleanLiteral()) {
        throw DecodingError::typeMismatch("Bool", value.typeDescription(), decoder.codingPath());
    }
    return value.asNumber()->integer != 0;
}

std::string Decodable<std::string>::decode(const Decoder& decoder) {
    const Value& value = decoder.value();
    if (value.isNull()) throw DecodingError::valueNotFound("String", decoder.codingPath());
    const std::string* text = value.asString();
    if (!text) throw DecodingError::typeMismatch("String", value.typeDescription(), decoder.codingPath());
    return *text;
}

double Decodable<double>::decode(const Decoder& decoder) {
    return detail::requireNumber(decoder, "Double").doubleValue();
}

float Decodable<float>::decode(const Decoder& decoder) {
    double number = detail::requireNumber(decoder, "Float").doubleValue();
    if (std::fabs(number) > static_cast<double>(std::numeric_limits<float>::max())) {
        throw DecodingError::dataCorrupted(decoder.codingPath(), "Parsed JSON number does not fit in Float.");
    }
    return static_cast<float>(number);
}

// ---- Decoder ----

CodingPath Decoder::codingPath() const {
    CodingPath path = parent_.codingPath();
    if (step_) path.push_back(step_->key());
    return path;
}

KeyedDecodingContainer Decoder::container() const {
    if (value_->isNull()) throw DecodingError::valueNotFound("a dictionary", codingPath(),
                                                             "Cannot get keyed decoding container -- found null value instead.");
    const Object* object = value_->asObject();
    if (!object) throw DecodingError::typeMismatch("a dictionary", value_->typeDescription(), codingPath());
    return KeyedDecodingContainer(*object, sharedPath());
}

UnkeyedDecodingContainer Decoder::unkeyedContainer() const {
    if (value_->isNull()) throw DecodingError::valueNotFound("an array", codingPath(),
                                                             "Cannot get unkeyed decoding container -- found null value instead.");
    const Array* array = value_->asArray();
    if (!array) throw DecodingError::typeMismatch("an array", value_->typeDescription(), codingPath());
    return UnkeyedDecodingContainer(*array, sharedPath());
}

SingleValueDecodingContainer Decoder::singleValueContainer() const { return SingleValueDecodingContainer(*this); }

// ---- KeyedDecodingContainer ----

std::vector<std::string> KeyedDecodingContainer::allKeys() const {
    std::vector<std::string> keys;
    keys.reserve(object_->size());
    for (const Member& member : *object_) keys.push_back(member.key);
    return keys;
}

const Value* KeyedDecodingContainer::lookup(std::string_view key) const {
    for (auto it = object_->rbegin(); it != object_->rend(); ++it) {
        if (it->key == key) return &it->value;
    }
    return nullptr;
}

const Value& KeyedDecodingContainer::require(std::string_view key) const {
    const Value* value = lookup(key);
    if (!value) throw DecodingError::keyNotFound(CodingKey::named(std::string(key)), path_.codingPath());
    return *value;
}

bool KeyedDecodingContainer::decodeNil(std::string_view key) const { return require(key).isNull(); }

KeyedDecodingContainer KeyedDecodingContainer::nestedContainer(std::string_view key) const {
    return decoderFor(require(key), key).container();
}

UnkeyedDecodingContainer KeyedDecodingContainer::nestedUnkeyedContainer(std::string_view key) const {
    return decoderFor(require(key), key).unkeyedContainer();
}

Decoder KeyedDecodingContainer::superDecoder(std::string_view key) const {
    static const Value null;
    const Value* value = lookup(key);
    return decoderFor(value ? *value : null, key);
}

// ---- UnkeyedDecodingContainer ----

const Value& UnkeyedDecodingContainer::current(const char* expected) const {
    if (isAtEnd()) {
        throw DecodingError::valueNotFound(expected, currentPath(), "Unkeyed container is at end.");
    }
    return (*array_)[static_cast<std::size_t>(index_)];
}

bool UnkeyedDecodingContainer::decodeNil() {
    if (current("nil").isNull()) {
        ++index_;
        return true;
    }
    return false;
}

KeyedDecodingContainer UnkeyedDecodingContainer::nestedContainer() {
    KeyedDecodingContainer nested = currentDecoder(current("a dictionary")).container();
    ++index_;
    return nested;
}

UnkeyedDecodingContainer UnkeyedDecodingContainer::nestedUnkeyedContainer() {
    UnkeyedDecodingContainer nested = currentDecoder(current("an array")).unkeyedContainer();
    ++index_;
    return nested;
}

Decoder UnkeyedDecodingContainer::superDecoder() {
    Decoder decoder = currentDecoder(current("value"));
    ++index_;
    return decoder;
}

}  // namespace platform::json
