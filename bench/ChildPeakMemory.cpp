#include "bench/ChildPeakMemory.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

namespace peersbench {

namespace {

struct ChildRun {
    long peakKilobytes = 0;
    std::string output;
};

// Runs the program again with the arguments; with `captureOutput`, the child's
// standard output comes back through a pipe instead of going to the terminal.
std::optional<ChildRun> runChild(const std::vector<std::string>& arguments, bool captureOutput) {
    std::vector<char*> argv;
    std::string program = "bench_peers";
    argv.push_back(program.data());
    std::vector<std::string> copies = arguments;
    for (auto& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    int pipeEnds[2] = {-1, -1};
    if (captureOutput && pipe(pipeEnds) != 0) return std::nullopt;
    // Whatever is buffered would otherwise be lost with the child's image, or
    // written twice if exec failed.
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) {
        if (captureOutput) {
            close(pipeEnds[0]);
            close(pipeEnds[1]);
        }
        return std::nullopt;
    }
    if (child == 0) {
        if (captureOutput) {
            dup2(pipeEnds[1], STDOUT_FILENO);
            close(pipeEnds[0]);
            close(pipeEnds[1]);
        }
        execv("/proc/self/exe", argv.data());
        _exit(127);
    }
    ChildRun run;
    if (captureOutput) {
        // Read to the end before waiting, so that a child with much to say
        // never blocks on a full pipe.
        close(pipeEnds[1]);
        char buffer[4096];
        ssize_t count = 0;
        while ((count = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
            run.output.append(buffer, static_cast<std::size_t>(count));
        }
        close(pipeEnds[0]);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    run.peakKilobytes = usage.ru_maxrss;
    return run;
}

}  // namespace

std::optional<long> childPeakKilobytes(const std::vector<std::string>& arguments) {
    const auto run = runChild(arguments, false);
    if (!run) return std::nullopt;
    return run->peakKilobytes;
}

std::optional<std::string> childOutput(const std::vector<std::string>& arguments) {
    auto run = runChild(arguments, true);
    if (!run) return std::nullopt;
    return std::move(run->output);
}

long residentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long parentPeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace peersbench
