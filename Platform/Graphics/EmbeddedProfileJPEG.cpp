// The JPEG half of EmbeddedProfile.

#include "Platform/Graphics/EmbeddedProfile.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace platform::graphics {

namespace {

constexpr std::uint8_t startOfScan = 0xda, endOfImage = 0xd9, app2 = 0xe2;
// "ICC_PROFILE", its zero, the piece's number and the count of pieces.
constexpr std::size_t pieceHeader = 14;

// Markers that stand alone, without a length: TEM, RST0-7 and SOI.
bool standsAlone(std::uint8_t marker) { return marker == 0x01 || (marker >= 0xd0 && marker <= 0xd8); }

}  // namespace

std::vector<std::uint8_t> EmbeddedProfile::ofJPEG(std::span<const std::uint8_t> file, std::size_t limit) {
    std::array<std::span<const std::uint8_t>, 256> pieces{};
    std::array<bool, 256> present{};
    int count = 0;
    std::size_t offset = 2;  // past SOI
    while (offset + 1 < file.size()) {
        if (file[offset] != 0xff) {  // stray bytes between markers, as libjpeg passes them over
            ++offset;
            continue;
        }
        const std::uint8_t marker = file[offset + 1];
        if (marker == 0xff) {  // fill
            ++offset;
            continue;
        }
        if (marker == startOfScan || marker == endOfImage) break;
        if (standsAlone(marker)) {
            offset += 2;
            continue;
        }
        if (offset + 4 > file.size()) break;
        const std::size_t length = std::size_t{file[offset + 2]} << 8 | file[offset + 3];
        if (length < 2 || offset + 2 + length > file.size()) break;
        const std::span<const std::uint8_t> payload = file.subspan(offset + 4, length - 2);
        offset += 2 + length;
        if (marker != app2 || payload.size() < pieceHeader || std::memcmp(payload.data(), "ICC_PROFILE", 12) != 0) {
            continue;
        }
        const int number = payload[12], pieceCount = payload[13];
        if (pieceCount == 0 || (count != 0 && pieceCount != count) || number == 0 || number > pieceCount ||
            present[number]) {
            return {};
        }
        count = pieceCount;
        present[number] = true;
        pieces[number] = payload.subspan(pieceHeader);
    }
    std::vector<std::uint8_t> profile;
    for (int number = 1; number <= count; ++number) {
        if (!present[number]) return {};
        const std::span<const std::uint8_t> piece = pieces[number];
        profile.insert(profile.end(), piece.begin(),
                       piece.begin() + static_cast<std::ptrdiff_t>(std::min(piece.size(), limit - profile.size())));
    }
    return profile;
}

}  // namespace platform::graphics
