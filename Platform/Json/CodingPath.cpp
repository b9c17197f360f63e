#include "Platform/Json/CodingPath.h"

namespace platform::json {

std::string describe(const CodingPath& path) {
    if (path.empty()) return "(root)";
    std::string text;
    for (const CodingKey& key : path) {
        if (key.intValue) {
            text += "[" + std::to_string(*key.intValue) + "]";
        } else {
            if (!text.empty()) text += ".";
            text += key.stringValue;
        }
    }
    return text;
}

}  // namespace platform::json
