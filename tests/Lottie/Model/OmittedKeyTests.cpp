// Keys a document may leave out: the exporter's version, a text document's
// tracking and line height, a font's ascent and an effect value's name. Both
// decoders read the same defaults, the encoder writes every key back, and a
// value that is present (even 0) is never replaced.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Model/Text/TextLayerModel.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "tests/Lottie/Model/Assets/ModelFragments.h"

using lottie::DecodingStrategy;
using lottie::LottieAnimation;

namespace {

constexpr DecodingStrategy strategies[] = {DecodingStrategy::dictionaryBased, DecodingStrategy::legacyCodable};

// A text layer with one effect, under a root that starts with `rootStart`.
std::string document(const std::string& rootStart, const std::string& textDocument, const std::string& font,
                     const std::string& effectValue) {
    return "{" + rootStart + R"("fr":30,"ip":0,"op":10,"w":100,"h":100,"fonts":{"list":[)" + font +
           R"(]},"layers":[{"ty":5,"nm":"Title","ind":1,"ip":0,"op":10,"st":0,"t":{"d":{"k":[{"t":0,"s":)" +
           textDocument + R"(}]},"a":[]},"ef":[{"ty":29,"nm":"Blur","ef":[)" + effectValue + "]}]}]}";
}

// The values of the keys a document may leave out, in one line.
std::string omissibleValues(const LottieAnimation& animation) {
    auto layer = std::dynamic_pointer_cast<const lottie::TextLayerModel>(animation.layers.at(0));
    const lottie::TextDocument& text = layer->text->keyframes().at(0).value();
    std::ostringstream line;
    line << "v=" << animation.version << " tr=" << text.tracking << " lh=" << text.lineHeight
         << " ascent=" << animation.fonts->fonts.at(0)->ascent << " nm=" << layer->effects.at(0)->effects.at(0)->name;
    return line.str();
}

TEST(OmittedKeys, BothDecodersReadTheDefaultsAndTheEncoderWritesThemBack) {
    const std::string font = R"({"fName":"Sans","fFamily":"Sans","fStyle":"Regular")";
    const std::string text = R"({"t":"Hi\rthere","f":"Sans","j":0,"s":)";
    struct Case {
        std::string json;
        const char* expected;
    };
    const Case cases[] = {
        {document(R"("v":"5.7.4",)", text + R"(50,"tr":25,"lh":70})", font + R"(,"ascent":75})",
                  R"({"ty":0,"nm":"Radius","v":{"k":4}})"),
         "v=5.7.4 tr=25 lh=70 ascent=75 nm=Radius"},
        {document("", text + "50}", font + "}", R"({"ty":0,"v":{"k":4}})"), "v= tr=0 lh=60 ascent=0 nm=Effect"},
        {document("", text + "70}", font + "}", R"({"ty":2,"v":{"k":[1,0,0,1]}})"), "v= tr=0 lh=84 ascent=0 nm=Effect"},
        // Present zeros and nulls: a zero stays, a null counts as left out.
        {document(R"("v":"",)", text + R"(50,"tr":0,"lh":0})", font + R"(,"ascent":0})",
                  R"({"ty":1,"nm":"","v":{"k":0}})"),
         "v= tr=0 lh=0 ascent=0 nm="},
        {document(R"("v":null,)", text + R"(50,"tr":null,"lh":null})", font + R"(,"ascent":null})",
                  R"({"ty":0,"nm":null,"v":{"k":1}})"),
         "v= tr=0 lh=60 ascent=0 nm=Effect"},
    };
    for (const Case& c : cases) {
        for (DecodingStrategy strategy : strategies) {
            SCOPED_TRACE(c.json + (strategy == DecodingStrategy::dictionaryBased ? " (dictionary)" : " (keyed)"));
            std::shared_ptr<const LottieAnimation> animation;
            ASSERT_NO_THROW(animation = LottieAnimation::fromData(c.json, strategy));
            EXPECT_EQ(omissibleValues(*animation), c.expected);
            // Every key is written back, for readers that require them.
            const std::string encoded = modeltest::encoded(*animation);
            for (const char* key : {R"("v":)", R"("tr":)", R"("lh":)", R"("ascent":)"}) {
                EXPECT_NE(encoded.find(key), std::string::npos) << key;
            }
            for (DecodingStrategy again : strategies) {
                auto reread = LottieAnimation::fromData(encoded, again);
                EXPECT_EQ(omissibleValues(*reread), c.expected);
                EXPECT_EQ(modeltest::encoded(*reread), encoded);
            }
        }
    }
}

}  // namespace
