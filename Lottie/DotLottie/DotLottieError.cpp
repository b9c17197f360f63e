#include "Lottie/DotLottie/DotLottieError.h"

#include "Lottie/DotLottie/Zip/PrintableText.h"

namespace lottie {

namespace {

// Names are shown quoted, with control characters (a NUL above all) spelled out
// so that the message stays one readable line.
std::string shownName(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || c == '"' || c == '\\') {
            appendEscaped(out, byte);
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace

DotLottieError::DotLottieError(Kind kind, std::string name, std::optional<platform::foundation::Bundle> bundle,
                               std::string message)
    : kind_(kind), name_(std::move(name)), bundle_(std::move(bundle)), message_(std::move(message)) {}

DotLottieError DotLottieError::assetNotFound(std::string name, std::optional<platform::foundation::Bundle> bundle) {
    std::string message = "assetNotFound(name: \"" + name + "\", bundle: ";
    message += bundle ? "\"" + bundle->bundlePath().string() + "\")" : std::string("nil)");
    return DotLottieError(Kind::assetNotFound, std::move(name), std::move(bundle), std::move(message));
}

DotLottieError DotLottieError::noDataLoaded() { return DotLottieError(Kind::noDataLoaded, {}, {}, "noDataLoaded"); }

DotLottieError DotLottieError::loadingFromAssetNotSupported() {
    return DotLottieError(Kind::loadingFromAssetNotSupported, {}, {}, "loadingFromAssetNotSupported");
}

DotLottieError DotLottieError::invalidFileFormat() {
    return DotLottieError(Kind::invalidFileFormat, {}, {}, "invalidFileFormat");
}

DotLottieError DotLottieError::invalidData() { return DotLottieError(Kind::invalidData, {}, {}, "invalidData"); }

DotLottieError DotLottieError::animationNotAvailable(std::optional<std::string> id) {
    std::string message = id ? "animationNotAvailable(id: " + shownName(*id) + ")"
                             : std::string("animationNotAvailable: the package has no animation");
    return DotLottieError(Kind::animationNotAvailable, id.value_or(""), {}, std::move(message));
}

DotLottieError DotLottieError::invalidFileName(std::string filename) {
    std::string message = "invalidFileName(" + shownName(filename) + "): a package's file name must end in a name";
    return DotLottieError(Kind::invalidFileName, std::move(filename), {}, std::move(message));
}

DotLottieError DotLottieError::invalidAnimationId(std::string id) {
    std::string message = "invalidAnimationId(" + shownName(id) + "): an animation id must be one plain file name";
    return DotLottieError(Kind::invalidAnimationId, std::move(id), {}, std::move(message));
}

}  // namespace lottie
