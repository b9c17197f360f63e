// Masks of every mode, inverted and with opacity, and alpha and inverted
// alpha track mattes, checked in pixels on a layer that fills the canvas red.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Platform/Compositor/Renderer.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "tests/Lottie/MainThread/Features/FeatureDocuments.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace {

using namespace mainthreadtest;
using namespace featuretest;

std::string square(int from, int to) {
    const std::string a = std::to_string(from), b = std::to_string(to);
    return "[[" + a + "," + a + "],[" + b + "," + a + "],[" + b + "," + b + "],[" + a + "," + b + "]]";
}

const std::string redCanvas = rect(50, 50, 100, 100) + "," + fill(1, 0, 0);

TEST(MaskRender, ModesCombineAsTheDocumentSays) {
    struct Case {
        const char* name;
        std::string masks;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"add then intersect", mask("a", square(10, 60)) + "," + mask("i", square(40, 90)),
         {{50, 50, red}, {25, 25, clear}, {75, 75, clear}}},
        {"add then subtract", mask("a", square(10, 60)) + "," + mask("s", square(40, 90)),
         {{25, 25, red}, {50, 50, clear}, {75, 75, clear}}},
        {"add then add", mask("a", square(10, 40)) + "," + mask("a", square(60, 90)),
         {{25, 25, red}, {75, 75, red}, {50, 50, clear}}},
        {"subtract then add", mask("s", square(10, 60)) + "," + mask("a", square(40, 90)),
         {{25, 25, clear}, {50, 50, red}, {80, 20, red}}},
        {"only masks of mode none", mask("n", square(20, 60)), {{40, 40, red}, {80, 80, red}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto image = renderDocument(shapeDocument(redCanvas, R"(,"hasMask":true,"masksProperties":[)" +
                                                                       test.masks + "]"));
        ASSERT_TRUE(image);
        expectProbes(*image, test.probes);
    }
}

TEST(MaskRender, OpacityScalesWhatTheShapeAddsOrRemoves) {
    // Alpha (0...255) inside the square from 20 to 60 and outside it, on the red canvas.
    struct Case {
        const char* mode;
        bool inverted;
        double opacity;
        int inside;
        int outside;
    };
    const Case cases[] = {
        {"a", false, 100, 255, 0},   {"a", false, 50, 128, 0},   {"a", false, 0, 0, 0},
        {"s", false, 100, 0, 255},   {"s", false, 50, 128, 255}, {"s", false, 0, 255, 255},
        {"a", true, 100, 0, 255},    {"a", true, 50, 0, 128},    {"a", true, 0, 0, 0},
        {"s", true, 100, 255, 0},    {"s", true, 50, 255, 128},  {"s", true, 0, 255, 255},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::string(test.mode) + (test.inverted ? " inverted at " : " at ") +
                     std::to_string(test.opacity));
        const std::string masks = mask(test.mode, square(20, 60), test.opacity, test.inverted);
        const auto image = renderDocument(shapeDocument(redCanvas, R"(,"masksProperties":[)" + masks + "]"));
        ASSERT_TRUE(image);
        expectProbes(*image, {{40, 40, test.inside ? Rgba{255, 0, 0, test.inside} : clear},
                              {80, 80, test.outside ? Rgba{255, 0, 0, test.outside} : clear}});
    }
    // A later subtracting mask cuts what the earlier ones built by its opacity.
    const std::string masks = mask("a", square(10, 60)) + "," + mask("s", square(40, 90), 50);
    const auto image = renderDocument(shapeDocument(redCanvas, R"(,"masksProperties":[)" + masks + "]"));
    ASSERT_TRUE(image);
    expectProbes(*image, {{25, 25, red}, {50, 50, {255, 0, 0, 128}}, {75, 75, clear}});
}

