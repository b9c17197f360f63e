#include "Lottie/CoreAnimation/GroupTransformProviders.h"

#include <string>

#include "Lottie/CoreAnimation/ValueProviderStore.h"
#include "Lottie/Model/ShapeItems/ShapeTransform.h"

namespace lottie {

namespace {

bool provided(std::vector<std::string> keys, PropertyName name, const ValueProviderStore& store) {
    keys.emplace_back(PropertyNames::rawValue(name));
    return store.overrideKeyframes(AnimationKeypath(std::move(keys))) != nullptr;
}

// `keys`: the keypath of the group itself.
bool reachedIn(const Group& group, const std::vector<std::string>& keys, const std::vector<PropertyName>& names,
               bool nested, const ValueProviderStore& store) {
    for (const auto& item : group.items()) {
        if (item->hidden()) continue;
        if (const auto* inner = dynamic_cast<const Group*>(item.get())) {
            if (!nested) continue;
            std::vector<std::string> innerKeys = keys;
            if (!inner->name().empty()) innerKeys.push_back(inner->name());
            if (reachedIn(*inner, innerKeys, names, nested, store)) return true;
            continue;
        }
        if (item->type() != ShapeType::transform) continue;
        for (const std::string& transformName : {item->name(), std::string("Transform")}) {
            if (transformName.empty()) continue;
            std::vector<std::string> transformKeys = keys;
            transformKeys.push_back(transformName);
            for (PropertyName name : names) {
                if (provided(transformKeys, name, store)) return true;
            }
        }
    }
    return false;
}

}  // namespace

bool GroupTransformProviders::reached(const ShapeItemReference& reference, const std::vector<PropertyName>& names,
                                      bool nested, const LayerAnimationContext& context) {
    const auto* group = dynamic_cast<const Group*>(reference.item.get());
    if (!group || !context.valueProviderStore || context.valueProviderStore->valueProviders().empty()) return false;
    return reachedIn(*group, reference.context(context).currentKeypath.keys(), names, nested,
                     *context.valueProviderStore);
}

bool GroupTransformProviders::reached(const Group& group, const ContextKeypath& groupPath,
                                      const std::vector<PropertyName>& names, const LayerAnimationContext& context) {
    if (!context.valueProviderStore || context.valueProviderStore->valueProviders().empty()) return false;
    return reachedIn(group, context.currentKeypath.adding(groupPath).keys(), names, false, *context.valueProviderStore);
}

bool GroupTransformProviders::reachesItem(const ShapeItemReference& reference, PropertyName name,
                                          const LayerAnimationContext& context) {
    if (!context.valueProviderStore || context.valueProviderStore->valueProviders().empty()) return false;
    return provided(reference.context(context).currentKeypath.keys(), name, *context.valueProviderStore);
}

}  // namespace lottie
