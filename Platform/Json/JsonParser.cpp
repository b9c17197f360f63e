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

}  // namespace

std::string tooManyValuesReason() {
    return "the document holds more than " + std::to_string(maximumValueCount) + " values";
}

std::size_t keptParserRoom() {
    return keptParser().capacity();
}

Value parse(std::string_view text) {
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

    // Every value takes at least one character, so only a text longer than
    // the limit can hold more values than it; such a text is counted before
    // a parser makes buffers for it.
    if (text.size() > maximumValueCount && holdsMoreValuesThan(text, maximumValueCount)) {
        throw ParseError::tooLarge(tooManyValuesReason());
    }

    // The elements point into the parser's buffers, so the tree is copied
    // out before a parser of its own goes away with them.
    simdjson::dom::element root;
    // A parser of its own for a large document, whose buffers go with it.
    simdjson::dom::parser ownParser;
    simdjson::dom::parser& parser = text.size() <= keptParserCapacity ? keptParser() : ownParser;
    auto error = parser.parse(text.data(), text.size(), true).get(root);
    if (!error) return convert(root);

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
