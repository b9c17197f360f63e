// Hand-written documents, one feature each, rendered through the compositor and
// checked against what the document means: colours at points that must be
// inside or outside the drawn shapes, and the bounds of what is drawn.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/Lottie/MainThread/Features/FeatureDocuments.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace {

using namespace mainthreadtest;
using featuretest::rect;

std::string polygon(double points, double radius) {
    return R"({"ty":"sr","nm":"Star","sy":2,"p":{"a":0,"k":[50,50]},"or":{"a":0,"k":)" + std::to_string(radius) +
           R"(},"os":{"a":0,"k":0},"pt":{"a":0,"k":)" + std::to_string(points) + R"(},"r":{"a":0,"k":0}})";
}

std::string group(const std::string& items, const std::string& transform) {
    return R"({"ty":"gr","nm":"Group","it":[)" + items + "," + transform + "]}";
}

std::string shapeTransform(double ax, double ay, double px, double py, double scale, double rotation,
                           double opacity = 100) {
    return R"({"ty":"tr","nm":"Transform","a":{"a":0,"k":[)" + std::to_string(ax) + "," + std::to_string(ay) +
           R"(]},"p":{"a":0,"k":[)" + std::to_string(px) + "," + std::to_string(py) + R"(]},"s":{"a":0,"k":[)" +
           std::to_string(scale) + "," + std::to_string(scale) + R"(]},"r":{"a":0,"k":)" + std::to_string(rotation) +
           R"(},"o":{"a":0,"k":)" + std::to_string(opacity) + "}}";
}

std::string stroke(double width, int cap, int join, const std::string& extra = "") {
    return R"({"ty":"st","nm":"Stroke","c":{"a":0,"k":[0,0,1,1]},"o":{"a":0,"k":100},"w":{"a":0,"k":)" +
           std::to_string(width) + R"(},"lc":)" + std::to_string(cap) + R"(,"lj":)" + std::to_string(join) + extra +
           "}";
}

const std::string horizontalLine = featuretest::openPath("[[10,50],[90,50]]");

std::string shapes(const std::string& items) { return document("[" + shapeLayer("[" + items + "]") + "]"); }

// The layer drawn over an opaque blue solid that fills the whole document.
std::string overBlue(const std::string& layer) {
    return document("[" + layer + R"(,{"ty":1,"nm":"Blue","ind":9,"ip":0,"op":1000,"st":0,"ks":{},"sc":"#0000ff",)"
                    R"("sw":100,"sh":100}])");
}

struct DocumentCase {
    const char* name;
    std::string json;
    double frame;
    std::vector<Probe> probes;
    PixelBounds bounds;  // left -1: not checked
};

