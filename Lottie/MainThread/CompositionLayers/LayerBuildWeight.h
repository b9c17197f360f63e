#pragma once
// What building one layer costs in memory and set-up time, in units of a plain
// layer: the layer itself, one more per mask, and what it holds that each
// built copy keeps its own nodes and values for (the vertices of its paths,
// the characters of its text). Precompositions repeated at every level repeat
// whatever their layers hold, so the factory's cap on what an animation builds
// counts these weights rather than layers alone. Stateless; used by
// CompositionLayerFactory.

#include <cstddef>

#include "Lottie/Model/Layers/LayerModel.h"

namespace lottie {

class LayerBuildWeight {
public:
    LayerBuildWeight() = delete;

    // Path vertices that weigh as much as one plain layer. A built path keeps
    // a few hundred bytes per vertex in its values, drawing paths and frame
    // copies, against some 10 KB for a layer, so an ordinary shape layer of a
    // few hundred vertices weighs several layers.
    static constexpr std::size_t verticesPerLayer = 32;
    // Characters of text that weigh as much as one plain layer; a text layer
    // itself weighs two, its glyph layout and keypath nodes being heavier.
    static constexpr std::size_t charactersPerLayer = 16;
    static constexpr std::size_t textLayerWeight = 2;

    // The weight of building `model` once: at least 1.
    static std::size_t of(const LayerModel& model);
};

}  // namespace lottie
