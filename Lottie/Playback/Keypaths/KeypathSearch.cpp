#include "Lottie/Playback/Keypaths/KeypathSearch.h"

namespace lottie {

namespace {

std::string joined(const std::vector<std::string>& keys) { return AnimationKeypath(keys).fullPath(); }

}  // namespace

std::vector<std::string> keypathList(const KeypathSearchable& element, const std::vector<std::string>& parentKeys) {
    std::vector<std::string> keys = parentKeys;
    keys.push_back(element.keypathName());
    std::vector<std::string> list{joined(keys)};
    for (const auto& entry : element.keypathProperties()) {
        std::vector<std::string> propertyKeys = keys;
        propertyKeys.push_back(entry.first);
        list.push_back(joined(propertyKeys));
    }
    for (const auto& child : element.childKeypaths()) {
        if (!child) continue;
        std::vector<std::string> childList = keypathList(*child, keys);
        list.insert(list.end(), std::make_move_iterator(childList.begin()), std::make_move_iterator(childList.end()));
    }
    return list;
}

std::optional<std::vector<std::shared_ptr<AnyNodeProperty>>> propertiesMatching(const KeypathSearchable& element,
                                                                                const AnimationKeypath& keypath) {
    const std::optional<AnimationKeypath> next = keypath.nextKeypathAfterMatch(element.keypathName());
    if (!next) return std::nullopt;
    std::vector<std::shared_ptr<AnyNodeProperty>> results;
    if (const std::optional<std::string> property = next->finalKey()) {
        const KeypathSearchable::Properties properties = element.keypathProperties();
        auto found = properties.find(*property);
        if (found != properties.end() && found->second) results.push_back(found->second);
    }
    if (next->keys().size() > 1) {
        for (const auto& child : element.childKeypaths()) {
            if (!child) continue;
            if (auto found = propertiesMatching(*child, *next)) {
                results.insert(results.end(), found->begin(), found->end());
            }
        }
    }
    if (results.empty()) return std::nullopt;
    return results;
}

std::shared_ptr<platform::compositor::Layer> layerAtKeypath(const KeypathSearchable& element,
                                                            const AnimationKeypath& keypath) {
    const std::string name = element.keypathName();
    if (keypath.keys().size() == 1 && keyMatchesName(name, keypath.keys().front())) return element.searchRootLayer();
    const std::optional<AnimationKeypath> next = keypath.nextKeypathAfterMatch(name);
    if (!next) return nullptr;
    // "**" followed by this element's name is used up here: this is the element named.
    if (next->keys().empty()) return element.searchRootLayer();
    for (const auto& child : element.childKeypaths()) {
        if (!child) continue;
        if (auto layer = layerAtKeypath(*child, *next)) return layer;
    }
    return nullptr;
}

std::map<std::string, std::shared_ptr<AnyNodeProperty>> propertyMap(const KeypathSearchable& element,
                                                                    const std::vector<std::string>& parentKeys) {
    std::vector<std::string> keys = parentKeys;
    keys.push_back(element.keypathName());
    std::map<std::string, std::shared_ptr<AnyNodeProperty>> map;
    for (const auto& [name, property] : element.keypathProperties()) {
        std::vector<std::string> propertyKeys = keys;
        propertyKeys.push_back(name);
        map.insert_or_assign(joined(propertyKeys), property);
    }
    for (const auto& child : element.childKeypaths()) {
        if (!child) continue;
        for (auto& [keypath, property] : propertyMap(*child, keys)) map.insert_or_assign(keypath, std::move(property));
    }
    return map;
}

}  // namespace lottie
