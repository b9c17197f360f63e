#pragma once
// Gives a layer null actions for the properties the engine sets every frame, so
// that callers that look actions up find none and each frame shows exactly the
// computed state.

#include <initializer_list>
#include <map>
#include <string>

#include "Platform/Compositor/Layer.h"

namespace lottie {

inline void disableActions(platform::compositor::Layer& layer, std::initializer_list<const char*> keys) {
    auto actions = layer.actions();
    for (const char* key : keys) actions.insert_or_assign(key, nullptr);
    layer.setActions(std::move(actions));
}

}  // namespace lottie
