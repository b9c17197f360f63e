#pragma once
// One layer of a feature matrix document: what it draws, when it shows, how it
// is placed and what masks, mattes, effects and styles it has. Built by the
// matrix's rows and handed to a DocumentBuilder, which numbers the layers.

#include <optional>
#include <string>

#include "tests/EngineComparison/Support/AnimatedValue.h"

namespace enginematrix {

class LayerBuilder {
public:
    static LayerBuilder shapes(std::string name, Array items);
    static LayerBuilder solid(std::string name, const char* colour, double width, double height);
    static LayerBuilder precomposition(std::string name, std::string assetId, double width, double height);
    static LayerBuilder null(std::string name);

    // Shown from `inFrame` up to, not including, `outFrame`.
    LayerBuilder& showing(double inFrame, double outFrame);
    // The layer's own time: starting at `startFrame`, `stretch` times slower.
    LayerBuilder& timing(double startFrame, double stretch);
    LayerBuilder& timeRemap(Value seconds);
    LayerBuilder& position(Value position);
    LayerBuilder& anchor(Value anchor);
    LayerBuilder& scale(Value percentages);
    LayerBuilder& rotation(Value degrees);
    LayerBuilder& opacity(Value percentage);
    // The index of the layer this one is placed in (see DocumentBuilder).
    LayerBuilder& parent(int index);
    // A mask in the document's one-letter mode ("a", "s", "i", "l", "d", "f", "n").
    LayerBuilder& mask(const char* mode, bool inverted, Value shape);
    // This layer is the matte of the layer after it.
    LayerBuilder& matteSource();
    // This layer is matted by the layer before it: 1 alpha, 2 inverted alpha,
    // 3 luma, 4 inverted luma.
    LayerBuilder& mattedBy(int matteType);
    LayerBuilder& dropShadowEffect(double direction, double distance, double softness);
    LayerBuilder& dropShadowStyle(double angle, double distance, double size);

    Value build(int index, double inFrame, double outFrame) const;

private:
    LayerBuilder(int type, std::string name);

    int type_;
    std::string name_;
    Object content_;
    Object extras_;
    Array masks_;
    std::optional<double> inFrame_;
    std::optional<double> outFrame_;
    double startFrame_ = 0;
    double stretch_ = 1;
    Value position_ = fixed(numbers({0, 0, 0}));
    Value anchor_ = fixed(numbers({0, 0, 0}));
    Value scale_ = fixed(numbers({100, 100, 100}));
    Value rotation_ = fixed(0.0);
    Value opacity_ = fixed(100.0);
};

}  // namespace enginematrix
