#pragma once
// Where in a parsed document a decoding error happened, told the way a user
// finds it in the document: keys joined by " > ", array positions in
// brackets, and each layer followed by its name, as in
//   layers[3] "Shape Layer 1" > shapes[0] > it[2] > c
// Used by LottieAnimation::fromData, which owns the parsed document while an
// error of either decoder leaves it; stateless.

#include <string>

#include "Lottie/Model/InitializableError.h"
#include "Platform/Json/CodingPath.h"
#include "Platform/Json/DecodingError.h"
#include "Platform/Json/JsonValue.h"

namespace lottie {

class DecodingLocation {
public:
    // The text of a coding path from the root of `document`; "(root)" for the empty path.
    static std::string describe(const platform::json::Value& document, const platform::json::CodingPath& path);

    // Gives the error the description of its place. An InitializableError
    // that remembers no value of this document is left as it is.
    static void describe(InitializableError& error, const platform::json::Value& document);
    static void describe(platform::json::DecodingError& error, const platform::json::Value& document);
};

}  // namespace lottie
