#pragma once
// The one step of values whose holders share an object until one of them
// changes it (a compositor layer's rarely set properties, transform and
// stroke, shared with its presentation copies; the elements of a path shared
// by its copies): the holder's own object, made at its defaults when there is
// none, or copied first when another holder shares it. A holder changes only
// what it holds, so a count of one stays one while it does.

#include <memory>

namespace platform::foundation {

template <typename Block>
Block& editableBlock(std::shared_ptr<Block>& held) {
    if (!held) {
        held = std::make_shared<Block>();
    } else if (held.use_count() > 1) {
        held = std::make_shared<Block>(*held);
    }
    return *held;
}

}  // namespace platform::foundation
