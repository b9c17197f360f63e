#pragma once
// A layer that fills its bounds with a gradient: axial (from startPoint to
// endPoint) or radial (centred on startPoint, reaching endPoint), extended past
// its ends, both points in the unit space of the bounds. Stands in for the
// platform's gradient layer; held like any Layer.
//
// Defaults: no colours, no locations (evenly spaced), start (0.5, 0), end (0.5, 1),
// axial. The colour and location lists read as absent until set.

#include <optional>
#include <vector>

#include "Platform/Compositor/Layer.h"
#include "Platform/Graphics/Color.h"

namespace platform::compositor {

class GradientLayer : public Layer {
public:
    enum class Type { axial, radial };

    GradientLayer() = default;
    // The copy-from-layer constructor: a GradientLayer copies its gradient too; any
    // other layer gives its layer properties and the gradient defaults.
    explicit GradientLayer(const Layer& layer);
    GradientLayer(const GradientLayer& layer) : GradientLayer(static_cast<const Layer&>(layer)) {}

    static std::shared_ptr<GradientLayer> make() { return std::make_shared<GradientLayer>(); }

    const std::optional<std::vector<graphics::Color>>& colors() const { return colors_; }
    void setColors(std::optional<std::vector<graphics::Color>> colors);
    const std::optional<std::vector<double>>& locations() const { return locations_; }
    void setLocations(std::optional<std::vector<double>> locations);
    graphics::Point startPoint() const { return startPoint_; }
    void setStartPoint(graphics::Point point);
    graphics::Point endPoint() const { return endPoint_; }
    void setEndPoint(graphics::Point point);
    Type type() const { return type_; }
    void setType(Type type);

    std::optional<AnimatableValue> value(std::string_view keyPath) const override;
    bool setValue(std::string_view keyPath, const std::optional<AnimatableValue>& value) override;
    std::shared_ptr<Layer> makePresentationCopy() const override { return std::make_shared<GradientLayer>(*this); }
    const GradientLayer* asGradientLayer() const override { return this; }

private:
    std::optional<std::vector<graphics::Color>> colors_;
    std::optional<std::vector<double>> locations_;
    graphics::Point startPoint_{0.5, 0};
    graphics::Point endPoint_{0.5, 1};
    Type type_ = Type::axial;
};

}  // namespace platform::compositor
