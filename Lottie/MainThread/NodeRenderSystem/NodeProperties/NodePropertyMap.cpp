#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"

#include <functional>
#include <mutex>
#include <unordered_map>

#include "Platform/Graphics/HashCombine.h"

namespace lottie {

namespace {

// Makes room for one more element only: a map is built once, and every view
// keeps its maps as built, so that room for elements never added would cost
// every view of a document for each of its nodes.
template <class T>
void pushExactly(std::vector<T>& list, T element) {
    if (list.size() == list.capacity()) list.reserve(list.size() + 1);
    list.push_back(std::move(element));
}

}  // namespace

void NodePropertyMap::findVaryingProperties() const {
    // One not evaluated yet holds no value: it is kept until it has been.
    std::size_t count = 0;
    for (const auto& property : properties_) count += property->holdsItsValue() ? 0 : 1;
    if (varying_.capacity() != count) {
        // Most maps find fewer once every property has been evaluated: the
        // list is made anew at its size rather than keep the room.
        std::vector<AnyNodeProperty*> fitted;
        fitted.reserve(count);
        varying_.swap(fitted);
    }
    varying_.clear();
    for (const auto& property : properties_) {
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
    if (!names_) return properties;
    for (const Name& name : *names_) properties.insert_or_assign(name.name, properties_[name.property]);
    return properties;
}

std::shared_ptr<const NodePropertyMap::Names> NodePropertyMap::sharedNames(Names names) {
    // The names are string literals of the map classes, registered in a fixed
    // order: the lists are a few per class, kept for good.
    static std::mutex mutex;
    static std::unordered_multimap<std::size_t, std::shared_ptr<const Names>> lists;
    std::size_t key = names.size();
    for (const Name& name : names) {
        platform::graphics::hashCombine(key, std::hash<const char*>{}(name.name));
        platform::graphics::hashCombine(key, name.property);
    }
    const std::lock_guard lock(mutex);
    auto [first, last] = lists.equal_range(key);
    for (auto entry = first; entry != last; ++entry) {
        if (*entry->second == names) return entry->second;
    }
    names.shrink_to_fit();
    return lists.emplace(key, std::make_shared<const Names>(std::move(names)))->second;
}

void NodePropertyMap::add(const std::shared_ptr<AnyNodeProperty>& property, std::initializer_list<const char*> names) {
    if (!property) return;
    pushExactly(properties_, property);
    varyingKnown_ = false;
    if (names.size() == 0) return;
    Names extended = names_ ? *names_ : Names();
    for (const char* name : names) extended.push_back({name, properties_.size() - 1});
    names_ = sharedNames(std::move(extended));
}

}  // namespace lottie
