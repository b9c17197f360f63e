#include "Platform/Json/JsonValue.h"

#include <cmath>
#include <limits>

namespace platform::json {

std::optional<std::int64_t> Number::exactInteger() const {
    if (kind != Kind::floating) return integer;
    // 2^63 is the first double past the int64 range; every double below it
    // and integral converts exactly.
    constexpr double limit = 9223372036854775808.0;
    if (!std::isfinite(floating) || std::trunc(floating) != floating || floating >= limit || floating < -limit) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(floating);
}

bool Number::operator==(const Number& other) const {
    if (kind != Kind::floating && other.kind != Kind::floating) return integer == other.integer;
    return doubleValue() == other.doubleValue();
}

bool Value::isBooleanLiteral() const {
    const Number* number = asNumber();
    return number && number->kind == Number::Kind::boolean;
}

std::optional<double> Value::asDouble() const {
    if (const Number* number = asNumber()) return number->doubleValue();
    return std::nullopt;
}

std::optional<std::int64_t> Value::asInteger() const {
    if (const Number* number = asNumber()) return number->exactInteger();
    return std::nullopt;
}

std::optional<bool> Value::asBool() const {
    auto exact = asInteger();
    if (!exact || (*exact != 0 && *exact != 1)) return std::nullopt;
    return *exact == 1;
}

const Value* Value::find(std::string_view key) const {
    const Object* object = asObject();
    if (!object) return nullptr;
    for (auto it = object->rbegin(); it != object->rend(); ++it) {
        if (it->key == key) return &it->value;
    }
    return nullptr;
}

bool Value::operator==(const Value& other) const { return storage_ == other.storage_; }

std::string Value::typeDescription() const {
    switch (type()) {
        case Type::null: return "null";
        case Type::number: return isBooleanLiteral() ? "a boolean" : "a number";
        case Type::string: return "a string";
        case Type::array: return "an array";
        case Type::object: return "a dictionary";
    }
    return "a value";
}

}  // namespace platform::json
