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

void NodePropertyMap::add(const std::shared_ptr<AnyNodeProperty>& property, std::initializer_list<const char*> names) {
    if (!property) return;
    properties_.push_back(property);
    for (const char* name : names) keypathProperties_.insert_or_assign(name, property);
}

}  // namespace lottie
