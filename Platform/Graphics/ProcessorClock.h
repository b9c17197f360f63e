#pragma once
// The processor time a thread has used: what the deadlines of drawing and of
// setting a document up (ProcessorDeadline) are measured in, so that a machine
// busy with other work neither cuts a frame sooner nor lets it run longer. The
// process has one installed clock, replaceable: the system's clock of each
// thread's processor time by default (a reading costs some hundreds of
// nanoseconds; in a sanitizer's instrumented build, scaled down to what the
// ordinary build would take), or a clock of a test's own, which decides what
// each reading says. Readings are made on any thread; a deadline keeps the clock installed
// when it was made, so installing one (for the main thread, between drawings)
// changes only the deadlines made after it.

#include <memory>

namespace platform::graphics {

class ProcessorClock {
public:
    virtual ~ProcessorClock() = default;

    // Seconds of processor time the calling thread has used, from an origin
    // that stays fixed for the thread.
    virtual double threadSeconds() const = 0;

    static std::shared_ptr<ProcessorClock> installed();
    // Installs a clock; null goes back to the system's.
    static void install(std::shared_ptr<ProcessorClock> clock);
};

}  // namespace platform::graphics
