#pragma once
// The one step of the blocks a layer shares with its presentation copies until
// one of them changes a property held there (Layer's rarely set properties and
// transform, ShapeLayer's stroke): the holder's own block, made at its defaults
// when there is none, or copied first when another holder shares it.

#include <memory>

namespace platform::compositor {

template <typename Block>
Block& editableBlock(std::shared_ptr<Block>& held) {
    if (!held) {
        held = std::make_shared<Block>();
    } else if (held.use_count() > 1) {
        held = std::make_shared<Block>(*held);
    }
    return *held;
}

}  // namespace platform::compositor
