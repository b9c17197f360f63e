#pragma once
// The colour profile a PNG or JPEG file embeds, read by our own walk over the
// file's chunks or markers up to its image data, each passed over by its
// stated length, so that the image library is asked to keep none of them:
// libpng inflates every iCCP chunk it meets, up to 8 MB apiece, and libjpeg,
// asked to keep the APP2 markers, holds every one the file has (hundreds of
// megabytes of them when they are not a profile). A file may hold one
// profile: only the first iCCP chunk is read, and an APP2 marker is kept
// only as a piece of the profile. No more of a profile is read than
// `limit` bytes; a longer one comes out that long. A PNG's compressed profile
// is inflated in slices that read the calling thread's deadline
// (ProcessorDeadline), and no further than a quarter past what it has
// written and a slice: a stream may hold any number of empty blocks, which
// take input and write nothing. Used by ImageDecoder; stateless.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace platform::graphics {

class EmbeddedProfile {
public:
    // What ofPNG finds: the profile, or why the profile the file has is not
    // read, or that the deadline passed while it was inflated.
    struct Inflated {
        std::vector<std::uint8_t> bytes;
        // Words that follow "is not used, as"; empty when it is read.
        std::string refusal;
        bool late = false;
    };

    // The profile of the first iCCP chunk before the image data; empty when
    // there is none or it is damaged (its checksum, its name, its compressed
    // data).
    static Inflated ofPNG(std::span<const std::uint8_t> file, std::size_t limit);
    // The profile the APP2 markers before the first scan hold, in numbered
    // pieces; empty when there is none or its pieces do not fit together
    // (one missing or given twice, their counts differing).
    static std::vector<std::uint8_t> ofJPEG(std::span<const std::uint8_t> file, std::size_t limit);
};

}  // namespace platform::graphics
