#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"

namespace lottie {

bool NodePropertyMap::propertiesChanged(double frame) const {
    for (const auto& property : properties_) {
        if (property->needsUpdate(frame)) return true;
    }
    return false;
}

void NodePropertyMap::refreshProperties(double frame) {
    for (const auto& property : properties_) property->update(frame);
}

KeypathSearchable::Properties NodePropertyMap::keypathProperties() const {
    Properties properties;
    // In registration order, so that a later property of the same name wins.
    for (const Name& name : names_) properties.insert_or_assign(name.name, properties_[name.property]);
    return properties;
}

void NodePropertyMap::add(const std::shared_ptr<AnyNodeProperty>& property, std::initializer_list<const char*> names) {
    if (!property) return;
    properties_.push_back(property);
    for (const char* name : names) names_.push_back({name, properties_.size() - 1});
}

}  // namespace lottie
