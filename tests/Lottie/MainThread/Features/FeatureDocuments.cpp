#include "tests/Lottie/MainThread/Features/FeatureDocuments.h"

#include <sstream>

#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace featuretest {

std::string number(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

namespace {

std::string staticValue(const std::string& value) { return R"({"a":0,"k":)" + value + "}"; }

std::string pair(double x, double y) { return "[" + number(x) + "," + number(y) + "]"; }

std::string straightPath(const std::string& points, bool closed) {
    // Every vertex without handles: as many zero offsets as points.
    std::size_t count = 0;
    for (char c : points) {
        if (c == '[') ++count;
    }
    count = count > 0 ? count - 1 : 0;
    std::string zeros;
    for (std::size_t index = 0; index < count; ++index) zeros += (index ? ",[0,0]" : "[0,0]");
    return std::string(R"({"c":)") + (closed ? "true" : "false") + R"(,"v":)" + points + R"(,"i":[)" + zeros +
           R"(],"o":[)" + zeros + "]}";
}

}  // namespace

std::string rect(double x, double y, double width, double height, double radius) {
    return R"({"ty":"rc","nm":"Rect","p":)" + staticValue(pair(x, y)) + R"(,"s":)" +
           staticValue(pair(width, height)) + R"(,"r":)" + staticValue(number(radius)) + "}";
}

std::string ellipse(double x, double y, double width, double height) {
    return R"({"ty":"el","nm":"Ellipse","p":)" + staticValue(pair(x, y)) + R"(,"s":)" +
           staticValue(pair(width, height)) + "}";
}

std::string star(double outerRadius, double innerRadius) {
    return R"({"ty":"sr","nm":"Star","sy":1,"p":{"a":0,"k":[50,50]},"or":)" + staticValue(number(outerRadius)) +
           R"(,"ir":)" + staticValue(number(innerRadius)) +
           R"(,"os":{"a":0,"k":0},"is":{"a":0,"k":0},"pt":{"a":0,"k":5},"r":{"a":0,"k":0}})";
}

std::string openPath(const std::string& points) {
    return R"({"ty":"sh","nm":"Path","ks":)" + staticValue(straightPath(points, false)) + "}";
}

std::string closedPath(const std::string& points) {
    return R"({"ty":"sh","nm":"Path","ks":)" + staticValue(straightPath(points, true)) + "}";
}

std::string stroke(double width, double r, double g, double b) {
    const std::string colour = "[" + number(r) + "," + number(g) + "," + number(b) + ",1]";
    return R"({"ty":"st","nm":"Stroke","c":)" + staticValue(colour) +
           R"(,"o":{"a":0,"k":100},"w":)" + staticValue(number(width)) + R"(,"lc":1,"lj":1})";
}

namespace {

std::string gradientBody(int type, double sx, double sy, double ex, double ey, int colorCount,
                         const std::string& stops) {
    return R"("o":{"a":0,"k":100},"t":)" + std::to_string(type) + R"(,"s":)" + staticValue(pair(sx, sy)) +
           R"(,"e":)" + staticValue(pair(ex, ey)) + R"(,"g":{"p":)" + std::to_string(colorCount) + R"(,"k":)" +
           staticValue("[" + stops + "]") + "}";
}

}  // namespace

std::string gradientFill(int type, double sx, double sy, double ex, double ey, int colorCount,
                         const std::string& stops, int fillRule) {
    return R"({"ty":"gf","nm":"Gradient Fill","r":)" + std::to_string(fillRule) + "," +
           gradientBody(type, sx, sy, ex, ey, colorCount, stops) + "}";
}

std::string gradientStroke(int type, double sx, double sy, double ex, double ey, int colorCount,
                           const std::string& stops, double width) {
    return R"({"ty":"gs","nm":"Gradient Stroke","lc":1,"lj":1,"w":)" + staticValue(number(width)) + "," +
           gradientBody(type, sx, sy, ex, ey, colorCount, stops) + "}";
}

std::string trim(double start, double end, double offset, int mode) {
    return R"({"ty":"tm","nm":"Trim","s":)" + staticValue(number(start)) + R"(,"e":)" + staticValue(number(end)) +
           R"(,"o":)" + staticValue(number(offset)) + R"(,"m":)" + std::to_string(mode) + "}";
}

std::string roundedCorners(double radius) {
    return R"({"ty":"rd","nm":"Round","r":)" + staticValue(number(radius)) + "}";
}

std::string group(const std::string& items) {
    return R"({"ty":"gr","nm":"Group","it":[)" + items +
           R"(,{"ty":"tr","nm":"Transform","a":{"a":0,"k":[0,0]},"p":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},)"
           R"("r":{"a":0,"k":0},"o":{"a":0,"k":100}}]})";
}

std::string mask(const std::string& mode, const std::string& path, double opacity, bool inverted) {
    return R"({"mode":")" + mode + R"(","inv":)" + (inverted ? "true" : "false") + R"(,"o":)" +
           staticValue(number(opacity)) + R"(,"pt":)" + staticValue(straightPath(path, true)) + "}";
}

std::string shapeDocument(const std::string& items, const std::string& extra, int size) {
    return mainthreadtest::document("[" + mainthreadtest::shapeLayer("[" + items + "]", 1, extra) + "]", size, size);
}

}  // namespace featuretest
