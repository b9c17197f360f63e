#include "Platform/Graphics/WorkBudget.h"

#include <cmath>

namespace platform::graphics {

namespace {

thread_local WorkBudget* activeBudget = nullptr;

}  // namespace

WorkBudget::WorkBudget(double units) : limit_(std::isfinite(units) && units > 0 ? units : 0) {}

WorkBudget* WorkBudget::active() { return activeBudget; }

WorkBudget::Activation::Activation(WorkBudget& budget) : outer_(activeBudget) { activeBudget = &budget; }

WorkBudget::Activation::~Activation() { activeBudget = outer_; }

bool WorkBudget::take(double units) {
    // A cost that is not a number (an estimate over absurd geometry) never fits.
    if (spent_ || !(used_ + units <= limit_)) {
        spent_ = true;
        return false;
    }
    used_ += std::max(0.0, units);
    return true;
}

void WorkBudget::charge(double units) {
    if (!(units > 0)) return;
    used_ += units;
    if (!(used_ <= limit_)) spent_ = true;
}

}  // namespace platform::graphics
