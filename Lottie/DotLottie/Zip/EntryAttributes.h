#pragma once
// The permissions and modification date an extracted item receives, from the
// entry's host system, external attributes and MS-DOS date and time. Only the
// read, write and execute bits are ever granted: set-user-ID, set-group-ID and
// sticky bits in an archive are dropped.

#include "Lottie/DotLottie/Zip/Entry.h"

#include <cstdint>
#include <ctime>
#include <filesystem>

namespace lottie {

struct EntryAttributes {
    static constexpr std::uint16_t defaultDirectoryPermissions = 0755;
    static constexpr std::uint16_t defaultFilePermissions = 0644;

    std::uint16_t posixPermissions = defaultFilePermissions;
    std::time_t modificationDate = 0;

    static EntryAttributes of(const Entry& entry);
    static std::uint16_t permissions(std::uint32_t externalFileAttributes, std::uint8_t hostSystem,
                                     Entry::EntryType type);
    // The MS-DOS date and time read as UTC; out-of-range fields are normalised.
    static std::time_t dosDateTime(std::uint16_t dosDate, std::uint16_t dosTime);

    // Sets the permissions and modification date of the open item `fd`; `path`
    // only names it in the error. Throws std::filesystem::filesystem_error.
    void apply(int fd, const std::filesystem::path& path) const;

    bool operator==(const EntryAttributes&) const = default;
};

}  // namespace lottie
