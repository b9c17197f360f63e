// The JPEG half of ImageDecoder. libjpeg reports fatal errors through a jump, so
// the library calls live in a function that holds nothing a jump could leak:
// what the decoding makes is kept by its caller. A profile the file embeds (in
// APP2 markers, split when long) converts the pixels to sRGB; it is put
// together by our own walk over the markers (EmbeddedProfile), and libjpeg keeps
// none.
//
// A progressive file is read whole, scan by scan, before its first row comes
// out: libjpeg's progress monitor, called for each row of blocks it reads,
// counts the scans and the deadline meanwhile, and ends the reading (by the
// same jump) past either.

#include <cstdio>  // jpeglib.h needs FILE declared first

#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

#include "Platform/Graphics/DecodedRows.h"
#include "Platform/Graphics/ImageColorProfile.h"
#include "Platform/Graphics/ImageDecoder.h"
#include "Platform/Graphics/EmbeddedProfile.h"
#include "Platform/Graphics/ProcessorDeadline.h"

namespace platform::graphics {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool truncated;
};

#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr J_COLOR_SPACE kOutputSpace = JCS_EXT_BGRA;
#else
constexpr J_COLOR_SPACE kOutputSpace = JCS_EXT_ARGB;
#endif

// What one decoding makes and finds, kept outside the function libjpeg jumps
// back to.
struct Decoding {
    std::function<bool(std::uint64_t, std::uint64_t)> admits;
    ColorConversionAllowance* conversions;
    std::optional<DecodedRows> rows;
    std::vector<std::uint8_t> profile;  // the embedded ICC profile, if any
    bool tooManyScans = false;
    bool late = false;

    // Room for the pixels and the conversion of the profile; false when memory
    // runs out.
    // Kept out of line: the function libjpeg jumps back to holds no objects of its own.
    [[gnu::noinline]] bool prepare(int width, int height, bool grey) noexcept {
        try {
            rows.emplace(width, height, DecodedRows::Layout::opaque);
            if (!rows->allocated()) return false;
            if (!profile.empty()) {
                rows->setProfile(ImageColorProfile::fromICC(
                    profile,
                    grey ? ImageColorProfile::Pixels::grey : ImageColorProfile::Pixels::colour, DecodedRows::profileLayout,
                    conversions));
            }
            return true;
        } catch (...) {
            return false;
        }
    }
};

struct ProgressMonitor {
    jpeg_progress_mgr base;
    Decoding* decoding;
    ErrorManager* errors;
    int units;  // what one call counts toward the deadline
};

[[noreturn]] void jumpOnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// libjpeg only warns about a file that ends early and fills the rest with grey;
// a truncated file must not pass for a whole image, so that warning is remembered.
void noteMessage(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) {
        reinterpret_cast<ErrorManager*>(info->err)->truncated = true;
    }
}

// Called for each row of blocks read and each row put out.
void monitorProgress(j_common_ptr common) {
    auto* monitor = reinterpret_cast<ProgressMonitor*>(common->progress);
    const auto* info = reinterpret_cast<j_decompress_ptr>(common);
    if (info->input_scan_number > ImageDecoder::maximumJPEGScanCount) {
        monitor->decoding->tooManyScans = true;
        std::longjmp(monitor->errors->jump, 1);
    }
    if (ProcessorDeadline::checkCurrent(monitor->units)) {
        monitor->decoding->late = true;
        std::longjmp(monitor->errors->jump, 1);
    }
}

bool decodeInto(const unsigned char* data, unsigned long size, Decoding* out) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    ProgressMonitor monitor;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jumpOnError;
    errors.base.emit_message = noteMessage;
    errors.truncated = false;
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || !out->admits(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    const bool grey = info.jpeg_color_space == JCS_GRAYSCALE;
    if (!out->prepare(static_cast<int>(info.image_width), static_cast<int>(info.image_height), grey)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    monitor.base.progress_monitor = monitorProgress;
    monitor.decoding = out;
    monitor.errors = &errors;
    monitor.units = 1 + static_cast<int>(info.image_width / 4);
    info.progress = &monitor.base;
    info.out_color_space = kOutputSpace;
    jpeg_start_decompress(&info);
    DecodedRows& rows = *out->rows;
    if (info.output_components != 4 || info.output_width != info.image_width ||
        info.output_height != info.image_height) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = rows.row(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
        if (rows.finishUpTo(static_cast<int>(info.output_scanline))) {
            out->late = true;
            jpeg_destroy_decompress(&info);
            return false;
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return !errors.truncated;
}

}  // namespace

std::shared_ptr<const Image> ImageDecoder::decodeJPEG(std::span<const std::uint8_t> bytes, const SizeCheck& mayDecode,
                                                      ColorConversionAllowance* conversions, std::string* refusal) {
    Decoding decoding;
    decoding.admits = [&mayDecode](std::uint64_t width, std::uint64_t height) {
        return admits(width, height, mayDecode);
    };
    decoding.conversions = conversions;
    // One byte past the bound tells a profile too large for it.
    decoding.profile = EmbeddedProfile::ofJPEG(bytes, ImageColorProfile::maximumProfileBytes + 1);
    const bool ok = decodeInto(bytes.data(), static_cast<unsigned long>(bytes.size()), &decoding);
    if (refusal && decoding.tooManyScans) {
        *refusal = "its JPEG data has more than " + std::to_string(maximumJPEGScanCount) + " scans";
    } else if (refusal && decoding.late) {
        *refusal = lateRefusal();
    }
    if (!ok) return nullptr;
    return std::move(*decoding.rows).image();
}

}  // namespace platform::graphics
