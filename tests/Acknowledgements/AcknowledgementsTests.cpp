// The acknowledgements document made by the build, and the reading of the
// licence files it is made from.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "tests/Support/TestSupport.h"
#include "tools/acknowledgements/AcknowledgedLibrary.h"

namespace acknowledgements {
namespace {

namespace fs = std::filesystem;

// The standard output of a shell command that succeeded; none otherwise.
std::optional<std::string> output(const std::string& command) {
    FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string text;
    std::array<char, 4096> buffer;
    while (std::size_t count = std::fread(buffer.data(), 1, buffer.size(), pipe)) text.append(buffer.data(), count);
    return ::pclose(pipe) == 0 ? std::optional(text) : std::nullopt;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// The libraries a program names itself (not those they bring along), by soname.
std::vector<std::string> neededLibraries(const std::string& program) {
    std::vector<std::string> needed;
    for (const std::string& line : linesOf(output("readelf -d '" + program + "'").value_or(""))) {
        const auto open = line.find("Shared library: [");
        if (open != std::string::npos) needed.push_back(line.substr(open + 17, line.find(']', open) - open - 17));
    }
    return needed;
}

// Where the dynamic linker finds each library of a program, by soname.
std::map<std::string, std::string> resolvedLibraries(const std::string& program) {
    std::map<std::string, std::string> paths;
    for (const std::string& line : linesOf(output("ldd '" + program + "'").value_or(""))) {
        const auto arrow = line.find(" => ");
        if (arrow == std::string::npos) continue;
        const std::string name = line.substr(line.find_first_not_of(" \t"), arrow - line.find_first_not_of(" \t"));
        paths[name] = line.substr(arrow + 4, line.find(" (", arrow) - arrow - 4);
    }
    return paths;
}

// The Debian package that installed a file, without its architecture.
std::optional<std::string> owningPackage(const std::string& path) {
    std::vector<std::string> candidates{path, fs::weakly_canonical(path).string()};
    for (const std::string& candidate : std::vector(candidates)) {
        if (candidate.rfind("/usr/", 0) == 0) candidates.push_back(candidate.substr(4));
        else candidates.push_back("/usr" + candidate);
    }
    for (const std::string& candidate : candidates) {
        if (const auto found = output("dpkg-query -S '" + candidate + "'")) {
            const std::string package = found->substr(0, found->find(':'));
            return package.substr(0, package.find(','));
        }
    }
    return std::nullopt;
}

// The sanitizer build's runtimes are linked into every program of that build
// only; no viewer that is shipped carries them.
bool isSanitizerRuntime(const std::string& soname) {
    for (const char* runtime : {"libasan.", "libubsan.", "liblsan.", "libtsan."}) {
        if (soname.rfind(runtime, 0) == 0) return true;
    }
    return false;
}

TEST(Acknowledgements, TheBuildMakesAValidPdf) {
    const fs::path pdf = PELLOR_ACKNOWLEDGEMENTS_PDF;
    ASSERT_TRUE(fs::exists(pdf)) << pdf;
    const std::string bytes = testsupport::readFile(pdf);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    EXPECT_NE(bytes.find("%%EOF", bytes.size() - 16), std::string::npos);
    const auto info = output("pdfinfo '" + pdf.string() + "'");
    ASSERT_TRUE(info.has_value()) << "pdfinfo refuses the document (poppler-utils comes with scripts/setup)";
    EXPECT_NE(info->find("Pellor: Acknowledgements"), std::string::npos);
    const auto pages = info->find("Pages:");
    ASSERT_NE(pages, std::string::npos);
    EXPECT_GT(std::stoi(info->substr(pages + 6)), 20);
}

TEST(Acknowledgements, NameEveryLibraryTheViewerLinks) {
    if (!output("dpkg-query --version")) GTEST_SKIP() << "no dpkg here to say which package ships a library";
    const auto text = output(std::string("pdftotext -layout '") + PELLOR_ACKNOWLEDGEMENTS_PDF + "' -");
    ASSERT_TRUE(text.has_value()) << "pdftotext cannot read the document";
    std::set<std::string> checked;
    std::istringstream programs(PELLOR_LINKED_PROGRAMS);
    for (std::string program; std::getline(programs, program, '|');) {
        if (program.empty()) continue;
        const auto paths = resolvedLibraries(program);
        const auto needed = neededLibraries(program);
        EXPECT_FALSE(needed.empty()) << program;
        for (const std::string& library : needed) {
            if (isSanitizerRuntime(library)) continue;
            const auto path = paths.find(library);
            ASSERT_NE(path, paths.end()) << library << " of " << program << " is not found";
            const auto package = owningPackage(path->second);
            ASSERT_TRUE(package.has_value()) << "no package ships " << path->second;
            EXPECT_NE(text->find(*package), std::string::npos)
                << library << " (" << *package << ") is missing from tools/acknowledgements/Libraries.txt";
            checked.insert(*package);
        }
    }
    // The Qt widgets and the drawing library at least are among them.
    EXPECT_TRUE(checked.count("libqt6widgets6") && checked.count("libcairo2")) << checked.size();
}

class LicenceFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder.path() / "doc/liba");
        fs::create_directories(folder.path() / "doc/libb");
        fs::create_directories(folder.path() / "licences");
        testsupport::writeFile(folder.path() / "doc/liba/copyright",
                               "A, see /usr/share/common-licenses/GPL and /usr/share/common-licenses/LGPL-2.1.\n");
        testsupport::writeFile(folder.path() / "doc/libb/copyright",
                               "B: /usr/share/common-licenses/GPL-3 or /usr/share/common-licenses/Nowhere-1.0\n");
        testsupport::writeFile(folder.path() / "licences/GPL-3", "the GPL text");
        testsupport::writeFile(folder.path() / "licences/LGPL-2.1", "the LGPL text");
        fs::create_symlink("GPL-3", folder.path() / "licences/GPL");
    }

    std::vector<AcknowledgedLibrary> read(const std::string& list) {
        testsupport::writeFile(folder.path() / "list.txt", list);
        return readLibraryList(folder.path() / "list.txt", folder.path() / "doc");
    }

    testsupport::TemporaryDirectory folder;
};

TEST_F(LicenceFilesTest, ReadsEachLibrarysNoticeAndTheCommonLicencesItRefersToOnce) {
    const auto libraries = read("# a comment\nLibrary A|liba|liba-extra\n\nLibrary B|libb\n");
    ASSERT_EQ(libraries.size(), 2u);
    EXPECT_EQ(libraries[0].name, "Library A");
    EXPECT_EQ(libraries[0].packages, (std::vector<std::string>{"liba", "liba-extra"}));
    EXPECT_EQ(libraries[1].licenceText.substr(0, 2), "B:");
    const auto licences = referencedCommonLicences(libraries, folder.path() / "licences");
    ASSERT_EQ(licences.size(), 2u);
    EXPECT_EQ(licences[0], std::make_pair(std::string("GPL-3"), std::string("the GPL text")));
    EXPECT_EQ(licences[1], std::make_pair(std::string("LGPL-2.1"), std::string("the LGPL text")));
}

TEST_F(LicenceFilesTest, RefusesAListItCannotHonour) {
    for (const char* list : {"Library C|libc\n", "Library A\n", "|liba\n", "Library A|\n"}) {
        EXPECT_THROW(read(list), std::runtime_error) << list;
    }
}

}  // namespace
}  // namespace acknowledgements
