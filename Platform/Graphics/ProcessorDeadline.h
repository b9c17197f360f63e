#pragma once
// A limit on the processor time that one piece of work may take, counted on
// every thread that works for it: a frame's drawing (its drawing thread, and
// the coverage workers while they run its jobs) or an engine's set-up of a
// document. It backs up the estimates of what work costs (WorkBudget, the
// build weights), which cut the same work at the same point every time:
// where an estimate misses a cost, the deadline still ends the work, at
// whatever point its time ran out.
//
// A thread's time counts toward the deadline it works for: the owner of the
// work makes it count with a Scope, and a coverage worker counts toward the
// deadline of the job it runs (countToward). Reading the clock (the installed
// ProcessorClock) costs some hundreds of nanoseconds, so a thread reads it
// only once its checks have counted `unitsPerReading` units of work since
// its last reading (a span or a keyframe value one unit, a drawing or a
// layer `unitsPerItem`), and when it stops counting toward the deadline. The
// time of all threads adds up in the deadline, and once it passes, every
// thread sees so at its next check.
//
// A deadline may be a share of a longer one that several pieces of work
// share (OpeningDeadline: the phases of opening a document): the time it
// counts counts toward that one too, and it passes as well once that one has
// counted the share's limit, the message naming the longer deadline then.
//
// Made by the owner of the work and shared (std::shared_ptr) with the jobs
// working for it; thread-safe.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "Platform/Graphics/ProcessorClock.h"

namespace platform::graphics {

class ProcessorDeadline {
public:
    // Units of work counted between two readings of the clock: some tens to
    // hundreds of microseconds of spans or keyframe values.
    static constexpr int unitsPerReading = 4096;
    // What a drawing, a layer drawn or built, counts.
    static constexpr int unitsPerItem = 64;

    // A deadline of `seconds` of processor time, read from the clock
    // installed now.
    explicit ProcessorDeadline(double seconds);
    // A share of `within`: passes after `seconds` of its own, or once
    // `within` has counted `withinSeconds` in all (its own time counted there
    // too). `passedWithin` ends the message of a share that passed that way:
    // "2 s of processor time for opening the animation, run out in its set-up".
    ProcessorDeadline(double seconds, std::shared_ptr<ProcessorDeadline> within, double withinSeconds,
                      std::string passedWithin);
    ProcessorDeadline(const ProcessorDeadline&) = delete;
    ProcessorDeadline& operator=(const ProcessorDeadline&) = delete;

    double seconds() const { return seconds_; }
    // The time counted so far: each thread's up to its last reading.
    double spent() const;
    bool hasPassed() const {
        return passed_.load(std::memory_order_relaxed) || allPassed_.load(std::memory_order_relaxed);
    }
    // Counts `units` of work of the calling thread, when it counts toward this
    // deadline, and tells whether the deadline has passed. Inline: the
    // rasteriser checks with every row of spans.
    bool check(int units) {
        if (counting_ == this && (unitsLeft_ -= units) <= 0) read();
        return hasPassed();
    }

    // While one lives, the calling thread's time counts toward the deadline
    // (and toward none other); it counts toward the one before afterwards.
    class Scope {
    public:
        explicit Scope(std::shared_ptr<ProcessorDeadline> deadline);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        std::shared_ptr<ProcessorDeadline> outer_;
    };

    // The deadline the calling thread's time counts toward; null for none.
    static const std::shared_ptr<ProcessorDeadline>& current();
    // From now on the calling thread's time counts toward `deadline` (toward
    // none when null), what it counted before settled: for a thread that
    // works for one piece of work after another.
    static void countToward(const std::shared_ptr<ProcessorDeadline>& deadline);
    // check() on the thread's current deadline; false without one.
    static bool checkCurrent(int units) {
        ProcessorDeadline* deadline = counting_;
        return deadline != nullptr && deadline->check(units);
    }

    // Counts `seconds` of work done for this deadline's work before it was
    // made (worked out ahead, on another thread, under a deadline of its own).
    void charge(double seconds) { add(seconds); }

    // Makes every deadline, those made later too, pass at once: for a program
    // that quits, so that every thread working under one (a document's set-up,
    // its images' decoding) stops at its next check rather than finish work
    // that nobody will see. Not undone.
    static void passAll() { allPassed_.store(true, std::memory_order_relaxed); }

    // "1 s", "0.5 s": the deadline as its messages name it.
    static std::string describe(double seconds);
    // What a message says the deadline was: "1 s of processor time", or for
    // a share that passed by the deadline it is a share of, that deadline
    // and the phase it ran out in.
    std::string limitDescription() const;

private:
    // Reads the clock on the calling thread, which counts toward this
    // deadline, and adds what it used since its last reading.
    void read();
    void add(double seconds);

    // The calling thread's current deadline and the units it may still check
    // before it reads the clock: plain values, cheap to reach from any file
    // (the reference that keeps the deadline alive, and the last reading,
    // are kept apart in ProcessorDeadline.cpp).
    static inline thread_local ProcessorDeadline* counting_ = nullptr;
    static inline thread_local int unitsLeft_ = unitsPerReading;

    static inline std::atomic<bool> allPassed_{false};

    std::shared_ptr<ProcessorClock> clock_;
    double seconds_;
    std::int64_t nanoseconds_;
    std::atomic<std::int64_t> spentNanoseconds_;
    std::atomic<bool> passed_{false};
    std::shared_ptr<ProcessorDeadline> within_;
    std::int64_t withinNanoseconds_ = 0;
    std::string passedWithin_;
    std::atomic<bool> passedByWithin_{false};
};

}  // namespace platform::graphics
