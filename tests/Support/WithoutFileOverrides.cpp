#include "tests/Support/WithoutFileOverrides.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <thread>

namespace testsupport {

void runWithoutFileOverrides(const std::function<void()>& body) {
    std::thread worker([&body] {
        // Capabilities belong to each thread, so only this one loses them.
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        if (::syscall(SYS_capget, &header, data) == 0) {
            for (int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER}) {
                data[capability / 32].effective &= ~(1u << (capability % 32));
            }
            ::syscall(SYS_capset, &header, data);
        }
        body();
    });
    worker.join();
}

}  // namespace testsupport
