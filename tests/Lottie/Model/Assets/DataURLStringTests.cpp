#include <gtest/gtest.h>

#include "Lottie/Model/Assets/DataURLString.h"

using lottie::DataURLFlags;
using lottie::dataFromDataURLString;

namespace {

std::optional<std::string> asText(const std::optional<platform::foundation::Data>& data) {
    if (!data) return std::nullopt;
    return std::string(data->begin(), data->end());
}

TEST(DataURLString, ReadsEmbeddedBytesAndRefusesEverythingElse) {
    struct Case {
        const char* text;
        const char* expected;  // nullptr: nothing
        DataURLFlags flags{};
    };
    const Case cases[] = {
        {"data:image/png;base64,aGVsbG8=", "hello"},
        {"data:image/png;base64,aGVsbG8=\n  ", "hello"},         // trailing white space is trimmed
        {" data:image/png;base64,aGVsbG8=", nullptr},            // leading white space defeats it
        {"data:image/png;base64,aGVs\nbG8=", nullptr},            // a line break inside the payload
        {"data:image/png;base64,aGVs*bG8=", nullptr},             // outside the Base64 alphabet
        {"data:text/plain,Hello%20World", "Hello World"},         // no Base64: the URL loader reads it
        {"data:text/plain,a;base64,QQ==", "A"},                   // Base64 after the first ";base64,"
        {"data:image/png;base64,", ""},
        {"img_0.png", nullptr},
        {"DATA:image/png;base64,aGVsbG8=", nullptr},
        {"data:image/png;base64,aGVsbG8=%zz", nullptr},           // not a well-formed URL
        {"", nullptr},
        // Bypassing Base64 hands the whole URL to the loader.
        {"data:text/plain,a;base64,QQ==", "a;base64,QQ==", {DataURLFlags::bypassBase64}},
        {"data:image/png;base64,aGVsbG8=", "hello", {DataURLFlags::bypassBase64}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto bytes = asText(dataFromDataURLString(c.text, c.flags));
        ASSERT_EQ(bytes.has_value(), c.expected != nullptr);
        if (bytes) { EXPECT_EQ(*bytes, c.expected); }
    }
}

}  // namespace
