#pragma once
// The private folder one package load unpacks into: made with a fresh,
// unpredictable name under a chosen folder (the system's temporary folder by
// default), readable by this user alone, and removed with everything in it when
// the load ends, whether it succeeded or failed. Two loads at once never share
// one, whatever their packages are called. Owned by the load, on its thread.

#include <filesystem>

namespace lottie {

class DotLottieTemporaryFolder {
public:
    // Throws std::filesystem::filesystem_error when the folder cannot be made.
    explicit DotLottieTemporaryFolder(const std::filesystem::path& parent);
    // Removes the folder and its contents; a failure to remove is ignored, as
    // nothing could be done about it on the way out of a load.
    ~DotLottieTemporaryFolder();
    DotLottieTemporaryFolder(const DotLottieTemporaryFolder&) = delete;
    DotLottieTemporaryFolder& operator=(const DotLottieTemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace lottie
