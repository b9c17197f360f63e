#pragma once
// The platform paths that outputs of every view have in common. Views of one
// document build the same paths from the same shapes, most of which never move;
// an output hands the first paths it builds to the pool, which gives back an
// equal path already held by another output when there is one, so that the
// views keep one path between them instead of one each. Paths in the pool are
// never changed (outputs and shape layers hold them as const), and the pool
// holds them weakly: a path lives as long as some output or layer holds it.
// A static of its own (SharingPool), used by outputs of views on any thread.

#include <cstddef>
#include <memory>

#include "Platform/Graphics/Path.h"

namespace lottie {

class PathPool {
public:
    // How many of the paths an output builds it offers to the pool: those
    // that setting up a view builds. The paths of a shape that moves are built
    // anew at every frame after that, each a path no other view holds.
    static constexpr int offeredBuilds = 2;

    // An equal path held elsewhere, or `path` itself, now shared.
    static std::shared_ptr<const platform::graphics::Path> share(platform::graphics::Path path);
    // How many paths the pool holds now, for tests.
    static std::size_t heldCount();

private:
    static std::size_t hashOf(const platform::graphics::Path& path);
};

}  // namespace lottie
