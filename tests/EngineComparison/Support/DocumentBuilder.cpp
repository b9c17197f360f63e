#include "tests/EngineComparison/Support/DocumentBuilder.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "Lottie/Playback/DecodingStrategy.h"
#include "Platform/Json/JsonWriter.h"

namespace enginematrix {

namespace {

Array builtLayers(const std::vector<LayerBuilder>& layers, double endFrame) {
    Array built;
    for (std::size_t index = 0; index < layers.size(); ++index) {
        built.push_back(layers[index].build(static_cast<int>(index) + 1, 0, endFrame));
    }
    return built;
}

}  // namespace

DocumentBuilder::DocumentBuilder(std::string name, double side, double endFrame)
    : name_(std::move(name)), side_(side), endFrame_(endFrame) {}

DocumentBuilder& DocumentBuilder::layer(LayerBuilder layer) {
    layers_.push_back(std::move(layer));
    return *this;
}

DocumentBuilder& DocumentBuilder::precomposition(std::string id, std::vector<LayerBuilder> layers) {
    assets_.push_back(Object{{"id", std::move(id)}, {"layers", builtLayers(layers, endFrame_)}});
    return *this;
}

DocumentBuilder& DocumentBuilder::compareAlso(std::vector<double> frames) {
    extraFrames_.insert(extraFrames_.end(), frames.begin(), frames.end());
    return *this;
}

std::string DocumentBuilder::json() const {
    return platform::json::serialize(Object{{"v", "5.7.0"},
                                            {"nm", name_},
                                            {"fr", 30.0},
                                            {"ip", 0.0},
                                            {"op", endFrame_},
                                            {"w", side_},
                                            {"h", side_},
                                            {"ddd", Value::integer(0)},
                                            {"assets", assets_},
                                            {"layers", builtLayers(layers_, endFrame_)}});
}

std::shared_ptr<const lottie::LottieAnimation> DocumentBuilder::decoded() const {
    return lottie::LottieAnimation::fromData(json(), lottie::DecodingStrategy::dictionaryBased);
}

std::vector<double> DocumentBuilder::comparedFrames() const {
    std::set<double> frames(extraFrames_.begin(), extraFrames_.end());
    frames.insert({0, std::floor(endFrame_ / 2), std::ceil(endFrame_) - 1});
    for (const Value& layer : builtLayers(layers_, endFrame_)) {
        for (double frame : {*layer.find("ip")->asDouble(), *layer.find("op")->asDouble()}) {
            frames.insert(frame);
            frames.insert(frame - 1);
        }
    }
    std::vector<double> inside;
    // The end frame only when asked for by name.
    const bool endAsked = std::ranges::count(extraFrames_, endFrame_) > 0;
    std::copy_if(frames.begin(), frames.end(), std::back_inserter(inside), [this, endAsked](double frame) {
        return frame >= 0 && (frame < endFrame_ || (frame == endFrame_ && endAsked));
    });
    return inside;
}

}  // namespace enginematrix
