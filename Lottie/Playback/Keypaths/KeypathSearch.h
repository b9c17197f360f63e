#pragma once
// The searches every keypath-searchable element gets, recursive over its children
// in order. Stateless functions, run on the main thread over the engine's trees.
//
// A search starts at an element with a whole keypath; the element's name is matched
// against the first key (KeyMatching.h) and the rest goes on to its children
// (AnimationKeypath::nextKeypathAfterMatch). A property is reached when what is left
// is its name alone, or "**" and its name. A keypath of one key therefore never
// reaches a property.
//
// The node and layer searches are templates over the engine's node and layer types,
// found by a dynamic cast of each element, so this file needs neither.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "Lottie/Playback/Keypaths/AnimationKeypath.h"
#include "Lottie/Playback/Keypaths/KeyMatching.h"
#include "Lottie/Playback/Keypaths/KeypathSearchable.h"

namespace lottie {

// Every dotted keypath under the element: its own, then its properties', then each
// child's list, under the parent keys given.
std::vector<std::string> keypathList(const KeypathSearchable& element, const std::vector<std::string>& parentKeys = {});

// The properties the keypath reaches, in search order; nothing when there are none.
std::optional<std::vector<std::shared_ptr<AnyNodeProperty>>> propertiesMatching(const KeypathSearchable& element,
                                                                                const AnimationKeypath& keypath);

// The search root layer of the first element the keypath reaches, "**" followed by
// a name included.
std::shared_ptr<platform::compositor::Layer> layerAtKeypath(const KeypathSearchable& element,
                                                            const AnimationKeypath& keypath);

// Every property under the element by its full dotted keypath. A later entry replaces
// an earlier one of the same keypath.
std::map<std::string, std::shared_ptr<AnyNodeProperty>> propertyMap(const KeypathSearchable& element,
                                                                    const std::vector<std::string>& parentKeys = {});

// The elements of type Node (the engine's animator nodes) the keypath reaches, in
// search order; nothing when there are none. With a leading "**", a child whose name
// matches the second key is searched both with what is left and with the whole
// keypath, so a node may appear twice.
template <class Node>
std::optional<std::vector<std::shared_ptr<Node>>> nodesMatching(const std::shared_ptr<KeypathSearchable>& element,
                                                                const AnimationKeypath& keypath) {
    const auto& keys = keypath.keys();
    if (!element || keys.empty()) return std::nullopt;
    const std::string name = element->keypathName();
    auto node = std::dynamic_pointer_cast<Node>(element);
    const std::optional<AnimationKeypath> next = keypath.nextKeypathAfterMatch(name);
    if (!next) {
        if (node && keyMatchesName(name, keys.front())) return std::vector<std::shared_ptr<Node>>{node};
        return std::nullopt;
    }
    std::vector<std::shared_ptr<Node>> results;
    if (node && next->keys().empty()) results.push_back(node);
    const bool searchAgain = keys.front() == "**" && keys.size() > 1;
    for (const auto& child : element->childKeypaths()) {
        if (!child) continue;
        if (auto found = nodesMatching<Node>(child, *next)) results.insert(results.end(), found->begin(), found->end());
        if (searchAgain && keyMatchesName(child->keypathName(), keys[1])) {
            if (auto found = nodesMatching<Node>(child, keypath)) {
                results.insert(results.end(), found->begin(), found->end());
            }
        }
    }
    if (results.empty()) return std::nullopt;
    return results;
}

namespace detail {

// Walks the tree once, depth first, with one list of keys that grows and shrinks
// as it goes, so that a tree of n elements costs n steps, not n times its depth
// in copied maps.
template <class LayerType>
void collectLayerKeypaths(const std::shared_ptr<KeypathSearchable>& element, std::vector<std::string>& keys,
                          std::unordered_map<std::shared_ptr<LayerType>, AnimationKeypath>& map) {
    if (!element) return;
    keys.push_back(element->keypathName());
    if (auto layer = std::dynamic_pointer_cast<LayerType>(element)) map.insert_or_assign(layer, AnimationKeypath(keys));
    for (const auto& child : element->childKeypaths()) collectLayerKeypaths<LayerType>(child, keys, map);
    keys.pop_back();
}

}  // namespace detail

// The elements of type LayerType (the engine's layers) under the element, each with
// its keypath. A later entry replaces an earlier one for the same layer.
template <class LayerType>
std::unordered_map<std::shared_ptr<LayerType>, AnimationKeypath> layerKeypaths(
    const std::shared_ptr<KeypathSearchable>& element, const std::vector<std::string>& parentKeys = {}) {
    std::unordered_map<std::shared_ptr<LayerType>, AnimationKeypath> map;
    std::vector<std::string> keys = parentKeys;
    detail::collectLayerKeypaths<LayerType>(element, keys, map);
    return map;
}

}  // namespace lottie
