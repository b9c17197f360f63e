#pragma once
// A whole feature matrix document: its size, frames, layers (the first on
// top, numbered from 1 in order) and precomposition assets. Each row of the
// matrix builds one and hands out the decoded animation and the frames both
// engines must draw alike.

#include <memory>
#include <string>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "tests/EngineComparison/Support/LayerBuilder.h"

namespace enginematrix {

class DocumentBuilder {
public:
    // A square document of `side` units, 30 frames a second, from frame 0 up to `endFrame`.
    DocumentBuilder(std::string name, double side, double endFrame);

    DocumentBuilder& layer(LayerBuilder layer);
    // A precomposition of the given layers, shown by precomposition layers naming `id`.
    DocumentBuilder& precomposition(std::string id, std::vector<LayerBuilder> layers);

    // Frames to compare besides those below, such as the in and out frames of
    // a precomposition's layers in the document's time, or the end frame,
    // which a finished animation keeps showing.
    DocumentBuilder& compareAlso(std::vector<double> frames);

    std::string json() const;
    // Throws what the decoder throws when the document is wrong.
    std::shared_ptr<const lottie::LottieAnimation> decoded() const;
    // The frames that tell most: the first, the middle and the last that shows,
    // and the in and out frames of every layer with the frame before each out
    // frame, inside the document's frames, in order.
    std::vector<double> comparedFrames() const;

private:
    std::string name_;
    double side_;
    double endFrame_;
    std::vector<LayerBuilder> layers_;
    Array assets_;
    std::vector<double> extraFrames_;
};

}  // namespace enginematrix
