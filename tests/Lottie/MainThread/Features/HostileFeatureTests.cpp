// Documents with absurd values in shapes, strokes, gradients, trims, rounded
// corners, masks, mattes, shadows, images, layer transforms and timing render
// without harm: no crash, no exception, and the rest of the canvas still drawn
// where the document asks for it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/Lottie/MainThread/Features/FeatureDocuments.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace {

using namespace mainthreadtest;
using namespace featuretest;

std::string manyMasks(const std::string& mode, int count) {
    std::string masks;
    for (int index = 0; index < count; ++index) {
        if (index) masks += ",";
        masks += mask(mode, "[[0,0],[100,0],[100,100],[0,100]]");
    }
    return R"(,"masksProperties":[)" + masks + "]";
}

TEST(HostileFeatures, AbsurdValuesRenderWithoutHarm) {
    const std::string canvas = rect(50, 50, 100, 100);
    const std::string redCanvas = canvas + "," + fill(1, 0, 0);
    const std::string stops = "0,1,0,0,1,0,0,1";
    const std::string shadow =
        R"(,"ef":[{"ty":25,"nm":"Drop Shadow","ef":[{"ty":0,"nm":"Opacity","v":{"a":0,"k":255}},)"
        R"({"ty":0,"nm":"Softness","v":{"a":0,"k":1e308}},{"ty":0,"nm":"Distance","v":{"a":0,"k":1e308}},)"
        R"({"ty":1,"nm":"Direction","v":{"a":0,"k":45}},{"ty":2,"nm":"Shadow Color","v":{"a":0,"k":[0,0,0,1]}}]}])";
    const std::vector<std::pair<const char*, std::string>> cases{
        {"gradient points far apart", shapeDocument(canvas + "," + gradientFill(1, -1e308, 0, 1e308, 0, 2, stops))},
        {"radial gradient of no radius", shapeDocument(canvas + "," + gradientFill(2, 50, 50, 50, 50, 2, stops))},
        {"a billion colour stops announced",
         shapeDocument(canvas + "," + gradientFill(1, 0, 0, 100, 0, 1000000000, "0,1,0,0"))},
        {"no stops at all", shapeDocument(canvas + "," + gradientFill(1, 0, 0, 100, 0, 2, ""))},
        {"stops at absurd locations",
         shapeDocument(canvas + "," + gradientFill(1, 0, 0, 100, 0, 2, "-1e308,1,0,0,1e308,0,0,1,5,0.5"))},
        {"gradient stroke of huge width",
         shapeDocument(canvas + "," + gradientStroke(1, 0, 0, 100, 0, 2, stops, 1e308))},
        {"trim of huge values", shapeDocument(canvas + "," + trim(-1e308, 1e308, 1e308, 2) + "," + stroke(2))},
        {"trim of an empty path list", shapeDocument(trim(10, 20, 0, 2) + "," + stroke(2))},
        {"huge rounding radius", shapeDocument(canvas + "," + roundedCorners(1e308) + "," + fill(1, 0, 0))},
        {"negative rounding radius", shapeDocument(star(40, 20) + "," + roundedCorners(-30) + "," + fill(1, 0, 0))},
        {"mask of huge coordinates",
         shapeDocument(redCanvas, R"(,"masksProperties":[)" +
                                      mask("s", "[[-1e308,-1e308],[1e308,-1e308],[1e308,1e308]]") + "]")},
        {"a thousand cutting masks", shapeDocument(redCanvas, manyMasks("i", 1000))},
        {"shadow of huge softness and distance", shapeDocument(redCanvas, shadow)},
        {"shadow of an incomplete effect",
         shapeDocument(redCanvas,
                       R"(,"ef":[{"ty":25,"nm":"Drop Shadow","ef":[{"ty":0,"nm":"Opacity","v":{"a":0,"k":255}}]}])")},
        {"negative rectangle", shapeDocument(rect(50, 50, -40, -1e9, -5) + "," + fill(1, 0, 0))},
        {"huge ellipse", shapeDocument(ellipse(1e300, -1e300, 1e300, 1e300) + "," + fill(1, 0, 0))},
        {"stroke of negative width and unknown cap",
         shapeDocument(canvas + R"(,{"ty":"st","nm":"S","c":{"a":0,"k":[0,0,1,1]},"o":{"a":0,"k":100},)"
                                R"("w":{"a":0,"k":-3},"lc":9,"lj":0,"ml":-2})")},
        {"empty path", shapeDocument(closedPath("[]") + "," + fill(1, 0, 0))},
        {"fill without path", shapeDocument(fill(1, 0, 0))},
        {"zero scale", document("[" + shapeLayer("[" + redCanvas + "]", 1, "", R"({"s":{"a":0,"k":[0,0]}})") + "]")},
        {"zero time stretch",
         document(R"([{"ty":0,"nm":"P","refId":"c","ind":1,"w":10,"h":10,"ip":0,"op":99,"st":0,"sr":0,"ks":{}}])",
                  100, 100, 60, R"([{"id":"c","layers":[]}])")},
    };
    for (const auto& [name, json] : cases) {
        SCOPED_TRACE(name);
        std::shared_ptr<const platform::graphics::Image> image;
        ASSERT_NO_THROW(image = renderDocument(json));
        ASSERT_TRUE(image);
    }
}

TEST(HostileFeatures, MattesAndImagesWithMissingOrAbsurdParts) {
    const std::string redLayer = shapeLayer("[" + rect(50, 50, 100, 100) + "," + fill(1, 0, 0) + "]", 2, R"(,"tt":2)");
    const std::string absurdImage = R"({"id":"big","w":1e308,"h":-5,"u":"","p":"data:image/png;base64,AAAA","e":1})";
    const std::vector<std::string> documents = {
        // A matte requested by the top-most layer has no source.
        document("[" + redLayer + "]"),
        // An inverted matte whose source is an image layer of absurd size.
        document(R"([{"ty":2,"nm":"Image","ind":1,"refId":"big","ip":0,"op":100,"st":0,"ks":{}},)" + redLayer + "]",
                 100, 100, 60, "[" + absurdImage + "]"),
    };
    for (const std::string& json : documents) {
        std::shared_ptr<const platform::graphics::Image> image;
        ASSERT_NO_THROW(image = renderDocument(json));
        ASSERT_TRUE(image);
        // The inverted matte of a source that shows nothing leaves the layer visible.
        EXPECT_TRUE(pixelIs(*image, 50, 50, {255, 0, 0, 255}));
    }
}

}  // namespace
