#include "bench/ChildPeakMemory.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace peersbench {

std::optional<long> childPeakKilobytes(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    std::string program = "bench_peers";
    argv.push_back(program.data());
    std::vector<std::string> copies = arguments;
    for (auto& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    // Whatever is buffered would otherwise be lost with the child's image, or
    // written twice if exec failed.
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        execv("/proc/self/exe", argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return usage.ru_maxrss;
}

long parentPeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace peersbench
