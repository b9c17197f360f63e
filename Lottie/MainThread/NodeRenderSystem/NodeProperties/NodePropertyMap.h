#pragma once
// The animatable properties of one node or layer-level element, seen as a whole
// by the node graph's content pass, and by name for keypath searches. Each node
// class has its own map class that builds its typed properties and registers them
// here under their display names. Owned by its node.

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Lottie/Playback/Keypaths/AnyNodeProperty.h"
#include "Lottie/Playback/Keypaths/KeypathSearchable.h"

namespace lottie {

class NodePropertyMap : public KeypathSearchable {
public:
    explicit NodePropertyMap(std::string keypathName = {}) : keypathName_(std::move(keypathName)) {}

    // Every property once, in the order they were registered.
    const std::vector<std::shared_ptr<AnyNodeProperty>>& properties() const { return properties_; }

    // True as soon as one property needs an update at the frame.
    bool propertiesChanged(double frame) const;
    // Updates every property, not only the changed ones.
    void refreshProperties(double frame);

    std::string keypathName() const override { return keypathName_; }
    Properties keypathProperties() const override { return keypathProperties_; }

protected:
    // Registers a property under its display names (one property may have
    // several); a property without names takes part in updates only.
    void add(const std::shared_ptr<AnyNodeProperty>& property, std::initializer_list<const char*> names = {});

private:
    std::string keypathName_;
    Properties keypathProperties_;
    std::vector<std::shared_ptr<AnyNodeProperty>> properties_;
};

}  // namespace lottie
