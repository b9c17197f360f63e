#pragma once
// Remembers whether a star or polygon node has warned that it builds with less
// roundedness than its document asks for (ShapePathBuilders bounds it to a
// range no real document reaches), so that the warning comes once in the
// node's life rather than once a frame. Owned by its node, or by the Core
// Animation engine while it builds a star's layer; main thread only.

namespace lottie {

class RoundednessReport {
public:
    // Warns through the shared logger the first time `built` differs from `requested`.
    void check(double requested, double built) const;

private:
    mutable bool reported_ = false;
};

}  // namespace lottie
