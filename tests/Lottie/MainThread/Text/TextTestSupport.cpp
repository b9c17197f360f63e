#include "tests/Lottie/MainThread/Text/TextTestSupport.h"

#include <algorithm>
#include <sstream>

namespace texttest {

std::string DocumentSpec::json() const {
    std::ostringstream out;
    out << R"({"t":")" << text << R"(","s":)" << size << R"(,"f":")" << font << R"(","j":)" << justification
        << R"(,"tr":)" << tracking << R"(,"lh":)" << lineHeight;
    if (!fill.empty()) out << R"(,"fc":)" << fill;
    if (!stroke.empty()) out << R"(,"sc":)" << stroke;
    if (strokeWidth) out << R"(,"sw":)" << *strokeWidth;
    if (strokeOverFill) out << R"(,"of":)" << (*strokeOverFill ? "true" : "false");
    if (boxPosition) out << R"(,"ps":[)" << boxPosition->first << "," << boxPosition->second << "]";
    if (boxSize) out << R"(,"sz":[)" << boxSize->first << "," << boxSize->second << "]";
    out << "}";
    return out.str();
}

std::string textLayer(const std::vector<std::pair<double, DocumentSpec>>& keyframes, const std::string& animators,
                      std::pair<double, double> position, const std::string& name, double scale) {
    std::ostringstream out;
    out << R"({"ty":5,"nm":")" << name << R"(","ind":1,"ip":0,"op":1000,"st":0,"ks":{"p":{"a":0,"k":[)"
        << position.first << "," << position.second << R"(]},"s":{"a":0,"k":[)" << scale << "," << scale
        << R"(]}},"t":{"d":{"k":[)";
    for (std::size_t index = 0; index < keyframes.size(); ++index) {
        out << (index ? "," : "") << R"({"s":)" << keyframes[index].second.json() << R"(,"t":)"
            << keyframes[index].first << "}";
    }
    out << R"(]},"a":)" << animators << R"(,"p":{},"m":{}}})";
    return out.str();
}

std::string textDocumentJson(const std::string& layer) {
    return mainthreadtest::document("[" + layer + "]", 300, 150);
}

bool isRed(const mainthreadtest::Rgba& p) { return p.a > 200 && p.r > 200 && p.g < 60 && p.b < 60; }
bool isBlue(const mainthreadtest::Rgba& p) { return p.a > 200 && p.b > 200 && p.r < 60 && p.g < 60; }
bool isBlack(const mainthreadtest::Rgba& p) { return p.a > 200 && p.r < 60 && p.g < 60 && p.b < 60; }
bool isVisible(const mainthreadtest::Rgba& p) { return p.a > 0; }

int countPixels(const platform::graphics::Image& image, const PixelTest& test, int x0, int x1) {
    int total = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x1, image.width()); ++x) {
            if (test(mainthreadtest::pixelAt(image, x, y))) ++total;
        }
    }
    return total;
}

}  // namespace texttest
