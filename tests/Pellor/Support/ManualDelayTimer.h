#pragma once
// A review-policy wait that the test fires by hand: it keeps every wait it is
// asked for, with its delay, and notes when the policy calls one off. Shared
// by the policy's tests and the viewer's.

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "Pellor/Review/ReviewDelayTimer.h"

namespace pellortest {

class ManualDelayTimer : public pellor::ReviewDelayTimer {
public:
    struct Wait {
        std::chrono::milliseconds delay;
        std::function<void()> fire;
        bool stopped = false;
    };

    std::function<void()> schedule(std::chrono::milliseconds delay, std::function<void()> fire) override {
        waits.push_back(std::make_shared<Wait>(Wait{delay, std::move(fire)}));
        return [wait = waits.back()] { wait->stopped = true; };
    }

    std::vector<std::shared_ptr<Wait>> waits;
};

}  // namespace pellortest
