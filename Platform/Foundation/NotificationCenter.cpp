#include "Platform/Foundation/NotificationCenter.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace platform::foundation {

namespace detail {

struct Observer {
    std::uint64_t id = 0;
    std::string name;
    NotificationCenter::Block block;

    // Guards the two fields below; `idle` is signalled whenever a call ends.
    std::mutex mutex;
    std::condition_variable idle;
    bool removed = false;
    // One entry per call in progress (a thread appears twice when a block re-enters
    // itself through a nested post).
    std::vector<std::thread::id> runningOn;
};

struct NotificationCenterState {
    mutable std::mutex mutex;
    std::vector<std::shared_ptr<Observer>> observers;
    std::uint64_t nextId = 1;
};

}  // namespace detail

namespace {

// How many observer blocks the current thread is inside, over every centre. A
// removal made from inside a block must not wait for other calls to end.
thread_local int deliveryDepth = 0;

// Marks one call of an observer as finished even when its block throws.
class RunningCall {
public:
    explicit RunningCall(detail::Observer& observer) : observer_(observer) { ++deliveryDepth; }
    ~RunningCall() {
        --deliveryDepth;
        {
            std::lock_guard lock(observer_.mutex);
            auto& running = observer_.runningOn;
            running.erase(std::find(running.begin(), running.end(), std::this_thread::get_id()));
        }
        observer_.idle.notify_all();
    }
    RunningCall(const RunningCall&) = delete;
    RunningCall& operator=(const RunningCall&) = delete;

private:
    detail::Observer& observer_;
};

}  // namespace

NotificationCenter::NotificationCenter() : state_(std::make_shared<detail::NotificationCenterState>()) {}

NotificationCenter::~NotificationCenter() = default;

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter* const centre = new NotificationCenter();
    return *centre;
}

ObserverToken NotificationCenter::addObserver(std::string name, Block block) {
    if (!block) {
        throw std::invalid_argument("NotificationCenter::addObserver: the observer block is empty");
    }
    auto observer = std::make_shared<detail::Observer>();
    observer->name = std::move(name);
    observer->block = std::move(block);
    std::lock_guard lock(state_->mutex);
    observer->id = state_->nextId++;
    state_->observers.push_back(observer);
    return ObserverToken(state_, observer->id);
}

void NotificationCenter::removeObserver(ObserverToken& token) {
    token.reset();
}

void NotificationCenter::remove(detail::NotificationCenterState& state, std::uint64_t id) {
    std::shared_ptr<detail::Observer> observer;
    {
        std::lock_guard lock(state.mutex);
        auto found = std::find_if(state.observers.begin(), state.observers.end(),
                                  [id](const auto& candidate) { return candidate->id == id; });
        if (found == state.observers.end()) {
            return;
        }
        observer = std::move(*found);
        state.observers.erase(found);
    }
    std::unique_lock lock(observer->mutex);
    observer->removed = true;
    if (deliveryDepth == 0) {
        // This thread runs no block, so every call still in progress is on another
        // thread and will end without needing anything from us.
        observer->idle.wait(lock, [&] { return observer->runningOn.empty(); });
    }
}

void NotificationCenter::post(std::string_view name) {
    std::vector<std::shared_ptr<detail::Observer>> matching;
    {
        std::lock_guard lock(state_->mutex);
        for (const auto& observer : state_->observers) {
            if (observer->name == name) {
                matching.push_back(observer);
            }
        }
    }
    if (matching.empty()) {
        return;
    }
    const Notification notification{std::string(name)};
    for (const auto& observer : matching) {
        {
            std::lock_guard lock(observer->mutex);
            if (observer->removed) {
                continue;
            }
            observer->runningOn.push_back(std::this_thread::get_id());
        }
        RunningCall call(*observer);
        observer->block(notification);
    }
}

std::size_t NotificationCenter::observerCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->observers.size();
}

}  // namespace platform::foundation
