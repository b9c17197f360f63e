#include "tests/Support/TestSupport.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <time.h>
#include <unistd.h>

namespace testsupport {

namespace {

std::uint32_t crc32(const std::uint8_t* data, std::size_t length) {
    std::uint32_t crc = 0xffffffffu;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void putBigEndian(std::string& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<char>((value >> (8 * (3 - i))) & 0xff);
    }
}

// The folder the environment variable names, or the one the build was configured with.
std::filesystem::path folderFromEnvironment(const char* variable, const char* configured) {
    if (const char* value = std::getenv(variable); value && *value) return value;
    return configured;
}

// Every file below `root` with the extension, sorted; none when `root` is no folder.
std::vector<std::filesystem::path> filesBelow(const std::filesystem::path& root, const std::string& extension) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    if (root.empty() || !std::filesystem::is_directory(root, error)) {
        return files;
    }
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (error) break;
        if (it->is_regular_file() && it->path().extension() == extension) {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

std::string pngWithClaimedSize(std::string png, std::uint32_t width, std::uint32_t height) {
    putBigEndian(png, 16, width);  // IHDR data starts at 16
    putBigEndian(png, 20, height);
    putBigEndian(png, 29, crc32(reinterpret_cast<const std::uint8_t*>(png.data()) + 12, 17));
    return png;
}

std::filesystem::path corpusDirectory() { return folderFromEnvironment("PELLOR_CORPUS_DIR", PELLOR_CORPUS_DIR); }

std::vector<std::filesystem::path> corpusFiles(const std::string& extension) {
    return filesBelow(corpusDirectory(), extension);
}

std::filesystem::path realworldDirectory() {
    return folderFromEnvironment("PELLOR_REALWORLD_DIR", PELLOR_REALWORLD_DIR);
}

std::vector<std::filesystem::path> realworldFiles(const std::string& extension) {
    return filesBelow(realworldDirectory(), extension);
}

std::filesystem::path sourceDirectory() { return PELLOR_SOURCE_DIR; }

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path.string());
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TemporaryDirectory::TemporaryDirectory() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    auto name = "pellor-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
                std::to_string(random());
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(path_);
}

TemporaryDirectory::~TemporaryDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

double threadProcessorSeconds() {
    timespec time{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) / 1e9;
}

namespace {

// A "Vm..." line of /proc/self/status, in bytes; 0 when it is missing.
std::size_t statusBytes(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (!line.starts_with(name + ":")) continue;
        std::istringstream value(line.substr(name.size() + 1));
        std::size_t kilobytes = 0;
        value >> kilobytes;
        return kilobytes * 1024;
    }
    return 0;
}

}  // namespace

std::size_t residentBytes() { return statusBytes("VmRSS"); }

std::size_t peakResidentBytes() { return statusBytes("VmHWM"); }

bool resetPeakResidentBytes() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

std::optional<std::size_t> hugePageBytesIn(const void* begin, std::size_t bytes) {
    std::ifstream enabled("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string modes;
    if (!std::getline(enabled, modes) || modes.find("[never]") != std::string::npos) return std::nullopt;
    const auto first = reinterpret_cast<std::uintptr_t>(begin);
    const std::uintptr_t last = first + bytes;
    std::ifstream smaps("/proc/self/smaps");
    bool inside = false;
    std::size_t total = 0;
    for (std::string line; std::getline(smaps, line);) {
        // A mapping's first line: "start-end perms offset dev inode [path]".
        const auto dash = line.find('-');
        const auto space = line.find(' ');
        if (dash != std::string::npos && space != std::string::npos && dash < space &&
            line.find_first_not_of("0123456789abcdef") == dash) {
            const std::uintptr_t start = std::stoull(line.substr(0, dash), nullptr, 16);
            const std::uintptr_t end = std::stoull(line.substr(dash + 1, space - dash - 1), nullptr, 16);
            inside = start < last && first < end;
        } else if (inside && line.rfind("AnonHugePages:", 0) == 0) {
            total += static_cast<std::size_t>(std::stoull(line.substr(14))) * 1024;
        }
    }
    return total;
}

}  // namespace testsupport
