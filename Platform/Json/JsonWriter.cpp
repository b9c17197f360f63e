#include "Platform/Json/JsonWriter.h"

#include <charconv>
#include <cmath>

#include "Platform/Json/EncodingError.h"

namespace platform::json {

namespace {

void writeString(std::string& out, const std::string& text) {
    out += '"';
    for (char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned char>(c));
                    out += buffer;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

void writeNumber(std::string& out, const Number& number) {
    char buffer[32];
    switch (number.kind) {
        case Number::Kind::boolean: out += number.integer ? "true" : "false"; return;
        case Number::Kind::integer: {
            auto result = std::to_chars(buffer, buffer + sizeof buffer, number.integer);
            out.append(buffer, result.ptr);
            return;
        }
        case Number::Kind::floating: {
            if (!std::isfinite(number.floating)) {
                throw EncodingError({}, "Unable to encode a non-finite number in JSON.");
            }
            if (number.floating == 0 && std::signbit(number.floating)) {
                // "-0" would read back as the integer 0.
                out += "-0.0";
                return;
            }
            auto result = std::to_chars(buffer, buffer + sizeof buffer, number.floating);
            out.append(buffer, result.ptr);
            return;
        }
    }
}

void write(std::string& out, const Value& value) {
    switch (value.type()) {
        case Value::Type::null: out += "null"; return;
        case Value::Type::number: writeNumber(out, *value.asNumber()); return;
        case Value::Type::string: writeString(out, *value.asString()); return;
        case Value::Type::array: {
            out += '[';
            bool first = true;
            for (const Value& element : *value.asArray()) {
                if (!first) out += ',';
                first = false;
                write(out, element);
            }
            out += ']';
            return;
        }
        case Value::Type::object: {
            out += '{';
            bool first = true;
            for (const Member& member : *value.asObject()) {
                if (!first) out += ',';
                first = false;
                writeString(out, member.key);
                out += ':';
                write(out, member.value);
            }
            out += '}';
            return;
        }
    }
}

}  // namespace

std::string serialize(const Value& value) {
    std::string out;
    write(out, value);
    return out;
}

}  // namespace platform::json
