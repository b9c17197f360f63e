#include "Lottie/MainThread/LayerContainers/DisabledActions.h"

#include <algorithm>

namespace lottie {

DisabledActions::DisabledActions(std::initializer_list<const char*> keys) : keys_(keys.begin(), keys.end()) {}

void DisabledActions::applyTo(platform::compositor::Layer& layer) {
    const Table& start = layer.sharedActions();
    // Layers may be built on several threads at once.
    std::lock_guard lock(mutex_);
    if (!start) {
        if (!fromNothing_) fromNothing_ = extend(nullptr);
        layer.setSharedActions(fromNothing_);
        return;
    }
    std::erase_if(made_, [](const auto& entry) { return entry.first.expired(); });
    const auto found = std::find_if(made_.begin(), made_.end(),
                                    [&](const auto& entry) { return entry.first.lock() == start; });
    if (found != made_.end()) {
        layer.setSharedActions(found->second);
        return;
    }
    Table table = extend(start);
    made_.emplace_back(start, table);
    layer.setSharedActions(std::move(table));
}

DisabledActions::Table DisabledActions::extend(const Table& start) const {
    platform::compositor::Layer::Actions actions = start ? *start : platform::compositor::Layer::Actions();
    for (const std::string& key : keys_) actions.insert_or_assign(key, nullptr);
    return std::make_shared<const platform::compositor::Layer::Actions>(std::move(actions));
}

}  // namespace lottie