std::vector<DocumentCase> documentCases() {
    const std::string redFill = fill(1, 0, 0);
    const std::string ring = rect(50, 50, 80, 80) + "," + rect(50, 50, 40, 40);
    const std::string nullParent =
        R"({"ty":3,"nm":"Null","ind":1,"ip":0,"op":1000,"st":0,"ks":{"p":{"a":0,"k":[30,0]}}})";
    const std::string middle = shapeLayer("[]", 2, R"(,"parent":1)", R"({"p":{"a":0,"k":[10,0]}})");
    const std::string child = shapeLayer("[" + rect(10, 50, 10, 10) + "," + redFill + "]", 3, R"(,"parent":2)",
                                         R"({"p":{"a":0,"k":[10,0]}})");
    // The inner layer shows only between its own frames 5 and 6.
    std::string inner = R"([{"id":"comp","layers":[)" + shapeLayer("[" + rect(50, 50, 20, 20) + "," + redFill + "]") +
                        "]}]";
    inner.replace(inner.find(R"("ip":0,"op":1000)"), 16, R"("ip":5,"op":6.0)");
    const std::string precompLayer =
        R"([{"ty":0,"nm":"Pre","refId":"comp","ind":1,"w":100,"h":100,"ip":0,"op":1000,"st":10,"sr":2,"ks":{}}])";
    // A stretch of 0 would divide by nothing: it plays unstretched.
    std::string unstretched = precompLayer;
    unstretched.replace(unstretched.find(R"("sr":2)"), 6, R"("sr":0)");
    // A time remap, in seconds, replaces start and stretch.
    std::string remapped = precompLayer;
    remapped.insert(remapped.size() - 2, R"(,"tm":{"a":0,"k":0.18333})");
    const std::string dashes = R"(,"d":[{"n":"d","nm":"dash","v":{"a":0,"k":20}},{"n":"g","nm":"gap","v":{"a":0,"k":20}}])";
    const std::string zeroDashes = R"(,"d":[{"n":"d","nm":"dash","v":{"a":0,"k":0}},{"n":"g","nm":"gap","v":{"a":0,"k":0}}])";
    const std::string square = rect(50, 50, 70, 70);
    // Half-transparent red over opaque blue; drawn opaque it would stay red.
    const Rgba halfRedOverBlue{128, 0, 127, 255};
    const std::string redSquare = rect(50, 50, 40, 40) + "," + redFill;
    // Rotated a quarter turn and stretched twice along x, about (50, 50): the
    // child's own shift then runs down the page and doubles, to (50, 80). The
    // other order of parent and child would put the square at (60, 60).
    const std::string turnedParent = R"({"ty":3,"nm":"Null","ind":1,"ip":0,"op":1000,"st":0,"ks":{)"
                                     R"("p":{"a":0,"k":[50,50]},"r":{"a":0,"k":90},"s":{"a":0,"k":[200,100]}}})";
    const std::string shiftedChild = shapeLayer("[" + rect(5, 0, 4, 4) + "," + redFill + "]", 2, R"(,"parent":1)",
                                                R"({"p":{"a":0,"k":[10,0]}})");
    // A corner of about 53 degrees: its miter reaches 2.24 half-widths past
    // the corner, beyond a limit of 2 and within one of 3.
    const std::string sharpCorner = featuretest::openPath("[[20,80],[50,20],[80,80]]");
    // A 40 x 40 precomposition whose square spills past its right and bottom edges.
    const std::string spilling =
        R"([{"id":"comp","layers":[)" + shapeLayer("[" + rect(40, 40, 20, 20) + "," + redFill + "]") + "]}]";
    const std::string smallPrecomp =
        R"([{"ty":0,"nm":"Pre","refId":"comp","ind":1,"w":40,"h":40,"ip":0,"op":1000,"st":0,"ks":{}}])";

    return {
        {"rectangle", shapes(rect(50, 50, 40, 20) + "," + redFill), 0, {{50, 50, red}, {25, 50, clear}}, {30, 40, 70, 60}},
        {"ellipse", shapes(R"({"ty":"el","nm":"E","p":{"a":0,"k":[50,50]},"s":{"a":0,"k":[60,40]}})" "," + redFill), 0,
         {{50, 50, red}, {22, 32, clear}, {78, 68, clear}}, {20, 30, 80, 70}},
        {"star", shapes(featuretest::star(40, 20) + "," + redFill), 0,
         {{50, 13, red}, {50, 50, red}, {67, 26, clear}}, {}},
        {"polygon", shapes(polygon(4, 40) + "," + redFill), 0, {{50, 13, red}, {72, 28, clear}}, {10, 10, 90, 90}},
        {"custom path",
         shapes(featuretest::closedPath("[[10,10],[90,10],[10,90]]") + "," + redFill),
         0, {{20, 20, red}, {80, 80, clear}}, {10, 10, 90, 90}},
        {"nested groups with transforms",
         shapes(group(group(rect(20, 0, 6, 6) + "," + redFill, shapeTransform(10, 0, 10, 0, 100, 90)),
                      shapeTransform(0, 0, 50, 50, 100, 0))),
         0, {{60, 60, red}, {70, 50, clear}}, {57, 57, 63, 63}},
        {"non-zero fill rule", shapes(ring + "," + fill(1, 0, 0, 1)), 0, {{50, 50, red}, {15, 50, red}}, {}},
        {"even-odd fill rule", shapes(ring + "," + fill(1, 0, 0, 2)), 0, {{50, 50, clear}, {15, 50, red}}, {}},
        {"dashed stroke with butt caps", shapes(horizontalLine + "," + stroke(10, 1, 1, dashes)), 0,
         {{20, 50, blue}, {40, 50, clear}, {60, 50, blue}, {80, 50, clear}, {32, 50, clear}}, {10, 45, 70, 55}},
        {"dashed stroke with round caps", shapes(horizontalLine + "," + stroke(10, 2, 1, dashes)), 0,
         {{20, 50, blue}, {32, 50, blue}, {40, 50, clear}}, {5, 45, 95, 55}},
        {"zero dashes draw solid", shapes(horizontalLine + "," + stroke(10, 1, 1, zeroDashes)), 0,
         {{40, 50, blue}, {80, 50, blue}}, {10, 45, 90, 55}},
        {"miter join", shapes(square + "," + stroke(10, 1, 1)), 0, {{11, 11, blue}, {50, 15, blue}, {50, 50, clear}}, {}},
        {"bevel join", shapes(square + "," + stroke(10, 1, 3)), 0, {{11, 11, clear}, {50, 15, blue}}, {}},
        {"square caps reach half the width past the ends", shapes(horizontalLine + "," + stroke(10, 3, 1)), 0,
         {{7, 50, blue}, {92, 50, blue}, {97, 50, clear}}, {5, 45, 95, 55}},
        {"miter within the stroke's limit", shapes(sharpCorner + "," + stroke(10, 1, 1, R"(,"ml":3)")), 0,
         {{50, 12, blue}, {50, 19, blue}}, {}},
        {"miter past the stroke's limit bevels", shapes(sharpCorner + "," + stroke(10, 1, 1, R"(,"ml":2)")), 0,
         {{50, 12, clear}, {50, 19, blue}}, {}},
        {"layer opacity", overBlue(shapeLayer("[" + redSquare + "]", 1, "", R"({"o":{"a":0,"k":50}})")), 0,
         {{50, 50, halfRedOverBlue}, {10, 10, {0, 0, 255, 255}}}, {}},
        {"group opacity", overBlue(shapeLayer("[" + group(redSquare, shapeTransform(0, 0, 0, 0, 100, 0, 50)) + "]")),
         0, {{50, 50, halfRedOverBlue}, {10, 10, {0, 0, 255, 255}}}, {}},
        {"child under a turned and stretched parent", document("[" + turnedParent + "," + shiftedChild + "]"), 0,
         {{50, 80, red}, {50, 77, red}, {53, 80, clear}, {60, 60, clear}}, {48, 76, 52, 84}},
        {"parent chain", document("[" + nullParent + "," + middle + "," + child + "]"), 0,
         {{60, 50, red}, {10, 50, clear}}, {55, 45, 65, 55}},
        {"precomposition at local frame 5", document(precompLayer, 100, 100, 60, inner), 20, {{50, 50, red}}, {}},
        {"precomposition remapped to local frame 5.5", document(remapped, 100, 100, 60, inner), 0, {{50, 50, red}}, {}},
        {"precomposition stretched by 0 at local frame 5", document(unstretched, 100, 100, 60, inner), 15, {{50, 50, red}}, {}},
        {"precomposition before its layer", document(precompLayer, 100, 100, 60, inner), 14, {{50, 50, clear}}, {}},
        {"precomposition after its layer", document(precompLayer, 100, 100, 60, inner), 24, {{50, 50, clear}}, {}},
        {"precomposition cropped to its size", document(smallPrecomp, 100, 100, 60, spilling), 0,
         {{35, 35, red}, {45, 45, clear}, {35, 45, clear}}, {30, 30, 40, 40}},
        {"solid", document(R"([{"ty":1,"nm":"S","ind":1,"ip":0,"op":60,"st":0,"ks":{},"sc":"#00ff00","sw":50,"sh":40}])"),
         0, {{10, 10, {0, 255, 0, 255}}, {60, 10, clear}}, {0, 0, 50, 40}},
        {"solid of an unreadable colour draws black",
         document(R"([{"ty":1,"nm":"S","ind":1,"ip":0,"op":60,"st":0,"ks":{},"sc":"#zz","sw":10,"sh":10}])"), 0,
         {{5, 5, {0, 0, 0, 255}}}, {}},
    };
}

TEST(RenderedDocuments, DrawWhatTheDocumentSays) {
    for (const DocumentCase& testCase : documentCases()) {
        SCOPED_TRACE(testCase.name);
        std::shared_ptr<const platform::graphics::Image> image;
        ASSERT_NO_THROW(image = renderDocument(testCase.json, testCase.frame));
        ASSERT_TRUE(image);
        expectProbes(*image, testCase.probes);
        if (testCase.bounds.left >= 0) {
            const PixelBounds bounds = opaqueBounds(*image);
            EXPECT_NEAR(bounds.left, testCase.bounds.left, 1);
            EXPECT_NEAR(bounds.top, testCase.bounds.top, 1);
            EXPECT_NEAR(bounds.right, testCase.bounds.right, 1);
            EXPECT_NEAR(bounds.bottom, testCase.bounds.bottom, 1);
        }
    }
}

}  // namespace
