#pragma once
// Where a property map with a fixed list of parts finds the node property of
// each part: its index in the map's list, or none while the part has no
// property. Maps whose parts get properties only when needed (a transform that
// holds still until a keypath search reaches it) keep a byte per part here
// rather than a pointer per part. Owned by its map, by value.

#include <array>
#include <cstddef>
#include <cstdint>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"

namespace lottie {

// `Part` is an enumeration of the parts whose last case is `count`.
template <class Part>
class PropertySlots {
public:
    PropertySlots() { indices_.fill(none); }

    bool has(Part part) const { return indices_[slot(part)] != none; }
    // The part's property is the one at `index` of the map's list (at most 254).
    void set(Part part, std::size_t index) { indices_[slot(part)] = static_cast<std::uint8_t>(index); }
    // The part's property in `map`, of the value type it was made with; null without one.
    template <class T>
    const NodeProperty<T>* get(const NodePropertyMap& map, Part part) const {
        if (!has(part)) return nullptr;
        return static_cast<const NodeProperty<T>*>(map.properties()[indices_[slot(part)]].get());
    }

private:
    static constexpr std::uint8_t none = 0xff;
    static constexpr std::size_t slot(Part part) { return static_cast<std::size_t>(part); }
    std::array<std::uint8_t, slot(Part::count)> indices_;
};

}  // namespace lottie
