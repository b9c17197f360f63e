// Writes the viewer's Acknowledgements.pdf: the copyright notices and licences
// of every library the viewer links, as their Debian packages give them, and
// the common licence texts those notices refer to. Run by the build:
//
//     pellor-acknowledgements <Libraries.txt> <output.pdf> [<doc folder> [<common-licenses folder>]]
#include <exception>
#include <iostream>

#include "tools/acknowledgements/AcknowledgedLibrary.h"
#include "tools/acknowledgements/PdfTypesetter.h"

using namespace acknowledgements;

namespace {

std::string packageList(const AcknowledgedLibrary& library) {
    std::string list;
    for (const std::string& package : library.packages) list += (list.empty() ? "" : ", ") + package;
    return list;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: " << argv[0] << " <library list> <output.pdf> [<doc folder> [<common-licenses folder>]]\n";
        return 2;
    }
    try {
        const auto libraries = readLibraryList(argv[1], argc > 3 ? argv[3] : "/usr/share/doc");
        const auto licences = referencedCommonLicences(libraries, argc > 4 ? argv[4] : "/usr/share/common-licenses");

        PdfTypesetter pdf(argv[2], "Pellor: Acknowledgements");
        pdf.heading("Acknowledgements");
        pdf.paragraph("Pellor is built on the following libraries. Their copyright notices and licences follow, "
                      "as the Debian packages that ship them give them, and after them the full texts of the "
                      "common licences those notices refer to.");
        for (const auto& library : libraries) pdf.paragraph(library.name + " (" + packageList(library) + ")");
        for (const auto& library : libraries) {
            pdf.newPage();
            pdf.heading(library.name);
            pdf.paragraph("Debian packages: " + packageList(library));
            pdf.preformatted(library.licenceText);
        }
        for (const auto& [name, text] : licences) {
            pdf.newPage();
            pdf.heading("Licence text: " + name);
            pdf.preformatted(text);
        }
        pdf.finish();
    } catch (const std::exception& error) {
        std::cerr << argv[0] << ": " << error.what() << "\n";
        return 1;
    }
    return 0;
}
