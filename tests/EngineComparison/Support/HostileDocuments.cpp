#include "tests/EngineComparison/Support/HostileDocuments.h"

#include <algorithm>
#include <vector>

namespace hostiletest {

std::string listOf(int count, const std::function<std::string(int)>& item) {
    std::string list;
    for (int index = 1; index <= count; ++index) list += (index > 1 ? "," : "") + item(index);
    return list;
}

std::string document(const std::string& layers, const std::string& assets) {
    return R"({"v":"5.7.0","fr":30,"ip":0,"op":60,"w":512,"h":512,"assets":)" + assets + R"(,"layers":[)" + layers +
           "]}";
}

std::string rect(int x, int y, int size) {
    return R"({"ty":"rc","nm":"R","p":{"a":0,"k":[)" + std::to_string(x) + "," + std::to_string(y) +
           R"(]},"s":{"a":0,"k":[)" + std::to_string(size) + "," + std::to_string(size) + R"(]},"r":{"a":0,"k":0}})";
}

const std::string greenFill = R"({"ty":"fl","nm":"F","c":{"a":0,"k":[0,1,0,1]},"o":{"a":0,"k":100},"r":1})";

std::string shapeLayer(int index, const std::string& items, const std::string& extra) {
    return R"({"ty":4,"nm":"Shape","ind":)" + std::to_string(index) + R"(,"ip":0,"op":60,"st":0,"ks":{},"shapes":[)" +
           items + "]" + extra + "}";
}

std::string precomposition(const std::string& asset, int index, const std::string& extra) {
    return R"({"ty":0,"nm":"P","refId":")" + asset + R"(","ind":)" + std::to_string(index) +
           R"(,"w":512,"h":512,"ip":0,"op":60,"st":0,"ks":{})" + extra + "}";
}

std::string fannedOut(const std::string& leaf, int ways, int levels, const std::string& extra) {
    std::string assets = R"({"id":"c0","layers":[)" + leaf + "]}";
    std::string layers;
    for (int level = 1; level <= levels; ++level) {
        layers = listOf(ways, [&](int index) { return precomposition("c" + std::to_string(level - 1), index, extra); });
        if (level < levels) assets += R"(,{"id":"c)" + std::to_string(level) + R"(","layers":[)" + layers + "]}";
    }
    return document(layers, "[" + assets + "]");
}

bool opaqueAt(const platform::graphics::Image& image, int x, int y) { return (image.pixel(x, y) >> 24) > 128; }

std::shared_ptr<const platform::graphics::Image> drawTwoFrames(lottieframes::FrameRenderer& renderer) {
    std::shared_ptr<const platform::graphics::Image> image;
    for (double frame : {0.0, 30.0}) image = renderer.render(frame);
    return image;
}

std::size_t layerCount(const platform::compositor::Layer& root) {
    std::size_t count = 0;
    std::vector<const platform::compositor::Layer*> pending{&root};
    while (!pending.empty()) {
        const auto* layer = pending.back();
        pending.pop_back();
        ++count;
        for (const auto& sublayer : layer->sublayers()) pending.push_back(sublayer.get());
        if (layer->mask()) pending.push_back(layer->mask().get());
    }
    return count;
}

long mentions(const testsupport::LogRecorder& log, const std::string& part, bool notices) {
    long count = 0;
    // Every time a message says it: one that lists the same line twice says it twice.
    for (const auto* list : {&log.warnings, &log.failedAssertions, &log.assertionFailures}) {
        for (const std::string& message : *list) {
            if ((message.find("Automatically falling back") != std::string::npos) != notices) continue;
            for (auto at = message.find(part); at != std::string::npos; at = message.find(part, at + part.size())) {
                ++count;
            }
        }
    }
    return count;
}

}  // namespace hostiletest
