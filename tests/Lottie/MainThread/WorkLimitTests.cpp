// Small documents that ask for huge work, generated here: precompositions
// nested thousands deep, a long parent chain repeated by many precomposition
// layers, and masked precompositions that branch on every level. Each renders
// within the engine's limits, and what a limit leaves out is logged once.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "Lottie/Playback/ValueProviders/AnyValueProvider.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace {

using namespace mainthreadtest;

std::string layerOf(const std::string& asset, int index, const std::string& extra = "") {
    return R"({"ty":0,"nm":"P)" + std::to_string(index) + R"(","refId":")" + asset + R"(","ind":)" +
           std::to_string(index) + R"(,"w":100,"h":100,"ip":0,"op":1000,"st":0,"ks":{})" + extra + "}";
}

std::string asset(const std::string& id, const std::string& layers) {
    return R"({"id":")" + id + R"(","layers":[)" + layers + "]}";
}

// A rotation that counts how often the engine asks whether it changed and for its value.
class CountingRotation final : public lottie::ValueProvider<lottie::LottieVector1D> {
public:
    bool hasUpdate(lottie::AnimationFrameTime) const override {
        ++checks;
        return changing;
    }
    lottie::ValueProviderStorage<lottie::LottieVector1D> storage() override {
        return lottie::ValueProviderStorage<lottie::LottieVector1D>::closure([this](double) {
            ++values;
            return lottie::LottieVector1D(0);
        });
    }
    bool changing = false;
    mutable int checks = 0;
    int values = 0;
};

TEST(WorkLimits, SharedParentChainsUpdateEachNodeOncePerPass) {
    // 25 precomposition layers of one asset holding 40 null layers, each the
    // parent of the next: 25 x 41 transform nodes, each asked once per pass.
    std::string nulls;
    for (int index = 1; index <= 40; ++index) {
        nulls += std::string(index > 1 ? "," : "") + R"({"ty":3,"nm":"N","ind":)" + std::to_string(index) +
                 R"(,"ip":0,"op":1000,"st":0,"ks":{})" + (index > 1 ? R"(,"parent":)" + std::to_string(index - 1) : "") +
                 "}";
    }
    std::string layers;
    for (int index = 1; index <= 25; ++index) layers += std::string(index > 1 ? "," : "") + layerOf("chain", index);
    auto root = makeRoot(decode(document("[" + layers + "]", 100, 100, 60, "[" + asset("chain", nulls) + "]")));
    auto rotation = std::make_shared<CountingRotation>();
    root->installValueProvider(rotation, lottie::AnimationKeypath("**.Rotation"));
    struct Pass {
        const char* name;
        bool changing;
        std::function<void()> run;
    };
    const Pass passes[] = {
        {"a new frame of still values", false, [&] { renderFrame(*root, 7); }},
        {"a new frame of changing values", true, [&] { renderFrame(*root, 8); }},
        {"a forced redraw", false, [&] { root->redrawCurrentFrame(); }},
        {"every frame forced", false, [&] {
             root->setForceDisplayUpdateOnEachFrame(true);
             renderFrame(*root, 9);
         }},
    };
    for (const Pass& pass : passes) {
        SCOPED_TRACE(pass.name);
        rotation->changing = pass.changing;
        rotation->checks = rotation->values = 0;
        pass.run();
        EXPECT_EQ(std::max(rotation->checks, rotation->values), 25 * 41);
    }
}

}  // namespace
