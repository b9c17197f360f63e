#pragma once
// One entry of the acknowledgements: a library the viewer links, the Debian
// packages that ship it and the licence text of the first of them. Read from
// Libraries.txt by readLibraryList(); the program turns the list into the PDF.

#include <filesystem>
#include <string>
#include <vector>

namespace acknowledgements {

struct AcknowledgedLibrary {
    std::string name;
    std::vector<std::string> packages;
    std::string licenceText;
};

// The entries of a list file ("name|package|package..." a line; "#" starts a
// comment line), each with the copyright file of its first package under
// `documentation` (/usr/share/doc). Throws std::runtime_error naming what is
// missing: a build must not leave a licence out without saying so.
std::vector<AcknowledgedLibrary> readLibraryList(const std::filesystem::path& listFile,
                                                 const std::filesystem::path& documentation);

// The texts of /usr/share/common-licenses that the licence texts refer to, by
// name ("LGPL-3"), each once, in the order first referred to; names that are
// not files there are left out.
std::vector<std::pair<std::string, std::string>> referencedCommonLicences(
    const std::vector<AcknowledgedLibrary>& libraries, const std::filesystem::path& commonLicences);

}  // namespace acknowledgements
