#include "Lottie/DotLottie/Zip/PrintableText.h"

#include <system_error>

namespace lottie {

void appendEscaped(std::string& out, unsigned char byte)
{
    static const char* const digits = "0123456789abcdef";
    out += "\\x";
    out += digits[byte >> 4];
    out += digits[byte & 0xf];
}

std::string printableText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool c1 = byte == 0xc2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80
            && static_cast<unsigned char>(text[i + 1]) <= 0x9f;
        if (c1) {
            appendEscaped(out, byte);
            appendEscaped(out, static_cast<unsigned char>(text[++i]));
        } else if (byte < 0x20 || byte == 0x7f) {
            appendEscaped(out, byte);
        } else if (byte == '\\') {
            out += "\\\\";
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

void throwFilesystemError(const std::string& what, const std::filesystem::path& path, int error)
{
    throw std::filesystem::filesystem_error(what, std::filesystem::path(printableText(path.string())),
                                            std::error_code(error, std::generic_category()));
}

}  // namespace lottie
