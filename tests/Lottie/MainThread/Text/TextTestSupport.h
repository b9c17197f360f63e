#pragma once
// Helpers of the text layer tests: text documents and text layers written by
// hand, and counting the pixels of a rendered image by colour.

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Platform/Graphics/Image.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace texttest {

// One text document ("s" of a text keyframe). Optional members, and colours
// given as empty texts, are left out of the JSON.
struct DocumentSpec {
    std::string text = "HH";
    double size = 40;
    std::string font = "DejaVu Sans";
    int justification = 0;
    int tracking = 0;
    double lineHeight = 48;
    std::string fill = "[1,0,0]";
    std::string stroke;
    std::optional<double> strokeWidth;
    std::optional<bool> strokeOverFill;
    std::optional<std::pair<double, double>> boxPosition;
    std::optional<std::pair<double, double>> boxSize;

    std::string json() const;
};

// A text layer named `name` at `position`, scaled by `scale` percent, with its
// documents at the given frames and the JSON list of animators.
std::string textLayer(const std::vector<std::pair<double, DocumentSpec>>& keyframes,
                      const std::string& animators = "[]", std::pair<double, double> position = {0, 0},
                      const std::string& name = "Title", double scale = 100);
// A whole 300 x 150 document around one text layer.
std::string textDocumentJson(const std::string& layer);

using PixelTest = std::function<bool(const mainthreadtest::Rgba&)>;
bool isRed(const mainthreadtest::Rgba& pixel);
bool isBlue(const mainthreadtest::Rgba& pixel);
bool isBlack(const mainthreadtest::Rgba& pixel);
bool isVisible(const mainthreadtest::Rgba& pixel);
// Pixels of the columns [x0, x1) that pass the test.
int countPixels(const platform::graphics::Image& image, const PixelTest& test, int x0 = 0, int x1 = 1 << 30);

}  // namespace texttest
