#include "Lottie/Playback/Engine/LayerBuildWeight.h"

#include <algorithm>

#include "Lottie/Model/Layers/ShapeLayerModel.h"
#include "Lottie/Model/ShapeItems/Group.h"
#include "Lottie/Model/ShapeItems/Shape.h"
#include "Lottie/Model/Text/TextLayerModel.h"

namespace lottie {

namespace {

// The vertices a built copy of the items holds at once: for each path, its
// largest keyframe, since a copy keeps the value of one frame, not all of them.
std::size_t vertices(const ShapeItemList& items) {
    std::size_t count = 0;
    for (const std::shared_ptr<const ShapeItem>& item : items) {
        if (const auto* group = dynamic_cast<const Group*>(item.get())) {
            count += vertices(group->items());
        } else if (const auto* shape = dynamic_cast<const Shape*>(item.get()); shape && shape->path()) {
            std::size_t largest = 0;
            for (const auto& keyframe : shape->path()->keyframes()) {
                largest = std::max(largest, keyframe.value().elements().size());
            }
            count += largest;
        }
    }
    return count;
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

std::size_t LayerBuildWeight::of(const LayerModel& model) {
    std::size_t weight = 1 + (model.masks ? model.masks->size() : 0);
    if (const auto* shape = dynamic_cast<const ShapeLayerModel*>(&model)) {
        weight += vertices(shape->items) / verticesPerLayer;
    } else if (const auto* text = dynamic_cast<const TextLayerModel*>(&model)) {
        weight += textLayerWeight - 1 + characters(*text) / charactersPerLayer;
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

std::size_t LayerBuildWeight::ofCopy(const ShapeItemList& items) { return 1 + vertices(items) / verticesPerLayer; }

}  // namespace lottie
