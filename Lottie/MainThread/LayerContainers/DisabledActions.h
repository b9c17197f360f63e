#pragma once
// The null actions a kind of layer gives the properties the engine sets every
// frame, so that callers that look actions up find none and each frame shows
// exactly the computed state. Each kind of layer keeps one of these (a static
// at the place it disables its keys), and every layer of that kind shares the
// table it makes instead of holding a map of its own.

#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "Platform/Compositor/Layer.h"

namespace lottie {

class DisabledActions {
public:
    DisabledActions(std::initializer_list<const char*> keys);

    // Adds the keys to the layer's actions. A layer whose base class already
    // disabled some keys gets the union, made once per starting table.
    void applyTo(platform::compositor::Layer& layer);

private:
    using Table = std::shared_ptr<const platform::compositor::Layer::Actions>;

    Table extend(const Table& start) const;

    std::vector<std::string> keys_;
    std::mutex mutex_;
    // Tables made so far, by the table they started from. The start is held
    // weakly so a table some caller made for one layer goes with that layer.
    std::vector<std::pair<std::weak_ptr<const platform::compositor::Layer::Actions>, Table>> made_;
    Table fromNothing_;
};

}  // namespace lottie
