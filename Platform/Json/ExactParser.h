#pragma once
// A plain recursive-descent JSON parser that knows exactly where it stopped.
// It is the slow path of JsonParser: it explains refusals and reads numbers
// that do not fit in 64 bits. Owned by nobody; one call, one document. It
// either builds the document's values or, to say where a text goes wrong,
// only checks it, building nothing.

#include <string_view>

#include "Platform/Json/JsonValue.h"

namespace platform::json {

class ExactParser {
public:
    enum class Mode { build, check };

    explicit ExactParser(std::string_view text, Mode mode = Mode::build) : text_(text), mode_(mode) {}

    // The whole document (null when only checking), or throws ParseError at
    // the first fault.
    Value parseDocument();

private:
    Value parseValue(std::size_t depth);
    Value parseObject(std::size_t depth);
    Value parseArray(std::size_t depth);
    std::string parseString();
    Value parseNumber();
    void expectLiteral(std::string_view literal);
    void appendCodePoint(std::string& out, unsigned codePoint);
    unsigned parseHex4();
    void skipWhitespace();
    [[noreturn]] void fail(const std::string& reason) const;
    [[noreturn]] void fail(const std::string& reason, std::size_t offset) const;

    std::string_view text_;
    Mode mode_;
    std::size_t position_ = 0;
    std::size_t valueCount_ = 0;
};

}  // namespace platform::json
