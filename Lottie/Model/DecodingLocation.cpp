#include "Lottie/Model/DecodingLocation.h"

namespace lottie {

namespace {

using platform::json::CodingKey;
using platform::json::CodingPath;
using platform::json::Value;

// The path from `node` down to the value at `target`, found by address. The
// parser bounds the nesting, so the recursion is bounded too.
bool findPath(const Value& node, const void* target, CodingPath& path) {
    if (&node == target) return true;
    if (const platform::json::Object* object = node.asObject()) {
        for (const platform::json::Member& member : *object) {
            path.push_back(CodingKey::named(member.key));
            if (findPath(member.value, target, path)) return true;
            path.pop_back();
        }
    } else if (const platform::json::Array* array = node.asArray()) {
        for (std::size_t index = 0; index < array->size(); ++index) {
            path.push_back(CodingKey::index(static_cast<int>(index)));
            if (findPath((*array)[index], target, path)) return true;
            path.pop_back();
        }
    }
    return false;
}

}  // namespace

std::string DecodingLocation::describe(const Value& document, const CodingPath& path) {
    std::string text;
    const Value* node = &document;
    std::string_view arrayKey;
    for (const CodingKey& key : path) {
        if (key.intValue) {
            const auto index = static_cast<std::size_t>(*key.intValue);
            const platform::json::Array* array = node ? node->asArray() : nullptr;
            node = array && index < array->size() ? &(*array)[index] : nullptr;
            text += "[" + std::to_string(*key.intValue) + "]";
            // Layers are what a user knows a document by; they carry their names.
            const Value* name = node && arrayKey == "layers" ? node->find("nm") : nullptr;
            if (const std::string* layerName = name ? name->asString() : nullptr) text += " \"" + *layerName + "\"";
        } else {
            if (!text.empty()) text += " > ";
            text += key.stringValue;
            node = node ? node->find(key.stringValue) : nullptr;
            arrayKey = key.stringValue;
        }
    }
    return text.empty() ? "(root)" : text;
}

void DecodingLocation::describe(InitializableError& error, const Value& document) {
    CodingPath path;
    if (!error.where() || !findPath(document, error.where(), path)) return;
    if (!error.key().empty()) path.push_back(CodingKey::named(error.key()));
    error.setLocationDescription(describe(document, path));
}

void DecodingLocation::describe(platform::json::DecodingError& error, const Value& document) {
    CodingPath path = error.codingPath();
    if (error.key()) path.push_back(*error.key());
    error.setLocationDescription(describe(document, path));
}

}  // namespace lottie
