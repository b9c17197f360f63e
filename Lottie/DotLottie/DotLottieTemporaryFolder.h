#pragma once
// The private folder one package load unpacks into: made with a fresh,
// unpredictable name under a chosen folder (the system's temporary folder by
// default), readable by this user alone, and removed with everything in it when
// the load ends, whether it succeeded or failed. Two loads at once never share
// one, whatever their packages are called. Owned by the load, on its thread.
//
// A process killed during a load cannot remove its folder, so each new folder
// first clears away the leftovers of processes that are gone: the name carries
// the process id ("dotlottie-<pid>-XXXXXX"), and a folder of that form is
// removed only when it belongs to this user, has not changed for a day and its
// process no longer runs. A live process's folder is never touched.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>

namespace lottie {

class DotLottieTemporaryFolder {
public:
    // Leftovers younger than this are kept even when their process seems gone.
    static constexpr std::chrono::hours leftoverAge{24};

    // What a removal could not remove: how many items stayed and the first of them.
    struct Removal {
        std::size_t itemsLeft = 0;
        std::filesystem::path firstLeft;
        std::string reason;
        bool complete() const { return itemsLeft == 0; }
    };

    // Throws std::filesystem::filesystem_error when the folder cannot be made.
    explicit DotLottieTemporaryFolder(const std::filesystem::path& parent);
    // Removes the folder and its contents; what cannot be removed is logged as a
    // warning and left, as nothing more could be done on the way out of a load.
    ~DotLottieTemporaryFolder();
    DotLottieTemporaryFolder(const DotLottieTemporaryFolder&) = delete;
    DotLottieTemporaryFolder& operator=(const DotLottieTemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Removes `root` and all it holds without following links, making each of its
    // directories writable and searchable first, as an archive may have made
    // them read-only. Goes on past what it cannot remove and reports it.
    static Removal removeTree(const std::filesystem::path& root);
    // Removes the folders under `parent` that loads of processes now gone left
    // behind (see above).
    static void removeLeftovers(const std::filesystem::path& parent);

private:
    std::filesystem::path path_;
};

}  // namespace lottie
