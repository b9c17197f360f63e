#include "bench/FlippingConfetti.h"

#include <cstdio>

namespace benchdocuments {

namespace {

constexpr double side = 512;

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string vector(double x, double y) { return "[" + number(x) + "," + number(y) + "]"; }

// An eased keyframe of `value` (a list of numbers) at `time`.
std::string keyframe(double time, const std::string& value) {
    return R"({"t":)" + number(time) + R"(,"s":)" + value +
           R"(,"i":{"x":[0.4],"y":[1]},"o":{"x":[0.6],"y":[0]}})";
}

std::string piece(int index, int pieces, double frames, bool flipped) {
    // Spread over the width, each falling and turning at its own pace and
    // flipping every 12 to 21 frames, none in step with another.
    const double x = side * (index + 0.5) / pieces;
    const double phase = (index * 7) % 23;
    const double flip = 12 + index % 10;
    const double fall = 40 + (index * 13) % 50;
    std::string position, scale;
    for (double time = -phase, step = 0; time < frames + fall; time += fall, ++step) {
        position += (position.empty() ? "" : ",") +
                    keyframe(time, vector(x + (static_cast<int>(step) % 2 ? 30 : -30), step * 55 + (index * 37) % 120 - 100));
    }
    for (double time = -phase, step = 0; time < frames + flip; time += flip, ++step) {
        const double width = static_cast<int>(step) % 2 ? (flipped ? -100 : 15) : 100;
        scale += (scale.empty() ? "" : ",") + keyframe(time, "[" + number(width) + ",100,100]");
    }
    const std::string spin = keyframe(-phase, "[0]") + "," + keyframe(frames, "[" + number(frames * 4) + "]");
        return R"({"ty":4,"nm":"Piece )" + std::to_string(index) + R"(","ind":)" + std::to_string(index + 1) +
           R"(,"ip":0,"op":)" + number(frames) + R"(,"st":0,"ks":{"a":{"a":0,"k":[0,0,0]},"p":{"a":1,"k":[)" +
           position + R"(]},"s":{"a":1,"k":[)" + scale + R"(]},"r":{"a":1,"k":[)" + spin +
           R"(]},"o":{"a":0,"k":100}},"shapes":[{"ty":"rc","nm":"Paper","p":{"a":0,"k":[0,0]},)"
           R"("s":{"a":0,"k":[14,8]},"r":{"a":0,"k":1}},{"ty":"fl","nm":"Fill","c":{"a":0,"k":[)" +
           number((index % 3) / 2.0) + "," + number(((index + 1) % 4) / 3.0) +
           R"(,0.6,1]},"o":{"a":0,"k":100},"r":1}]})";
}

}  // namespace

std::string flippingConfetti(int pieces, double seconds, double framerate, bool flipped) {
    const double frames = seconds * framerate;
    std::string layers;
    for (int index = 0; index < pieces; ++index) {
        layers += (index ? "," : "") + piece(index, pieces, frames, flipped);
    }
    return R"({"v":"5.7.0","fr":)" + number(framerate) + R"(,"ip":0,"op":)" + number(frames) + R"(,"w":)" +
           number(side) + R"(,"h":)" + number(side) + R"(,"assets":[],"layers":[)" + layers + "]}";
}

}  // namespace benchdocuments
