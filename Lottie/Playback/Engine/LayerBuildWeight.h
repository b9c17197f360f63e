#pragma once
// What building one layer costs in memory and set-up time, in units of a plain
// layer: the layer itself, one more per mask and per 32 vertices of its path, and what it holds that each
// built copy keeps its own nodes and values for (each shape item, the vertices
// of its paths, stars and polygons, what its trims cut again, the characters
// of its text, the font size it is first shown at when it is the first to
// use it). Precompositions repeated at every level repeat whatever their
// layers hold, so the factory's cap on what an animation builds
// counts these weights rather than layers alone. It also holds the limits on
// building that both engines keep. Stateless; used by CompositionLayerFactory
// and by the Core Animation engine's LayerBuildBudget.

#include <cstddef>
#include <set>
#include <string>
#include <utility>

#include "Lottie/Model/Layers/LayerModel.h"
#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Platform/Graphics/ProcessorDeadline.h"

namespace lottie {

class LayerBuildWeight {
public:
    LayerBuildWeight() = delete;

    // Path vertices that weigh as much as one plain layer. A built path keeps
    // a few hundred bytes per vertex in its values, drawing paths and frame
    // copies, against some 10 KB for a layer, so an ordinary shape layer of a
    // few hundred vertices weighs several layers.
    static constexpr std::size_t verticesPerLayer = 32;
    // What one shape item (a group, a path, a fill, a transform...) weighs
    // besides its vertices, in vertices: each becomes a node with its
    // properties and a layer to draw into on one engine, and a layer with its
    // animations on the other, some 7 KB, as much as a plain layer. A layer of
    // a hundred groups is no longer as light as an empty one.
    static constexpr std::size_t verticesPerItem = verticesPerLayer;
    // Characters of text that weigh as much as one plain layer; a text layer
    // itself weighs two, its glyph layout and keypath nodes being heavier.
    static constexpr std::size_t charactersPerLayer = 16;
    static constexpr std::size_t textLayerWeight = 2;
    // What a font at a size no text of the animation used before weighs:
    // looking it up and loading it takes one to ten milliseconds (more where
    // its characters fall back to other fonts), as long as building a few
    // hundred layers. Real documents use a handful of sizes; past some fifty,
    // the texts at further sizes are left out as layers past the weight are.
    static constexpr std::size_t fontSizeWeight = 512;
    // The fonts at their sizes (family name, size) that a build has weighed.
    using FontSizes = std::set<std::pair<std::string, double>>;

    // Building and drawing a precomposition go one level deeper on the stack
    // for each level it nests; a precomposition deeper than this is shown as
    // nothing, which keeps both well inside any thread's stack. Real documents
    // nest a handful of levels.
    static constexpr std::size_t maximumPrecompositionDepth = 100;
    // Precompositions that repeat precompositions, and repeaters inside
    // repeaters, multiply what they build; past this weight in all, further
    // layers are built as nothing rather than exhausting memory and time (a
    // layer with its engine objects takes some 7 to 15 KB, and is visited every
    // frame). Real documents stay far below it.
    static constexpr std::size_t maximumWeight = 30'000;
    // The processor time one engine's set-up of a document may take (building
    // its layers, laying its text out, sampling its keyframes), behind the
    // weights as a backstop for the costs they miss: past it the layers not
    // yet built are left out (or the automatic option falls back). Real
    // documents set up in a quarter of it at most (images decoded included).
    static constexpr double setUpDeadlineSeconds = 0.5;

    // How a message about a set-up that passed `deadline` begins (its own
    // 0.5 s, or its share of the document's opening).
    static std::string setUpDeadlinePassed(const platform::graphics::ProcessorDeadline& deadline);

    // The weight of building `model` once: at least 1, and fontSizeWeight
    // when the font and size of its first text document are not in
    // `fontSizes`, which they are added to.
    static std::size_t of(const LayerModel& model, FontSizes& fontSizes);
    // Adds `weight` to `spent` when it fits within maximumWeight, and tells
    // whether it did. A layer that does not fit is left out on its own: a
    // lighter one met later is still built while it fits, so that one heavy
    // layer does not take every layer after it along (the two engines meet a
    // document's layers from opposite ends, and a light layer shows on both).
    // Looking at a layer left out still takes one while any is left, so that
    // a document cannot have layers weighed without end (the main-thread
    // engine shows each as a null layer, which is a layer too).
    static bool take(std::size_t& spent, std::size_t weight);
    // The weight of one more copy of `items` (a repeater's): 1, and more for
    // the items and their vertices.
    static std::size_t ofCopy(const ShapeItemList& items);
    // What `items` weigh in vertices: each shown item verticesPerItem, each
    // path item its most vertices over its keyframes (a star or polygon as many
    // as it is built with, within the builders' point limit), and each fill,
    // stroke and trim the vertices of the paths before it, which it holds a
    // copy of to draw, or cuts again every frame.
    static std::size_t vertexWeight(const ShapeItemList& items);
};

}  // namespace lottie
