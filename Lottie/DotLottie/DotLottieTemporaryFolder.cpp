#include "Lottie/DotLottie/DotLottieTemporaryFolder.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

namespace lottie {

DotLottieTemporaryFolder::DotLottieTemporaryFolder(const std::filesystem::path& parent) {
    std::string pattern = (parent / "dotlottie-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    // mkdtemp makes the folder with mode 0700 under a name no one could have
    // guessed or prepared beforehand.
    if (!::mkdtemp(buffer.data())) {
        throw std::filesystem::filesystem_error("cannot make a private folder to unpack the package in", parent,
                                                std::error_code(errno, std::generic_category()));
    }
    path_ = buffer.data();
}

DotLottieTemporaryFolder::~DotLottieTemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace lottie
