#include "Platform/Json/ExactParser.h"

#include <charconv>
#include <cmath>

#include "Platform/Json/JsonParser.h"
#include "Platform/Json/ParseError.h"

namespace platform::json {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string describeCharacter(char c) {
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "0x%02X", static_cast<unsigned char>(c));
        return buffer;
    }
    return std::string("'") + c + "'";
}

}  // namespace

Value ExactParser::parseDocument() {
    skipWhitespace();
    if (position_ >= text_.size()) fail("the text holds no value");
    Value value = parseValue(0);
    skipWhitespace();
    if (position_ < text_.size()) fail("unexpected " + describeCharacter(text_[position_]) + " after the value");
    return value;
}

void ExactParser::skipWhitespace() {
    while (position_ < text_.size()) {
        char c = text_[position_];
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') break;
        ++position_;
    }
}

void ExactParser::fail(const std::string& reason) const { fail(reason, position_); }

void ExactParser::fail(const std::string& reason, std::size_t offset) const {
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < offset && i < text_.size(); ++i) {
        if (text_[i] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(text_[i]) & 0xC0) != 0x80) {
            ++column;
        }
    }
    throw ParseError(reason, offset, line, column);
}

Value ExactParser::parseValue(std::size_t depth) {
    if (depth >= maximumNestingDepth) fail("the values are nested too deeply");
    if (++valueCount_ > maximumValueCount) throw ParseError::tooLarge(tooManyValuesReason());
    if (position_ >= text_.size()) fail("the text ends where a value should start");
    char c = text_[position_];
    switch (c) {
        case '{': return parseObject(depth + 1);
        case '[': return parseArray(depth + 1);
        case '"': return Value(parseString());
        case 't': expectLiteral("true"); return Value::boolean(true);
        case 'f': expectLiteral("false"); return Value::boolean(false);
        case 'n': expectLiteral("null"); return Value();
        default:
            if (c == '-' || isDigit(c)) return parseNumber();
            fail("unexpected " + describeCharacter(c) + " where a value should start");
    }
}

void ExactParser::expectLiteral(std::string_view literal) {
    if (text_.substr(position_, literal.size()) != literal) fail("invalid literal, expected " + std::string(literal));
    position_ += literal.size();
}

Value ExactParser::parseObject(std::size_t depth) {
    ++position_;  // '{'
    Object object;
    skipWhitespace();
    if (position_ < text_.size() && text_[position_] == '}') {
        ++position_;
        return Value(std::move(object));
    }
    while (true) {
        skipWhitespace();
        if (position_ >= text_.size()) fail("the text ends inside a dictionary");
        if (text_[position_] != '"') fail("expected a key string, found " + describeCharacter(text_[position_]));
        std::string key = parseString();
        skipWhitespace();
        if (position_ >= text_.size() || text_[position_] != ':') fail("expected ':' after a key");
        ++position_;
        skipWhitespace();
        Value value = parseValue(depth);
        if (mode_ == Mode::build) object.push_back(Member{std::move(key), std::move(value)});
        skipWhitespace();
        if (position_ >= text_.size()) fail("the text ends inside a dictionary");
        if (text_[position_] == ',') {
            ++position_;
            continue;
        }
        if (text_[position_] == '}') {
            ++position_;
            return Value(std::move(object));
        }
        fail("expected ',' or '}' in a dictionary, found " + describeCharacter(text_[position_]));
    }
}

Value ExactParser::parseArray(std::size_t depth) {
    ++position_;  // '['
    Array array;
    skipWhitespace();
    if (position_ < text_.size() && text_[position_] == ']') {
        ++position_;
        return Value(std::move(array));
    }
    while (true) {
        skipWhitespace();
        Value value = parseValue(depth);
        if (mode_ == Mode::build) array.push_back(std::move(value));
        skipWhitespace();
        if (position_ >= text_.size()) fail("the text ends inside an array");
        if (text_[position_] == ',') {
            ++position_;
            continue;
        }
        if (text_[position_] == ']') {
            ++position_;
            return Value(std::move(array));
        }
        fail("expected ',' or ']' in an array, found " + describeCharacter(text_[position_]));
    }
}

unsigned ExactParser::parseHex4() {
    if (position_ + 4 > text_.size()) fail("the text ends inside a \\u escape");
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
        char c = text_[position_++];
        value <<= 4;
        if (isDigit(c)) value |= static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f') value |= static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F') value |= static_cast<unsigned>(c - 'A' + 10);
        else fail("invalid hexadecimal digit in a \\u escape", position_ - 1);
    }
    return value;
}

