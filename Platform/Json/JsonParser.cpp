#include "Platform/Json/JsonParser.h"

#include <simdjson.h>

#include "Platform/Json/ExactParser.h"
#include "Platform/Json/ParseError.h"
#include "Platform/Json/ValueCount.h"

namespace platform::json {

namespace {

Value convert(simdjson::dom::element element) {
    using simdjson::dom::element_type;
    switch (element.type()) {
        case element_type::ARRAY: {
            simdjson::dom::array source = element.get_array().value_unsafe();
            Array array;
            array.reserve(source.size());
            for (simdjson::dom::element child : source) array.push_back(convert(child));
            return Value(std::move(array));
        }
        case element_type::OBJECT: {
            simdjson::dom::object source = element.get_object().value_unsafe();
            Object object;
            object.reserve(source.size());
            for (simdjson::dom::key_value_pair field : source) {
                object.push_back(Member{std::string(field.key), convert(field.value)});
            }
            return Value(std::move(object));
        }
        case element_type::INT64: return Value::integer(element.get_int64().value_unsafe());
        case element_type::UINT64: return Value(static_cast<double>(element.get_uint64().value_unsafe()));
        case element_type::DOUBLE: return Value(element.get_double().value_unsafe());
        case element_type::STRING: return Value(std::string(element.get_string().value_unsafe()));
        case element_type::BOOL: return Value::boolean(element.get_bool().value_unsafe());
        case element_type::NULL_VALUE: return Value();
    }
    return Value();
}

// The parser this thread reuses for documents that fit keptParserCapacity.
simdjson::dom::parser& keptParser() {
    thread_local simdjson::dom::parser parser;
    return parser;
}

// The reason given for a document that would cost more than the bounds.
std::string tooCostlyReason(const TextCost& cost, std::size_t textBytes) {
    // A count that stopped early says what the text holds as far as it went.
    const std::string holds = cost.countedBytes < textBytes
                                  ? "its first " + std::to_string(cost.countedBytes) + " bytes hold "
                                  : "it holds ";
    return "decoding the document would take more than " + std::to_string(static_cast<int>(maximumDecodingSeconds)) +
           " s of processor time or " + std::to_string(maximumDecodingBytes >> 20) + " MB of memory: " + holds +
           std::to_string(cost.values) + " values, " + std::to_string(cost.stringBytes) + " bytes of strings, " +
           std::to_string(cost.numberBytes) + " characters of numbers (" + std::to_string(cost.slowNumberDigits) +
           " of them digits of numbers longer than 19), " + std::to_string(cost.escapes) + " escapes and " +
           std::to_string(cost.tokensBetweenValues()) +
           " more brackets, braces, commas, colons and other tokens than its values bring";
}

}  // namespace

std::string tooManyValuesReason() {
    return "the document holds more than " + std::to_string(maximumValueCount) + " values";
}

std::size_t keptParserRoom() {
    return keptParser().capacity();
}

Value parse(std::string_view text, std::size_t readableAfter) {
    static_assert(parserPadding == simdjson::SIMDJSON_PADDING);
    // Skipping the mark moves the text's start; what may be read after its end stays as it was.
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

    // A long text is counted before a parser makes buffers for it.
    bool unusualNumbers = false;
    if (text.size() > countedFromBytes) {
        const TextCost cost = TextCost::of(text, maximumValueCount, maximumDecodingSeconds, maximumDecodingBytes);
        if (cost.values > maximumValueCount) throw ParseError::tooLarge(tooManyValuesReason());
        if (cost.seconds(text.size()) > maximumDecodingSeconds || cost.memoryBytes(text.size()) > maximumDecodingBytes) {
            throw ParseError::tooLarge(tooCostlyReason(cost, text.size()));
        }
        unusualNumbers = cost.unusualNumbers;
    }
    // Numbers simdjson may refuse send the text straight to the exact parser,
    // which reads it once.
    if (unusualNumbers) return ExactParser(text).parseDocument();

    simdjson::error_code error;
    {
        // The elements point into the parser's buffers, so the tree is copied
        // out before a parser of its own goes away with them.
        simdjson::dom::element root;
        // A parser of its own for a large document, whose buffers go with it,
        // before the exact parser reads a refused text again.
        simdjson::dom::parser ownParser;
        simdjson::dom::parser& parser = text.size() <= keptParserCapacity ? keptParser() : ownParser;
        error = parser.parse(text.data(), text.size(), readableAfter < parserPadding).get(root);
        if (!error) return convert(root);
    }

    // The exact parser either reads what simdjson can't hold as numbers, or
    // explains the refusal, building nothing.
    if (error == simdjson::NUMBER_ERROR || error == simdjson::NUMBER_OUT_OF_RANGE) {
        return ExactParser(text).parseDocument();
    }
    ExactParser(text, ExactParser::Mode::check).parseDocument();
    throw ParseError(simdjson::error_message(error), 0, 1, 1);
}

}  // namespace platform::json
