#include "Lottie/DotLottie/Zip/EntryAttributes.h"

#include "Lottie/DotLottie/Zip/PrintableText.h"

#include <sys/stat.h>

#include <cerrno>

namespace lottie {

EntryAttributes EntryAttributes::of(const Entry& entry)
{
    const auto& central = entry.centralDirectoryStructure();
    EntryAttributes attributes;
    attributes.posixPermissions = permissions(central.externalFileAttributes, entry.hostSystem(), entry.type());
    attributes.modificationDate = dosDateTime(central.lastModFileDate, central.lastModFileTime);
    return attributes;
}

std::uint16_t EntryAttributes::permissions(std::uint32_t externalFileAttributes, std::uint8_t hostSystem,
                                           Entry::EntryType type)
{
    const std::uint16_t fallback =
        type == Entry::EntryType::directory ? defaultDirectoryPermissions : defaultFilePermissions;
    if (hostSystem != Entry::hostUnix && hostSystem != Entry::hostOSX) {
        return fallback;
    }
    // Set-user-ID, set-group-ID and sticky bits (07000) never come from an archive.
    const auto bits = static_cast<std::uint16_t>((externalFileAttributes >> 16) & 0777);
    return bits == 0 ? fallback : bits;
}

std::time_t EntryAttributes::dosDateTime(std::uint16_t dosDate, std::uint16_t dosTime)
{
    std::tm fields{};
    fields.tm_sec = (dosTime & 0x1F) * 2;
    fields.tm_min = (dosTime >> 5) & 0x3F;
    fields.tm_hour = (dosTime >> 11) & 0x1F;
    fields.tm_mday = dosDate & 0x1F;
    fields.tm_mon = ((dosDate >> 5) & 0x0F) - 1;
    fields.tm_year = ((dosDate >> 9) & 0x7F) + 80;
    return timegm(&fields);
}

void EntryAttributes::apply(int fd, const std::filesystem::path& path) const
{
    const timespec times[2] = {{0, UTIME_OMIT}, {modificationDate, 0}};
    if (fchmod(fd, posixPermissions) != 0 || futimens(fd, times) != 0) {
        throwFilesystemError("cannot set the attributes of an extracted item", path, errno);
    }
}

}  // namespace lottie
