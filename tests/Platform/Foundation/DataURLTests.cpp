#include "Platform/Foundation/Base64.h"
#include "Platform/Foundation/DataURL.h"

#include "tests/Support/Base64Encoder.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

namespace platform::foundation {
namespace {

Data bytesOf(std::string_view text) {
    return Data(text.begin(), text.end());
}

struct DataURLCase {
    const char* label;
    std::string text;
    std::optional<std::string> expected;  // none: the reader must give nothing
};

TEST(DataURLTest, DecodesOrRefusesEachForm) {
    using namespace std::string_literals;
    const DataURLCase cases[] = {
        // Base64, with and without padding, any media type.
        {"padded base64", "data:image/png;base64,aGVsbG8=", "hello"},
        {"padding left out", "data:image/png;base64,aGVsbG8", "hello"},
        {"binary bytes", "data:;base64,AP8Q", "\x00\xff\x10"s},
        {"trailing white space ignored", "data:;base64,YQ==\r\n \t", "a"},
        // Percent-encoded.
        {"plain text", "data:,Hello", "Hello"},
        {"lower-case escape and NUL", "data:,%e2%82%ac%00", "\xe2\x82\xac\x00"s},
        {"fragment is not data", "data:,abc#frag", "abc"},
        {"plus stays a plus", "data:,a+b", "a+b"},
        {"base64 text without the marker is not decoded", "data:text/plain,aGk=", "aGk="},
        {"marker after the comma belongs to the data", "data:,x;base64,YQ==", "x;base64,YQ=="},
        // Refused.
        {"empty text", "", std::nullopt},
        {"missing comma", "data:image/png;base64", std::nullopt},
        {"not a data URL", "image_0.png", std::nullopt},
        {"upper-case scheme", "DATA:,a", std::nullopt},
        {"line break inside base64", "data:;base64,YWJj\nZGVm", std::nullopt},
        {"percent escape in base64", "data:;base64,YQ%3D%3D", std::nullopt},
        {"padding in the middle", "data:;base64,YQ==YQ==", std::nullopt},
        {"one character short of a byte", "data:;base64,YWJjZ", std::nullopt},
        {"truncated percent escape", "data:,abc%2", std::nullopt},
        {"space in percent data", "data:,a b", std::nullopt},
        {"two fragments", "data:,a#b#c", std::nullopt},
        {"non-ASCII byte", "data:,caf\xc3\xa9", std::nullopt},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.label);
        const auto result = decodeDataURL(testCase.text);
        if (!testCase.expected) {
            EXPECT_FALSE(result.has_value());
        } else {
            ASSERT_TRUE(result.has_value());
            EXPECT_EQ(*result, bytesOf(*testCase.expected));
        }
    }
}

TEST(DataURLTest, Base64RoundTripsEveryLengthWithAndWithoutPadding) {
    std::mt19937 random(20240601);
    for (std::size_t length = 0; length < 64; ++length) {
        Data bytes(length);
        for (auto& byte : bytes) {
            byte = static_cast<std::uint8_t>(random());
        }
        for (const bool pad : {true, false}) {
            SCOPED_TRACE(testing::Message() << "length " << length << (pad ? " padded" : " unpadded"));
            const auto encoded = testsupport::encodeBase64(bytes, pad);
            EXPECT_EQ(decodeBase64(encoded), bytes);
            EXPECT_EQ(decodeDataURL("data:application/json;base64," + encoded), bytes);
        }
    }
}

TEST(DataURLTest, LongInputsOfEveryByteNeverCrash) {
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string text = round % 2 == 0 ? "data:;base64," : "data:,";
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) {
            text += static_cast<char>(random() % 256);
        }
        (void)decodeDataURL(text);  // must return, under the sanitizers too
    }
}

}  // namespace
}  // namespace platform::foundation
