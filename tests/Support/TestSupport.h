#pragma once
// Small helpers shared by the test executables: where the corpus lives, a
// temporary folder that removes itself, and whole-file reads and writes.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// The read-only corpus of real animations beside the clone (empty path when absent).
std::filesystem::path corpusDirectory();

// Every file under the corpus with the given extension (".json", ".lottie"), sorted.
std::vector<std::filesystem::path> corpusFiles(const std::string& extension);

// The read-only real-world documents kept apart from the corpus, a folder per
// source with its licence (empty path when absent). The tests that read every
// corpus document read these too, and name what they leave out of them.
std::filesystem::path realworldDirectory();

// Every file under the real-world documents with the given extension, sorted.
std::vector<std::filesystem::path> realworldFiles(const std::string& extension);

// The repository's own folder (examples, test documents).
std::filesystem::path sourceDirectory();

std::string readFile(const std::filesystem::path& path);
// The PNG file with the size its header claims changed (and the header's checksum
// redone); its image data stays as it was.
std::string pngWithClaimedSize(std::string png, std::uint32_t width, std::uint32_t height);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

// The processor time the calling thread has used, in seconds.
double threadProcessorSeconds();

// The process's resident memory now, and its peak since resetPeakResidentBytes()
// (or since it began), in bytes, from /proc/self/status. Resetting the peak
// needs Linux 4.0 or later: false when it could not be reset.
std::size_t residentBytes();
std::size_t peakResidentBytes();
bool resetPeakResidentBytes();

// How many bytes huge pages back in the memory mappings that overlap
// [begin, begin + bytes) (asking for huge pages splits a mapping), from
// /proc/self/smaps; nothing when the kernel offers no huge pages to a process
// that asks for them.
std::optional<std::size_t> hugePageBytesIn(const void* begin, std::size_t bytes);

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
