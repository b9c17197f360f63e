#include "Lottie/Playback/Engine/LayerBuildWeight.h"

#include <algorithm>
#include <cmath>

#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/ShapePathBuilders.h"
#include "Lottie/Model/Layers/ShapeLayerModel.h"
#include "Lottie/Model/ShapeItems/Group.h"
#include "Lottie/Model/ShapeItems/Shape.h"
#include "Lottie/Model/ShapeItems/Star.h"
#include "Lottie/Model/Text/TextLayerModel.h"
#include "Platform/Graphics/ProcessorDeadline.h"

namespace lottie {

namespace {

// The most vertices a path has over its keyframes, since a built copy keeps
// the value of one frame; none for no path.
std::size_t mostVertices(const KeyframeGroupPtr<BezierPath>& path) {
    std::size_t largest = 0;
    if (path) {
        for (const auto& keyframe : path->keyframes()) largest = std::max(largest, keyframe.value().elements().size());
    }
    return largest;
}

// A mask is a layer of its own with its path, and every frame clips what the
// layer draws to that path: one, and one more per verticesPerLayer vertices.
std::size_t maskWeight(const LayerModel& model) {
    std::size_t weight = 0;
    if (model.masks) {
        for (const auto& mask : *model.masks) {
            weight += 1 + (mask ? mostVertices(mask->shape) / LayerBuildWeight::verticesPerLayer : 0);
        }
    }
    return weight;
}

// The most vertices an item's path has over its keyframes, since a built copy
// keeps the value of one frame, not all of them; none for items that draw no
// path.
std::size_t pathVertices(const ShapeItem& item) {
    switch (item.type()) {
        case ShapeType::rectangle: return 9;
        case ShapeType::ellipse: return 5;
        case ShapeType::shape: {
            const auto* shape = dynamic_cast<const Shape*>(&item);
            return shape ? mostVertices(shape->path()) : 0;
        }
        case ShapeType::star: {
            const auto* star = dynamic_cast<const Star*>(&item);
            if (!star || !star->points()) return 0;
            double points = 0;
            for (const auto& keyframe : star->points()->keyframes()) {
                points = std::max(points, ShapePathBuilders::sanitizedPointCount(keyframe.value().value));
            }
            const auto corners = static_cast<std::size_t>(std::ceil(points));
            return 1 + (star->starType() == StarType::polygon ? corners : 2 * corners);
        }
        default: return 0;
    }
}

// Items that hold a copy of every path before them (what they draw) or cut
// each of those again every frame.
bool takesPathsBefore(ShapeType type) {
    switch (type) {
        case ShapeType::fill:
        case ShapeType::gradientFill:
        case ShapeType::stroke:
        case ShapeType::gradientStroke:
        case ShapeType::trim: return true;
        default: return false;
    }
}

struct Tally {
    std::size_t weight = 0;
    // The vertices of the paths so far, which a fill or trim that follows takes.
    std::size_t pathVertices = 0;
};

// The items of one level: a fill draws, and a trim cuts, the paths of the
// groups before it as well as its own level's.
void tally(const ShapeItemList& items, Tally& total) {
    for (const std::shared_ptr<const ShapeItem>& item : items) {
        if (!item || item->hidden()) continue;
        total.weight += LayerBuildWeight::verticesPerItem;
        if (const auto* group = dynamic_cast<const Group*>(item.get())) {
            // Its items take only the paths inside it; the items after it take
            // its paths too.
            Tally inner;
            tally(group->items(), inner);
            total.weight += inner.weight;
            total.pathVertices += inner.pathVertices;
        } else if (takesPathsBefore(item->type())) {
            total.weight += total.pathVertices;
        } else {
            const std::size_t vertices = pathVertices(*item);
            total.weight += vertices;
            total.pathVertices += vertices;
        }
    }
}

std::size_t characters(const TextLayerModel& text) {
    std::size_t largest = 0;
    if (text.text) {
        for (const auto& keyframe : text.text->keyframes()) {
            largest = std::max(largest, keyframe.value().text.size());
        }
    }
    return largest;
}

}  // namespace

std::size_t LayerBuildWeight::of(const LayerModel& model, FontSizes& fontSizes) {
    std::size_t weight = 1 + maskWeight(model);
    if (const auto* shape = dynamic_cast<const ShapeLayerModel*>(&model)) {
        weight += vertexWeight(shape->items) / verticesPerLayer;
    } else if (const auto* text = dynamic_cast<const TextLayerModel*>(&model)) {
        weight += textLayerWeight - 1 + characters(*text) / charactersPerLayer;
        // A set-up lays a text out at its first document; the sizes of later
        // ones are looked up as frames show them, within each frame's deadline.
        if (text->text && !text->text->keyframes().empty()) {
            const TextDocument& document = text->text->keyframes().front().value();
            if (fontSizes.emplace(document.fontFamily, document.fontSize).second) weight += fontSizeWeight;
        }
    }
    return weight;
}

bool LayerBuildWeight::take(std::size_t& spent, std::size_t weight) {
    const std::size_t left = maximumWeight - std::min(spent, maximumWeight);
    if (weight <= left) {
        spent += weight;
        return true;
    }
    if (left > 0) spent += 1;
    return false;
}

std::size_t LayerBuildWeight::ofCopy(const ShapeItemList& items) { return 1 + vertexWeight(items) / verticesPerLayer; }

std::size_t LayerBuildWeight::vertexWeight(const ShapeItemList& items) {
    Tally total;
    tally(items, total);
    return total.weight;
}

std::string LayerBuildWeight::setUpDeadlinePassed(const platform::graphics::ProcessorDeadline& deadline) {
    return "The animation's set-up passed its deadline of " + deadline.limitDescription();
}

}  // namespace lottie
