#pragma once
// Makes text that came from an archive (entry names, link targets and the paths
// built from them) safe to show in an error message: a name may carry control
// characters, and a terminal that prints a message would obey the escape
// sequences they form. Stateless.

#include <filesystem>
#include <string>
#include <string_view>

namespace lottie {

// The text with every control character spelled out as "\xNN": the C0 controls,
// DEL, and the C1 controls in their UTF-8 form (spelled as the two bytes). A
// backslash is doubled so that an escape can always be told from the text.
std::string printableText(std::string_view text);

// Appends the byte spelled out as "\xNN".
void appendEscaped(std::string& out, unsigned char byte);

// Throws a filesystem_error saying `what` of `path` with the error number
// `error`; the path, which holds names from the archive, is shown printable.
[[noreturn]] void throwFilesystemError(const std::string& what, const std::filesystem::path& path, int error);

}  // namespace lottie
