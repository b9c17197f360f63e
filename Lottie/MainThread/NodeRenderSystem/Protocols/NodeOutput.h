#pragma once
// What an animator node publishes: its path (everything upstream included) and
// whether that changed at a frame. The path is put together only for an output
// that is asked for it, from the paths each node keeps of its own, so that a
// chain of n path nodes holds n paths rather than n copies of those upstream.
// The path put together is shared, not copied, by the render layer that shows
// it, and holds no room for elements it does not have. Outputs are chained
// like their nodes, each holding its upstream output strongly; nothing points
// downstream. Owned by the node that produces it and shared with the outputs
// and render layers downstream.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PathPool.h"
#include "Platform/Graphics/Path.h"

namespace lottie {

class NodeOutput {
public:
    virtual ~NodeOutput() = default;

    // The upstream output; none for the first node of a chain.
    virtual std::shared_ptr<NodeOutput> parent() const = 0;
    // The path of the last frame asked, or null when there is none; built when
    // first asked after a change, and kept until the next change.
    virtual std::shared_ptr<const platform::graphics::Path> sharedOutputPath() const = 0;
    const platform::graphics::Path* outputPath() const { return sharedOutputPath().get(); }
    // Appends this output's path, everything upstream first, to `target` with
    // every point mapped by `transform`.
    virtual void appendOutput(platform::graphics::Path& target,
                              const platform::graphics::AffineTransform& transform) const = 0;
    // How many elements appendOutput() appends.
    virtual std::size_t outputElementCount() const = 0;
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    // Whether the output changed at the frame; may rebuild the path while answering.
    virtual bool outputChanged(double frame) = 0;

protected:
    // Releases a chain of outputs one at a time rather than by nested destructor
    // calls; each output's destructor hands its own upstream output to it.
    static void releaseChain(std::shared_ptr<NodeOutput> upstream) {
        while (upstream && upstream.use_count() == 1) upstream = upstream->takeUpstream();
    }
    // Gives up the upstream output (and any other output this one holds strongly).
    virtual std::shared_ptr<NodeOutput> takeUpstream() = 0;
    // The path kept in `kept`, put together from the chain first when none is
    // kept. `builds` counts the paths put together so far: the first ones go
    // through the pool that views share (PathPool).
    const std::shared_ptr<const platform::graphics::Path>& keptPath(
        std::shared_ptr<const platform::graphics::Path>& kept, std::uint8_t& builds) const {
        if (!kept) {
            platform::graphics::Path path;
            path.reserve(outputElementCount());
            appendOutput(path, platform::graphics::AffineTransform());
            if (builds < PathPool::offeredBuilds) {
                ++builds;
                kept = PathPool::share(std::move(path));
            } else {
                kept = std::make_shared<const platform::graphics::Path>(std::move(path));
            }
        }
        return kept;
    }
};

}  // namespace lottie
