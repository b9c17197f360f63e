#pragma once
// An animator node that produces a path of its own into a path output: the
// ellipse, rectangle, star, polygon and free-path nodes. Trims and rounded
// corners find the outputs to rewrite through it.

#include <memory>

namespace lottie {

class PathOutputNode;

class PathNode {
public:
    virtual ~PathNode() = default;
    virtual std::shared_ptr<PathOutputNode> pathOutput() const = 0;
};

}  // namespace lottie
