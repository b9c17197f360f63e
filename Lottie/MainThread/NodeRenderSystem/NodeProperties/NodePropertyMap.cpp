#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"

namespace lottie {

void NodePropertyMap::findVaryingProperties() const {
    varying_.clear();
    for (const auto& property : properties_) {
        // One not evaluated yet holds no value: it is kept until it has been.
        if (!property->holdsItsValue()) varying_.push_back(property.get());
    }
    varyingChanges_ = AnyNodeProperty::changeCount();
    varyingKnown_ = true;
}

bool NodePropertyMap::propertiesChanged(double frame) const {
    for (AnyNodeProperty* property : varyingProperties()) {
        if (property->needsUpdate(frame)) return true;
    }
    return false;
}

void NodePropertyMap::refreshProperties(double frame) {
    // A property that holds its value would be given the same value again.
    for (AnyNodeProperty* property : varyingProperties()) property->update(frame);
    // After the first refresh, the properties that hold their values are known.
    if (!refreshed_) {
        refreshed_ = true;
        varyingKnown_ = false;
    }
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
    varyingKnown_ = false;
    for (const char* name : names) names_.push_back({name, properties_.size() - 1});
}

}  // namespace lottie
