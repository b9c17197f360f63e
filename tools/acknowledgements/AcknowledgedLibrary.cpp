#include "tools/acknowledgements/AcknowledgedLibrary.h"

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace acknowledgements {

namespace {

std::string readWhole(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = line.find('|', start);
        fields.push_back(line.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) return fields;
        start = bar + 1;
    }
}

// The licence names after each "/usr/share/common-licenses/" of a text, without
// the full stop of a sentence that ends there.
std::vector<std::string> commonLicenceReferences(const std::string& text) {
    static const std::string folder = "/usr/share/common-licenses/";
    std::vector<std::string> names;
    for (std::size_t at = text.find(folder); at != std::string::npos; at = text.find(folder, at + 1)) {
        std::size_t end = at + folder.size();
        while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '.' ||
                                     text[end] == '+' || text[end] == '-')) {
            ++end;
        }
        std::string name = text.substr(at + folder.size(), end - at - folder.size());
        while (!name.empty() && name.back() == '.') name.pop_back();
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

}  // namespace

std::vector<AcknowledgedLibrary> readLibraryList(const std::filesystem::path& listFile,
                                                 const std::filesystem::path& documentation) {
    std::istringstream lines(readWhole(listFile));
    std::vector<AcknowledgedLibrary> libraries;
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line.front() == '#') continue;
        std::vector<std::string> fields = fieldsOf(line);
        if (fields.size() < 2 || fields[0].empty() || fields[1].empty()) {
            throw std::runtime_error("not a library line in " + listFile.string() + ": " + line);
        }
        AcknowledgedLibrary library;
        library.name = fields[0];
        library.packages.assign(fields.begin() + 1, fields.end());
        library.licenceText = readWhole(documentation / library.packages.front() / "copyright");
        libraries.push_back(std::move(library));
    }
    return libraries;
}

std::vector<std::pair<std::string, std::string>> referencedCommonLicences(
    const std::vector<AcknowledgedLibrary>& libraries, const std::filesystem::path& commonLicences) {
    std::vector<std::pair<std::string, std::string>> licences;
    std::set<std::filesystem::path> seen;
    for (const auto& library : libraries) {
        for (const std::string& name : commonLicenceReferences(library.licenceText)) {
            const std::filesystem::path file = commonLicences / name;
            std::error_code error;
            // "GPL" is a link to the current version: each text once, by its own name.
            const std::filesystem::path target = std::filesystem::canonical(file, error);
            if (error || !std::filesystem::is_regular_file(target) || !seen.insert(target).second) continue;
            licences.emplace_back(target.filename().string(), readWhole(target));
        }
    }
    return licences;
}

}  // namespace acknowledgements
