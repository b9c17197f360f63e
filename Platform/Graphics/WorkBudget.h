#pragma once
// How much drawing work one frame may do, and how much it has done. Every
// painting operation of a GraphicsContext estimates its cost (DrawingCost) and
// takes it from the budget active on its thread before it draws; once a cost
// does not fit, the budget is spent and every later operation of the frame is
// refused, so that a frame ends at one point of its drawing order and the same
// frame always draws the same things. Work that cannot be refused once begun
// (compositing a group that was already drawn, blurring a buffer that exists)
// is charged without asking.
//
// The units are rough nanoseconds of this kind of machine: the estimates only
// need to keep hostile documents within a few hundred milliseconds a frame while
// ordinary documents stay far below the limit.
//
// A frame's budget may also hold the frame's deadline in processor time
// (ProcessorDeadline), which catches the costs the estimates miss: every take
// and charge checks it, and past it the budget is spent as when the units run
// out, from wherever the time ran out.
//
// The compositor's RenderBudget owns one per frame and activates it for the
// frame's duration; without an active budget nothing is counted or refused.
// Main thread only, like all rendering.

#include <memory>

#include "Platform/Graphics/ProcessorDeadline.h"

namespace platform::graphics {

class WorkBudget {
public:
    explicit WorkBudget(double units, std::shared_ptr<ProcessorDeadline> deadline = nullptr);
    WorkBudget(const WorkBudget&) = delete;
    WorkBudget& operator=(const WorkBudget&) = delete;

    // The budget of the drawing under way on this thread; none outside a frame.
    static WorkBudget* active();

    // Makes a budget the active one while it lives, and restores the one before.
    class Activation {
    public:
        explicit Activation(WorkBudget& budget);
        ~Activation();
        Activation(const Activation&) = delete;
        Activation& operator=(const Activation&) = delete;

    private:
        WorkBudget* outer_;
    };

    // Takes the cost of a drawing about to be made; false (nothing taken) when
    // it does not fit or the budget is already spent, which it is from then on.
    bool take(double units);
    // Adds work that is done whatever is left; it may spend the budget.
    void charge(double units);
    bool isSpent() const { return spent_; }
    // Whether it was spent by its deadline rather than by its units.
    bool passedDeadline() const { return passedDeadline_; }
    const std::shared_ptr<ProcessorDeadline>& deadline() const { return deadline_; }
    // Counts `units` of work toward the deadline (ProcessorDeadline::check)
    // and spends the budget once it has passed; whether the budget is spent.
    bool checkDeadline(int units);
    double used() const { return used_; }
    // Notes that a stroke of the frame was cut short, its outline holding
    // more points than the rasteriser does (CoverageRasterizer::strokeWasCut),
    // for the frame to say so once.
    void noteStrokeCut() { strokeCut_ = true; }
    bool strokeWasCut() const { return strokeCut_; }
    static void noteActiveStrokeCut() {
        if (WorkBudget* budget = active()) budget->noteStrokeCut();
    }
    double limit() const { return limit_; }

    // Takes from the active budget, if any, the cost `estimate()` gives; true
    // without one. The estimate is worked out only when a budget is active, so
    // that drawing outside a frame (a layer's display) pays nothing for it.
    template <typename Estimate>
    static bool takeActive(Estimate&& estimate) {
        WorkBudget* budget = active();
        return budget == nullptr || budget->take(estimate());
    }
    // Charges the active budget, if any, with the cost `estimate()` gives.
    template <typename Estimate>
    static void chargeActive(Estimate&& estimate) {
        if (WorkBudget* budget = active()) budget->charge(estimate());
    }

private:
    // What an estimate counts toward the deadline's readings: an item, and
    // one unit more per this many of its own, so that a costly drawing has
    // the clock read soon after it.
    static constexpr double estimateUnitsPerDeadlineUnit = 4096;
    bool checkDeadlineFor(double units);

    double limit_;
    double used_ = 0;
    bool spent_ = false;
    bool passedDeadline_ = false;
    bool strokeCut_ = false;
    std::shared_ptr<ProcessorDeadline> deadline_;
};

}  // namespace platform::graphics