void ExactParser::appendCodePoint(std::string& out, unsigned cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string ExactParser::parseString() {
    std::size_t start = position_;
    ++position_;  // '"'
    // Only checking, the string is read but not kept.
    const bool keep = mode_ == Mode::build;
    std::string out;
    while (true) {
        if (position_ >= text_.size()) fail("unterminated string", start);
        unsigned char c = static_cast<unsigned char>(text_[position_]);
        if (c == '"') {
            ++position_;
            return out;
        }
        if (c < 0x20) fail("unescaped control character in a string");
        if (c == '\\') {
            ++position_;
            if (position_ >= text_.size()) fail("unterminated string", start);
            char e = text_[position_++];
            char decoded = 0;
            switch (e) {
                case '"': decoded = '"'; break;
                case '\\': decoded = '\\'; break;
                case '/': decoded = '/'; break;
                case 'b': decoded = '\b'; break;
                case 'f': decoded = '\f'; break;
                case 'n': decoded = '\n'; break;
                case 'r': decoded = '\r'; break;
                case 't': decoded = '\t'; break;
                case 'u': {
                    unsigned cp = parseHex4();
                    if (cp >= 0xD800 && cp < 0xDC00) {
                        if (text_.substr(position_, 2) != "\\u") fail("unpaired surrogate in a \\u escape");
                        position_ += 2;
                        unsigned low = parseHex4();
                        if (low < 0xDC00 || low >= 0xE000) fail("invalid low surrogate in a \\u escape");
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    } else if (cp >= 0xDC00 && cp < 0xE000) {
                        fail("unpaired surrogate in a \\u escape");
                    }
                    if (keep) appendCodePoint(out, cp);
                    continue;
                }
                default: fail("invalid escape \\" + std::string(1, e), position_ - 1);
            }
            if (keep) out += decoded;
            continue;
        }
        // Validate one UTF-8 sequence and copy it.
        std::size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || position_ + length > text_.size()) fail("invalid UTF-8 in a string");
        unsigned cp = length == 1 ? c : length == 2 ? (c & 0x1F) : length == 3 ? (c & 0x0F) : (c & 0x07);
        for (std::size_t i = 1; i < length; ++i) {
            unsigned char next = static_cast<unsigned char>(text_[position_ + i]);
            if ((next & 0xC0) != 0x80) fail("invalid UTF-8 in a string");
            cp = (cp << 6) | (next & 0x3F);
        }
        static constexpr unsigned minimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < minimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) fail("invalid UTF-8 in a string");
        if (keep) out.append(text_.substr(position_, length));
        position_ += length;
    }
}

Value ExactParser::parseNumber() {
    std::size_t start = position_;
    bool integral = true;
    if (text_[position_] == '-') ++position_;
    if (position_ >= text_.size() || !isDigit(text_[position_])) fail("invalid number", start);
    if (text_[position_] == '0') {
        ++position_;
    } else {
        while (position_ < text_.size() && isDigit(text_[position_])) ++position_;
    }
    if (position_ < text_.size() && text_[position_] == '.') {
        integral = false;
        ++position_;
        if (position_ >= text_.size() || !isDigit(text_[position_])) fail("invalid number", start);
        while (position_ < text_.size() && isDigit(text_[position_])) ++position_;
    }
    if (position_ < text_.size() && (text_[position_] == 'e' || text_[position_] == 'E')) {
        integral = false;
        ++position_;
        if (position_ < text_.size() && (text_[position_] == '+' || text_[position_] == '-')) ++position_;
        if (position_ >= text_.size() || !isDigit(text_[position_])) fail("invalid number", start);
        while (position_ < text_.size() && isDigit(text_[position_])) ++position_;
    }
    const char* first = text_.data() + start;
    const char* last = text_.data() + position_;
    if (integral) {
        std::int64_t integer = 0;
        auto [end, error] = std::from_chars(first, last, integer);
        if (error == std::errc() && end == last) return Value::integer(integer);
    }
    double floating = 0;
    auto [end, error] = std::from_chars(first, last, floating);
    if (end != last || (error != std::errc() && error != std::errc::result_out_of_range)) fail("invalid number", start);
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value alone when out of range: tell underflow
        // (which reads as zero) from overflow (which is refused).
        std::string_view spelled(first, static_cast<std::size_t>(last - first));
        auto exponent = spelled.find_first_of("eE");
        bool underflow = exponent != std::string_view::npos && exponent + 1 < spelled.size() && spelled[exponent + 1] == '-';
        if (!underflow) fail("number out of range", start);
        floating = spelled.front() == '-' ? -0.0 : 0.0;
    }
    return Value(floating);
}

}  // namespace platform::json
