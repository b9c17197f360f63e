#include "tests/EngineComparison/Support/EveryDocument.h"

#include <algorithm>
#include <exception>

#include "tests/Support/TestSupport.h"

namespace enginematrix {

std::vector<std::filesystem::path> everyDocument() {
    std::vector<std::filesystem::path> documents;
    const auto own = testsupport::sourceDirectory() / "tests" / "EngineComparison" / "documents";
    const auto examples = testsupport::sourceDirectory() / "examples";
    for (const auto& folder : {own, examples}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().extension() == ".json") documents.push_back(entry.path());
        }
    }
    for (const char* extension : {".json", ".lottie"}) {
        for (const auto& file : testsupport::corpusFiles(extension)) documents.push_back(file);
        for (const auto& file : testsupport::realworldFiles(extension)) documents.push_back(file);
    }
    std::sort(documents.begin(), documents.end());
    return documents;
}

std::string displayName(const std::filesystem::path& file) {
    const auto source = std::filesystem::relative(file, testsupport::sourceDirectory());
    if (!source.empty() && *source.begin() != "..") return source.string();
    const auto realWorld = std::filesystem::relative(file, testsupport::realworldDirectory());
    if (!realWorld.empty() && *realWorld.begin() != "..") return "realworld/" + realWorld.string();
    return "corpus/" + std::filesystem::relative(file, testsupport::corpusDirectory()).string();
}

std::optional<lottieframes::FramesDocument> loadedDocument(const std::filesystem::path& file) {
    try {
        lottieframes::FramesOptions options;
        options.file = file.string();
        return lottieframes::FramesDocument::load(options);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace enginematrix
