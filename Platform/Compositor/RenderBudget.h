#pragma once
// What one frame of rendering may spend beyond plain drawing, and what it has
// spent: how deep layers may nest, and how many intermediate surfaces (mask
// buffers and transparency groups) of how many pixels in all it may make. A
// small document can ask for far more of either than any frame can afford
// (precompositions nested thousands deep, masked precompositions that branch
// on every level); past a limit the renderer leaves that part out or draws it
// simplified, and tells the layers being drawn once per render (see
// Layer::reportRenderLimit).
//
// Every drawing of the frame takes its cost from one work budget
// (graphics::WorkBudget) that the frame's budget holds; once the work is spent,
// the renderer leaves every further layer out. The work budget also holds the
// frame's deadline in processor time (graphics::ProcessorDeadline), which the
// drawing thread counts toward while the budget is active, and the coverage
// workers while they run the frame's jobs: past it the work is spent too.
//
// The Renderer makes one for each outermost render() and installs it for the
// duration; a render() nested inside (a layer's display() drawing another
// tree) shares it, so nesting and spending add up across both. Main thread
// only, like all rendering.

#include <cstddef>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Platform/Graphics/WorkBudget.h"

namespace platform::compositor {

class Layer;

class RenderBudget {
public:
    // Layers drawn inside one another: sublayers, masks and the trees drawn while
    // displaying. Each costs a few stack frames; this many fit any thread's stack
    // many times over, also with the sanitizers' larger frames.
    static constexpr std::size_t maximumDepth = 600;
    // Intermediate surfaces per frame: their count, and their pixels in all as a
    // multiple of the target's pixels but never fewer than the floor, so that a
    // small target still affords the masks of a rich document.
    static constexpr std::size_t maximumSurfaceCount = 4096;
    static constexpr double surfacePixelsPerTargetPixel = 32;
    static constexpr double minimumSurfacePixels = 64.0 * 1024 * 1024;
    // What a surface pixel costs beyond its drawing when the frame holds more
    // surface pixels at once than it has before: memory the frame has never
    // held is faulted in and cleared by the system (some ten nanoseconds a
    // pixel), so that surfaces nested a hundred deep cost far more than as
    // many in a row, which take turns with the same memory.
    static constexpr double workPerNewSurfacePixel = 8;
    // The drawing work of a frame (graphics::WorkBudget, in its units), as a
    // multiple of the target's pixels but never less than the floor: a few
    // hundred milliseconds for a small target, far above what ordinary
    // documents spend.
    static constexpr double workPerTargetPixel = 1000;
    static constexpr double minimumWork = 250e6;
    // The layers that the checks of kept pictures (ContentCache) may look at in
    // one frame: each layer drawn looks at those under it, so that a deep tree
    // that keeps no picture would be looked at again and again. A few
    // milliseconds; past it the rest of the frame keeps no pictures and is
    // drawn as usual.
    static constexpr std::size_t maximumPictureChecks = 65536;
    // The processor time the frame's drawing may take, on the drawing thread
    // and the coverage workers together, whatever its work was estimated at:
    // ordinary documents take a few milliseconds a frame.
    static constexpr double drawingDeadlineSeconds = 1;

    // A budget for a frame drawn into a target of `targetPixels` pixels, of
    // which `shownPixels` (all of them by default) lie within the clip the
    // frame is drawn under: a view drawn straight into its window's pixels
    // shows no more than its own.
    explicit RenderBudget(double targetPixels, double shownPixels = -1);
    RenderBudget(const RenderBudget&) = delete;
    RenderBudget& operator=(const RenderBudget&) = delete;

    // The budget of the render under way on this thread; none outside render().
    static RenderBudget* active();
    // The deadline of the last frame whose budget ended on this thread (kept
    // until the next one ends); none before. Once the frame's picture is
    // finished, what it has spent is the processor time the frame took as its
    // deadline counts it, the coverage workers' idle waits aside (for those
    // that measure how far frames keep from it).
    static const std::shared_ptr<graphics::ProcessorDeadline>& lastFrameDeadline();
    ~RenderBudget();

    // Makes a budget the active one while it lives, and restores the one before.
    class Activation {
    public:
        explicit Activation(RenderBudget& budget);
        ~Activation();
        Activation(const Activation&) = delete;
        Activation& operator=(const Activation&) = delete;

    private:
        RenderBudget* outer_;
        graphics::WorkBudget::Activation work_;
        graphics::ProcessorDeadline::Scope deadline_;
    };

    // Starts drawing a layer inside those being drawn; false (nothing entered)
    // when that would nest deeper than maximumDepth. Each layer entered counts
    // toward the deadline.
    bool enter(Layer& layer);
    // Ends the layer entered last.
    void leave();
    std::size_t depth() const { return path_.size(); }

    // Takes a surface of `pixels` from what is left, held until the layer
    // being drawn is left, its pixels counted as work too (and those that
    // raise the most the frame has held at once, as new memory); false
    // (nothing taken) when the count, the pixels or the work are spent.
    bool takeSurface(double pixels);
    // Takes one layer from what the checks of kept pictures may look at; false
    // (nothing taken) once they have looked at maximumPictureChecks.
    bool takePictureCheck() {
        if (pictureChecksLeft_ == 0) return false;
        --pictureChecksLeft_;
        return true;
    }
    std::size_t pictureChecksLeft() const { return pictureChecksLeft_; }
    // The frame's drawing work, which every drawing of the frame takes from.
    graphics::WorkBudget& work() { return work_; }
    double pixelsLeft() const { return pixelsLeft_; }
    std::size_t surfacesLeft() const { return surfacesLeft_; }
    // The pixels the frame shows at most (see the constructor).
    double shownPixels() const { return shownPixels_; }

    // Tells the layers being drawn, innermost first, until one takes the report,
    // or else the first layer below them that takes it; each message once per
    // budget.
    void report(const std::string& message);

private:
    std::vector<Layer*> path_;
    // The surface pixels taken while each layer of path_ is drawn, those held
    // now in all, and the most held at once so far.
    std::vector<double> heldByLayer_;
    double heldPixels_ = 0;
    double peakHeldPixels_ = 0;
    double shownPixels_;
    double pixelsLeft_;
    std::size_t surfacesLeft_ = maximumSurfaceCount;
    std::size_t pictureChecksLeft_ = maximumPictureChecks;
    std::set<std::string> reported_;
    graphics::WorkBudget work_;
};

}  // namespace platform::compositor
