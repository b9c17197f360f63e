// Documents with values no tool would write still render without failing.

#include <gtest/gtest.h>

#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace {

using namespace mainthreadtest;

std::string starWithPoints(const std::string& points) {
    return document("[" +
                    shapeLayer(R"([{"ty":"sr","nm":"S","sy":1,"p":{"a":0,"k":[50,50]},"or":{"a":0,"k":40},"ir":{"a":0,"k":20},"os":{"a":0,"k":0},"is":{"a":0,"k":0},"pt":{"a":0,"k":)" +
                               points + R"(},"r":{"a":0,"k":0}},)" + fill(1, 0, 0) + "]") +
                    "]");
}

TEST(HostileDocuments, RenderWithoutFailing) {
    const std::vector<std::pair<const char*, std::string>> documents{
        {"negative point count", starWithPoints("-5")},
        {"enormous point count", starWithPoints("1e15")},
        {"negative rectangle", document("[" + shapeLayer(R"([{"ty":"rc","nm":"R","p":{"a":0,"k":[50,50]},"s":{"a":0,"k":[-40,-1e9]},"r":{"a":0,"k":-5}},)" + fill(1, 0, 0) + "]") + "]")},
        {"huge ellipse", document("[" + shapeLayer(R"([{"ty":"el","nm":"E","p":{"a":0,"k":[1e300,-1e300]},"s":{"a":0,"k":[1e300,1e300]}},)" + fill(1, 0, 0) + "]") + "]")},
        {"zero scale", document("[" + shapeLayer(R"([{"ty":"rc","nm":"R","p":{"a":0,"k":[50,50]},"s":{"a":0,"k":[40,40]},"r":{"a":0,"k":0}},)" + fill(1, 0, 0) + "]", 1, "", R"({"s":{"a":0,"k":[0,0]}})") + "]")},
        {"zero time stretch", document(R"([{"ty":0,"nm":"P","refId":"c","ind":1,"w":10,"h":10,"ip":0,"op":99,"st":0,"sr":0,"ks":{}}])", 100, 100, 60, R"([{"id":"c","layers":[]}])")},
        {"stroke without width", document("[" + shapeLayer(R"([{"ty":"rc","nm":"R","p":{"a":0,"k":[50,50]},"s":{"a":0,"k":[40,40]},"r":{"a":0,"k":0}},{"ty":"st","nm":"S","c":{"a":0,"k":[0,0,1,1]},"o":{"a":0,"k":100},"w":{"a":0,"k":-3},"lc":9,"lj":0,"ml":-2}])") + "]")},
        {"empty path", document("[" + shapeLayer(R"([{"ty":"sh","nm":"P","ks":{"a":0,"k":{"c":true,"v":[],"i":[],"o":[]}}},)" + fill(1, 0, 0) + "]") + "]")},
        {"fill without path", document("[" + shapeLayer("[" + fill(1, 0, 0) + "]") + "]")},
    };
    for (const auto& [name, json] : documents) {
        SCOPED_TRACE(name);
        std::shared_ptr<const lottie::LottieAnimation> animation;
        try {
            animation = decode(json);
        } catch (const std::exception&) {
            continue;  // refused by the decoder: nothing to render
        }
        auto root = makeRoot(animation);
        for (double frame : {0.0, 0.5, 30.0}) {
            EXPECT_TRUE(renderFrame(*root, frame));
        }
    }
}

}  // namespace
