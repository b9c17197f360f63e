#include "Platform/Json/JsonParser.h"

#include <simdjson.h>

#include "Platform/Json/ExactParser.h"
#include "Platform/Json/ParseError.h"

namespace platform::json {

namespace {

// Whether the element holds more values than `left`, counting down; stops as
// soon as it does, before anything of the document is converted.
bool holdsMoreValues(simdjson::dom::element element, std::size_t& left) {
    if (left == 0) return true;
    --left;
    using simdjson::dom::element_type;
    if (element.type() == element_type::ARRAY) {
        const simdjson::dom::array array = element.get_array().value_unsafe();
        for (simdjson::dom::element child : array) {
            if (holdsMoreValues(child, left)) return true;
        }
    } else if (element.type() == element_type::OBJECT) {
        const simdjson::dom::object object = element.get_object().value_unsafe();
        for (simdjson::dom::key_value_pair field : object) {
            if (holdsMoreValues(field.value, left)) return true;
        }
    }
    return false;
}

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

}  // namespace

std::string tooManyValuesReason() {
    return "the document holds more than " + std::to_string(maximumValueCount) + " values";
}

std::size_t keptParserRoom() {
    return keptParser().capacity();
}

Value parse(std::string_view text) {
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

    // The elements point into the parser's buffers, so the tree is copied
    // out before a parser of its own goes away with them.
    simdjson::dom::element root;
    // A parser of its own for a large document, whose buffers go with it.
    simdjson::dom::parser ownParser;
    simdjson::dom::parser& parser = text.size() <= keptParserCapacity ? keptParser() : ownParser;
    auto error = parser.parse(text.data(), text.size(), true).get(root);
    if (!error) {
        // Every value takes at least one character, so only a text longer
        // than the limit can hold more values than it.
        std::size_t left = maximumValueCount;
        if (text.size() > maximumValueCount && holdsMoreValues(root, left)) {
            throw ParseError::tooLarge(tooManyValuesReason());
        }
        return convert(root);
    }

    // The exact parser either explains the refusal or, for numbers that
    // simdjson can't hold, reads the document itself.
    ExactParser exact(text);
    Value value = exact.parseDocument();
    if (error == simdjson::NUMBER_ERROR || error == simdjson::NUMBER_OUT_OF_RANGE) {
        return value;
    }
    throw ParseError(simdjson::error_message(error), 0, 1, 1);
}

}  // namespace platform::json