TEST(MaskRender, MaskFollowsTheLayerTransform) {
    // The layer moves right by 30; its mask moves with it.
    const std::string layer = shapeLayer("[" + redCanvas + "]", 1, R"(,"masksProperties":[)" +
                                                                      mask("a", square(0, 20)) + "]",
                                         R"({"p":{"a":0,"k":[30,0]},"a":{"a":0,"k":[0,0]}})");
    const auto image = renderDocument(document("[" + layer + "]"));
    ASSERT_TRUE(image);
    expectProbes(*image, {{40, 10, red}, {10, 10, clear}, {60, 10, clear}});
}

// Layer 1 is the matte source (a green square), layer 2 the red canvas it mattes.
std::string matteDocument(int matteType, const std::string& sourceItems) {
    return document("[" + shapeLayer("[" + sourceItems + "]", 1) + "," +
                    shapeLayer("[" + redCanvas + "]", 2, R"(,"tt":)" + std::to_string(matteType)) + "]");
}

TEST(MatteRender, AlphaAndInvertedAlphaMattes) {
    struct Case {
        const char* name;
        int matteType;
        std::string source;
        std::vector<Probe> probes;
    };
    const std::string greenSquare = rect(40, 40, 40, 40) + "," + fill(0, 1, 0);
    const std::string halfGreenSquare = rect(40, 40, 40, 40) + "," + fill(0, 1, 0, 1, 50);
    const Case cases[] = {
        {"alpha", 1, greenSquare, {{40, 40, red}, {80, 80, clear}, {5, 5, clear}}},
        {"inverted alpha", 2, greenSquare, {{40, 40, clear}, {80, 80, red}, {5, 5, red}}},
        {"alpha of a half-transparent source", 1, halfGreenSquare, {{40, 40, {255, 0, 0, 128}}, {80, 80, clear}}},
        {"inverted alpha of a half-transparent source", 2, halfGreenSquare,
         {{40, 40, {255, 0, 0, 127}}, {80, 80, red}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto image = renderDocument(matteDocument(test.matteType, test.source));
        ASSERT_TRUE(image);
        expectProbes(*image, test.probes);
    }
}

TEST(MatteRender, InvertedMatteFollowsItsAnimatedSource) {
    const std::string movingSquare =
        R"({"ty":"rc","nm":"R","s":{"a":0,"k":[20,20]},"r":{"a":0,"k":0},"p":{"a":1,"k":[)"
        R"({"t":0,"s":[20,50],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":10,"s":[80,50]}]}},)" +
        fill(0, 1, 0);
    auto root = makeRoot(decode(matteDocument(2, movingSquare)));
    auto first = renderFrame(*root, 0);
    ASSERT_TRUE(first);
    expectProbes(*first, {{20, 50, clear}, {80, 50, red}});
    auto last = renderFrame(*root, 10);
    ASSERT_TRUE(last);
    expectProbes(*last, {{20, 50, red}, {80, 50, clear}});
}

// The inverted matte is drawn with the frame, at the scale the frame is drawn
// at: its edges are as sharp as the source's own, wherever they fall.
TEST(MatteRender, InvertedMatteIsDrawnAtTheScaleOfTheFrame) {
    // The source covers 20.5...60.5 of the 100-point document; drawn four
    // times larger, the matte's left edge falls between pixels 81 and 82.
    const std::string offCentreSquare = R"({"ty":"rc","nm":"R","s":{"a":0,"k":[40,40]},"r":{"a":0,"k":0},)"
                                        R"("p":{"a":0,"k":[40.5,40.5]}},)" +
                                        fill(0, 1, 0);
    auto root = makeRoot(decode(matteDocument(2, offCentreSquare)));
    auto context = platform::graphics::GraphicsContext::makeBitmap(400, 400);
    ASSERT_TRUE(context);
    context->scaleBy(4, 4);
    root->setCurrentFrame(0);
    platform::compositor::render(root, 0, *context);
    const auto image = context->makeImage();
    ASSERT_TRUE(image);
    expectProbes(*image, {{81, 150, red, 1}, {82, 150, clear, 1}, {241, 150, clear, 1}, {242, 150, red, 1},
                          {150, 81, red, 1}, {150, 82, clear, 1}});
}

}  // namespace
