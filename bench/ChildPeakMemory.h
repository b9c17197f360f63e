#pragma once
// Peak resident memory of work done in a fresh process: the benchmark program
// runs itself again with the given arguments and reads the child's peak from
// wait4. Peak resident memory is kept per process, so this is how two
// renderers' peaks are told apart within one run. Used by the peer benchmark.
//
// The kernel counts into a child's peak what the parent had resident when it
// forked, until the child replaces its image; keep the parent small when
// calling, and compare with parentPeakKilobytes() to see that it was.

#include <optional>
#include <string>
#include <vector>

namespace peersbench {

// The child's peak resident memory in KiB, or nothing when it could not be
// started, ended on a signal or exited with a status other than 0.
std::optional<long> childPeakKilobytes(const std::vector<std::string>& arguments);

// What the child wrote to its standard output, for figures that it measures
// itself; nothing on the same failures as above.
std::optional<std::string> childOutput(const std::vector<std::string>& arguments);

// What this process has resident now, in KiB.
long residentKilobytes();

// This process's own peak resident memory in KiB so far.
long parentPeakKilobytes();

}  // namespace peersbench
