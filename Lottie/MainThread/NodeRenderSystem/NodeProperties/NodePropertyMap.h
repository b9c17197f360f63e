#pragma once
// The animatable properties of one node or layer-level element, seen as a whole
// by the node graph's content pass, and by name for keypath searches. Each node
// class has its own map class that builds its typed properties and registers them
// here under their display names. Owned by its node.
//
// Every view of an animation builds its own maps, so a map keeps only what the
// node kind fixes: the names are the node class's string literals, looked up
// when a keypath search asks for them rather than kept as a map per node, and
// the list of them is one that every map registering the same names shares
// (the groups of every view of every document have the same).

#include <cstddef>
#include <cstdint>
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
    Properties keypathProperties() const override;

protected:
    // Registers a property under its display names (one property may have
    // several); a property without names takes part in updates only. The names
    // must outlive the map (string literals).
    void add(const std::shared_ptr<AnyNodeProperty>& property, std::initializer_list<const char*> names = {});

private:
    // A display name and the index of its property in properties_.
    struct Name {
        const char* name;
        std::size_t property;

        bool operator==(const Name&) const = default;
    };
    using Names = std::vector<Name>;
    // The list equal to `names` that maps share, made the first time.
    static std::shared_ptr<const Names> sharedNames(Names names);

    // The properties a frame may change: all of them until every one has
    // been evaluated once, then those that do not hold their values, found
    // out again whenever a provider somewhere changes.
    const std::vector<AnyNodeProperty*>& varyingProperties() const {
        if (!varyingKnown_ || varyingChanges_ != AnyNodeProperty::changeCount()) findVaryingProperties();
        return varying_;
    }
    void findVaryingProperties() const;

    std::string keypathName_;
    std::vector<std::shared_ptr<AnyNodeProperty>> properties_;
    // Null without names.
    std::shared_ptr<const Names> names_;
    mutable std::vector<AnyNodeProperty*> varying_;
    mutable std::uint64_t varyingChanges_ = 0;
    mutable bool varyingKnown_ = false;
    bool refreshed_ = false;
};

}  // namespace lottie
