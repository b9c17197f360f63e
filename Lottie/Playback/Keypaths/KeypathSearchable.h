#pragma once
// Everything a keypath can reach in the main-thread engine: composition layers,
// animator nodes and their property maps implement it, and the searches of
// KeypathSearch.h walk trees of them. Elements are owned by the engine's layer
// tree, through std::shared_ptr.

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform::compositor {
class Layer;
}

namespace lottie {

class AnyNodeProperty;

class KeypathSearchable {
public:
    // Property names to properties; searches and listings follow this order.
    using Properties = std::map<std::string, std::shared_ptr<AnyNodeProperty>>;
    using Children = std::vector<std::shared_ptr<KeypathSearchable>>;

    virtual ~KeypathSearchable() = default;

    virtual std::string keypathName() const = 0;
    virtual Properties keypathProperties() const = 0;
    virtual Children childKeypaths() const { return {}; }
    // The layer that stands for this element, when one does.
    virtual std::shared_ptr<platform::compositor::Layer> searchRootLayer() const { return nullptr; }
};

}  // namespace lottie
