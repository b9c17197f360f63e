#pragma once
// Helpers shared by the ZIP reader's tests: writing archive bytes to files,
// running Debian's zip program, taking a snapshot of a directory tree, and naming
// the outcome of an operation so related cases fit in one table.

#include "tests/Lottie/DotLottie/Zip/TestZipWriter.h"

#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace ziptest {

std::filesystem::path writeBytes(const std::filesystem::path& path, const Bytes& bytes);

// Runs a shell command in `directory`; returns its exit status.
int runIn(const std::filesystem::path& directory, const std::string& command);

// Every item under `root`, by relative path: "file:<content>", "dir" or "link:<target>".
std::map<std::string, std::string> snapshot(const std::filesystem::path& root);

// "ok" when `operation` returns; otherwise the type and case of what it threw,
// such as "ArchiveError.invalidCRC32" or "ArchiveFileError.fileWriteFileExists".
std::string outcomeOf(const std::function<void()>& operation);

// A file of `size` bytes of pseudo-random printable text (compresses about 2:1).
std::string sampleText(std::size_t size, unsigned seed);

}  // namespace ziptest
