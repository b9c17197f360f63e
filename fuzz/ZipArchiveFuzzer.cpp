// Opens, enumerates and unpacks arbitrary bytes as a ZIP archive into a scratch
// folder, then checks that nothing was written outside the destination and that
// no symbolic link left there points outside it. Any such escape aborts, so the
// fuzzer reports it like a crash.

#include "Lottie/DotLottie/Zip/Archive.h"
#include "Lottie/DotLottie/Zip/ExtractionBudget.h"
#include "Lottie/DotLottie/Zip/Unzipper.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const fs::path& scratch()
{
    static const fs::path base = [] {
        std::string pattern = (fs::temp_directory_path() / "zipfuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        return fs::path(pattern);
    }();
    return base;
}

[[noreturn]] void escape(const std::string& what)
{
    std::fprintf(stderr, "ZIP extraction escaped its destination: %s\n", what.c_str());
    std::abort();
}

bool isWithin(const fs::path& path, const fs::path& root)
{
    const std::string text = path.lexically_normal().string();
    const std::string prefix = root.lexically_normal().string();
    return text == prefix || text.rfind(prefix + "/", 0) == 0;
}

void checkContained(const fs::path& run, const fs::path& destination)
{
    std::error_code error;
    for (const auto& item : fs::directory_iterator(run, error)) {
        if (item.path() != destination) {
            escape("unexpected item " + item.path().string());
        }
    }
    const fs::path realDestination = fs::canonical(destination, error);
    if (error) {
        return;  // nothing was extracted
    }
    for (auto it = fs::recursive_directory_iterator(destination, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        if (!fs::is_symlink(it->symlink_status())) {
            continue;
        }
        std::error_code resolveError;
        const fs::path resolved = fs::weakly_canonical(it->path(), resolveError);
        if (!resolveError && !isWithin(resolved, realDestination)) {
            escape(it->path().string() + " -> " + resolved.string());
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fs::path input = scratch() / "input.zip";
    const fs::path run = scratch() / "run";
    const fs::path destination = run / "destination";
    std::error_code error;
    fs::remove_all(run, error);
    fs::create_directories(run, error);
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    lottie::ExtractionLimits limits;
    limits.maxTotalUncompressedSize = 8 << 20;
    limits.ratioAllowance = 1 << 20;

    if (auto archive = lottie::Archive::open(input, lottie::Archive::AccessMode::read)) {
        try {
            lottie::ExtractionBudget budget(limits);
            lottie::ExtractionSettings settings;
            settings.budget = &budget;
            for (const lottie::Entry& entry : *archive) {
                (void)entry.type();
                (void)entry.uncompressedSize();
                try {
                    archive->extractEntryData(entry, settings, [](std::span<const std::uint8_t>) {});
                } catch (const std::exception&) {
                }
            }
        } catch (const std::exception&) {
        }
    }

    lottie::UnzipOptions options;
    options.limits = limits;
    try {
        lottie::Unzipper::extractArchive(input, destination, options);
    } catch (const std::exception&) {
    }
    checkContained(run, destination);
    fs::remove_all(run, error);
    return 0;
}
