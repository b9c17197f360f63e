#include "Platform/Graphics/WorkBudget.h"

#include <algorithm>
#include <cmath>

namespace platform::graphics {

namespace {

thread_local WorkBudget* activeBudget = nullptr;

}  // namespace

WorkBudget::WorkBudget(double units, std::shared_ptr<ProcessorDeadline> deadline)
    : limit_(std::isfinite(units) && units > 0 ? units : 0), deadline_(std::move(deadline)) {}

WorkBudget* WorkBudget::active() { return activeBudget; }

WorkBudget::Activation::Activation(WorkBudget& budget) : outer_(activeBudget) { activeBudget = &budget; }

WorkBudget::Activation::~Activation() { activeBudget = outer_; }

bool WorkBudget::checkDeadline(int units) {
    if (!spent_ && deadline_ && deadline_->check(units)) {
        spent_ = true;
        passedDeadline_ = true;
    }
    return spent_;
}

bool WorkBudget::checkDeadlineFor(double units) {
    if (!deadline_) return spent_;
    // A cost that is no number counts as none here; take() refuses it.
    const double counted =
        units > 0 ? std::min(units / estimateUnitsPerDeadlineUnit, double{ProcessorDeadline::unitsPerReading}) : 0;
    return checkDeadline(ProcessorDeadline::unitsPerItem + static_cast<int>(counted));
}

bool WorkBudget::take(double units) {
    // A cost that is not a number (an estimate over absurd geometry) never fits.
    if (checkDeadlineFor(units) || !(used_ + units <= limit_)) {
        spent_ = true;
        return false;
    }
    used_ += std::max(0.0, units);
    return true;
}

void WorkBudget::charge(double units) {
    checkDeadlineFor(units);
    if (!(units > 0)) return;
    used_ += units;
    if (!(used_ <= limit_)) spent_ = true;
}

}  // namespace platform::graphics
