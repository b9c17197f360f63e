#pragma once
// Small helpers shared by the test executables: where the corpus lives, a
// temporary folder that removes itself, and whole-file reads and writes.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// The read-only corpus of real animations beside the clone (empty path when absent).
std::filesystem::path corpusDirectory();

// The real-world documents kept beside the corpus (absent when that folder is).
std::filesystem::path realWorldDirectory();

// Every file under `root` with the given extension (".json", ".lottie"),
// sorted; none when `root` is no folder.
std::vector<std::filesystem::path> filesUnder(const std::filesystem::path& root, const std::string& extension);

// Every file under the corpus with the given extension (".json", ".lottie"), sorted.
std::vector<std::filesystem::path> corpusFiles(const std::string& extension);

// The repository's own folder (examples, test documents).
std::filesystem::path sourceDirectory();

std::string readFile(const std::filesystem::path& path);
// The PNG file with the size its header claims changed (and the header's checksum
// redone); its image data stays as it was.
std::string pngWithClaimedSize(std::string png, std::uint32_t width, std::uint32_t height);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

// A fresh folder under the system's temporary folder, removed with everything in it
// when the object goes away.
class TemporaryDirectory {
public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace testsupport
