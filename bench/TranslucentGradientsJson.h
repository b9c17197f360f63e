#pragma once
// A document of translucent gradients as real exports use them, for the
// engine benchmarks: soft reflections (linear gradient fills from translucent
// to transparent), radial glows with opacity stops, fills at partial opacity
// and gradient strokes at half opacity, each layer gliding across the picture
// so that every frame differs. 512 x 512, 60 frames at 30 frames per second.

#include <string>

namespace pellorbench {

inline std::string translucentGradientsJson() {
    const auto number = [](double value) { return std::to_string(value); };
    const auto point = [&](double x, double y) { return "[" + number(x) + "," + number(y) + "]"; };
    const auto fixed = [](const std::string& value) { return R"({"a":0,"k":)" + value + "}"; };
    // A colour ramp from warm to cool, with the given opacity stops after it.
    const auto stops = [](const std::string& opacities) {
        return R"({"p":2,"k":{"a":0,"k":[0,0.95,0.55,0.2,1,0.2,0.4,0.9,)" + opacities + "]}}";
    };
    std::string layers;
    for (int index = 0; index < 10; ++index) {
        const double x = 60 + 45 * index;
        const double y = 80 + 40 * (index % 5);
        const bool stroke = index % 5 == 4;
        const bool radial = index % 3 == 1;
        std::string shapes = R"({"ty":"el","p":{"a":0,"k":[0,0]},"s":)" + fixed(point(150, 90)) + "},";
        shapes += stroke ? R"({"ty":"gs","w":{"a":0,"k":12},"lc":2,"lj":2,"ml":4,"o":{"a":0,"k":50},)"
                         : R"({"ty":"gf","r":1,"o":)" + fixed(number(index % 2 ? 100 : 70)) + ",";
        shapes += R"("t":)" + std::string(radial ? "2" : "1") + R"(,"s":)" + fixed(point(radial ? 0 : -75, 0)) +
                  R"(,"e":)" + fixed(point(radial ? 70 : 75, 0)) + R"(,"g":)" +
                  stops(stroke ? "0,1,1,1" : radial ? "0,0.9,0.6,0.5,1,0" : "0,0.6,1,0") + "}";
        const std::string position =
            R"({"a":1,"k":[{"t":0,"s":)" + point(x, y) +
            R"(,"i":{"x":[0.5],"y":[0.5]},"o":{"x":[0.5],"y":[0.5]}},{"t":59,"s":)" + point(x + 60, y + 90) + "}]}";
        if (!layers.empty()) layers += ",";
        layers += R"({"ty":4,"ind":)" + std::to_string(index + 1) + R"(,"ip":0,"op":60,"st":0,"ks":{"p":)" + position +
                  R"(},"shapes":[)" + shapes + "]}";
    }
    return R"({"v":"5.7.0","fr":30,"ip":0,"op":60,"w":512,"h":512,"nm":"Translucent gradients","layers":[)" +
           layers + "]}";
}

}  // namespace pellorbench
