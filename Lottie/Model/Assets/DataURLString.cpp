#include "Lottie/Model/Assets/DataURLString.h"

#include "Platform/Foundation/Base64.h"
#include "Platform/Foundation/DataURL.h"

namespace lottie {

namespace {

bool isSpaceOrLineBreak(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpaceOrLineBreak(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpaceOrLineBreak(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<platform::foundation::Data> dataFromDataURLString(std::string_view text, DataURLFlags options) {
    if (!text.starts_with("data:")) return std::nullopt;
    const std::string_view url = trimmed(text);
    // The platform loader checks that the text is a well-formed URL and loads
    // it; nothing from it means the URL is unusable whichever way it is read.
    auto loaded = platform::foundation::decodeDataURL(url);
    if (!loaded) return std::nullopt;
    constexpr std::string_view marker = ";base64,";
    const auto found = url.find(marker);
    if (found == std::string_view::npos || options.contains(DataURLFlags::bypassBase64)) return loaded;
    return platform::foundation::decodeBase64(url.substr(found + marker.size()));
}

}  // namespace lottie
