#pragma once
// An untyped JSON value as the platform's object parser hands it out:
// dictionaries with text keys (in document order), arrays, texts, numbers and
// null. Booleans are numbers that remember they were booleans, so that the
// conversion rules below can treat `true` as the number 1 and 1 as a boolean.
//
// Values own their children. A parsed document is one Value tree owned by the
// caller; containers and decoders only borrow from it.

#include <cstdint>
#include <limits>
#include <type_traits>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace platform::json {

class Value;
struct Member;

using Array = std::vector<Value>;
using Object = std::vector<Member>;

// A JSON number. Integers that the text spelled without fraction or exponent
// keep their exact 64-bit value; everything else is a double.
struct Number {
    enum class Kind : std::uint8_t { integer, floating, boolean };

    Kind kind = Kind::integer;
    std::int64_t integer = 0;
    double floating = 0;

    static Number makeInteger(std::int64_t value) { return {Kind::integer, value, static_cast<double>(value)}; }
    static Number makeFloating(double value) { return {Kind::floating, 0, value}; }
    static Number makeBoolean(bool value) { return {Kind::boolean, value ? 1 : 0, value ? 1.0 : 0.0}; }

    double doubleValue() const { return kind == Kind::floating ? floating : static_cast<double>(integer); }
    // The exact integer this number stands for, if there is one.
    std::optional<std::int64_t> exactInteger() const;
    bool operator==(const Number& other) const;
};

class Value {
public:
    enum class Type { null, number, string, array, object };

    // Defined below, once Member is complete: some compilers instantiate the
    // storage's special members as soon as they are named.
    Value();
    Value(std::nullptr_t);
    Value(Number number);
    Value(double number);
    Value(std::string text);
    Value(const char* text);
    Value(Array array);
    Value(Object object);
    Value(const Value& other);
    Value(Value&& other) noexcept;
    Value& operator=(const Value& other);
    Value& operator=(Value&& other) noexcept;
    ~Value();

    static Value integer(std::int64_t number) { return Value(Number::makeInteger(number)); }
    static Value boolean(bool flag) { return Value(Number::makeBoolean(flag)); }

    Type type() const { return static_cast<Type>(storage_.index()); }
    bool isNull() const { return type() == Type::null; }
    bool isNumber() const { return type() == Type::number; }
    bool isString() const { return type() == Type::string; }
    bool isArray() const { return type() == Type::array; }
    bool isObject() const { return type() == Type::object; }
    // A number that was written as `true` or `false`.
    bool isBooleanLiteral() const;

    // Conversions with the platform's rules: a number becomes a double always,
    // an integer only when exactly representable in the target type, a boolean
    // only when it is 0 or 1. Text never becomes a number nor a number text;
    // null becomes nothing.
    std::optional<double> asDouble() const;
    std::optional<std::int64_t> asInteger() const;
    template <class T>
    std::optional<T> asIntegral() const;
    std::optional<bool> asBool() const;

    const Number* asNumber() const { return std::get_if<Number>(&storage_); }
    const std::string* asString() const { return std::get_if<std::string>(&storage_); }
    const Array* asArray() const { return std::get_if<Array>(&storage_); }
    Array* asArray() { return std::get_if<Array>(&storage_); }
    const Object* asObject() const { return std::get_if<Object>(&storage_); }
    Object* asObject() { return std::get_if<Object>(&storage_); }

    // The member of an object under `key` (the last one if the key repeats),
    // or null when this is not an object or has no such key.
    const Value* find(std::string_view key) const;

    // Structural equality; numbers compare by value, so 1 equals 1.0.
    bool operator==(const Value& other) const;

    // A short name of the type for error messages ("a number", "a string").
    std::string typeDescription() const;

private:
    std::variant<std::monostate, Number, std::string, Array, Object> storage_;
};

struct Member {
    std::string key;
    Value value;

    bool operator==(const Member& other) const { return key == other.key && value == other.value; }
};

inline Value::Value() = default;
inline Value::Value(std::nullptr_t) {}
inline Value::Value(Number number) : storage_(number) {}
inline Value::Value(double number) : storage_(Number::makeFloating(number)) {}
inline Value::Value(std::string text) : storage_(std::move(text)) {}
inline Value::Value(const char* text) : storage_(std::string(text)) {}
inline Value::Value(Array array) : storage_(std::move(array)) {}
inline Value::Value(Object object) : storage_(std::move(object)) {}
inline Value::Value(const Value& other) = default;
inline Value::Value(Value&& other) noexcept = default;
inline Value& Value::operator=(const Value& other) = default;
inline Value& Value::operator=(Value&& other) noexcept = default;
inline Value::~Value() = default;

template <class T>
std::optional<T> Value::asIntegral() const {
    auto exact = asInteger();
    if (!exact) return std::nullopt;
    if constexpr (std::is_signed_v<T>) {
        if (*exact < static_cast<std::int64_t>(std::numeric_limits<T>::min()) ||
            *exact > static_cast<std::int64_t>(std::numeric_limits<T>::max())) {
            return std::nullopt;
        }
    } else {
        if (*exact < 0 || static_cast<std::uint64_t>(*exact) > std::numeric_limits<T>::max()) {
            return std::nullopt;
        }
    }
    return static_cast<T>(*exact);
}

}  // namespace platform::json
