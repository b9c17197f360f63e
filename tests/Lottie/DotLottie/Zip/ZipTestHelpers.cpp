#include "tests/Lottie/DotLottie/Zip/ZipTestHelpers.h"

#include "Lottie/DotLottie/Zip/ArchiveError.h"
#include "Lottie/DotLottie/Zip/ArchiveFileError.h"
#include "Lottie/DotLottie/Zip/CompressionError.h"
#include "Lottie/DotLottie/Zip/DataError.h"

#include <cstdlib>
#include <fstream>
#include <random>

namespace ziptest {

namespace fs = std::filesystem;

fs::path writeBytes(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

int runIn(const fs::path& directory, const std::string& command)
{
    const std::string line = "cd '" + directory.string() + "' && " + command + " >/dev/null 2>&1";
    return std::system(line.c_str());
}

std::map<std::string, std::string> snapshot(const fs::path& root)
{
    std::map<std::string, std::string> items;
    if (!fs::exists(fs::symlink_status(root))) {
        return items;
    }
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        // Lexically: resolving would follow the links being recorded.
        const fs::path relative = it->path().lexically_relative(root);
        const auto status = it->symlink_status();
        if (fs::is_symlink(status)) {
            items[relative.string()] = "link:" + fs::read_symlink(it->path()).string();
        } else if (fs::is_directory(status)) {
            items[relative.string()] = "dir";
        } else {
            std::ifstream in(it->path(), std::ios::binary);
            items[relative.string()] = "file:" + std::string(std::istreambuf_iterator<char>(in), {});
        }
    }
    return items;
}

std::string outcomeOf(const std::function<void()>& operation)
{
    try {
        operation();
        return "ok";
    } catch (const lottie::ArchiveError& error) {
        return std::string("ArchiveError.") + lottie::ArchiveError::name(error.kind());
    } catch (const lottie::ArchiveFileError& error) {
        switch (error.code()) {
        case lottie::ArchiveFileError::Code::fileNoSuchFile: return "ArchiveFileError.fileNoSuchFile";
        case lottie::ArchiveFileError::Code::fileReadNoSuchFile: return "ArchiveFileError.fileReadNoSuchFile";
        case lottie::ArchiveFileError::Code::fileReadInvalidFileName: return "ArchiveFileError.fileReadInvalidFileName";
        case lottie::ArchiveFileError::Code::fileWriteFileExists: return "ArchiveFileError.fileWriteFileExists";
        }
    } catch (const lottie::CompressionError& error) {
        return error.kind() == lottie::CompressionError::Kind::corruptedData ? "CompressionError.corruptedData"
                                                                             : "CompressionError.invalidStream";
    } catch (const lottie::DataError& error) {
        return error.kind() == lottie::DataError::Kind::unreadableFile ? "DataError.unreadableFile"
                                                                       : "DataError.unwritableFile";
    } catch (const fs::filesystem_error& error) {
        return std::string("filesystem_error: ") + error.what();
    } catch (const std::exception& error) {
        return std::string("unexpected: ") + error.what();
    }
    return "unexpected";
}

std::string sampleText(std::size_t size, unsigned seed)
{
    static const char* words[] = {"layer ", "shape ", "frame ", "0.25, ", "\"ks\": ", "{\"a\":1} ", "path ", "\n"};
    std::mt19937 random(seed);
    std::string text;
    text.reserve(size + 16);
    while (text.size() < size) {
        if (random() % 3 == 0) {
            text += words[random() % 8];
        } else {
            text += static_cast<char>('a' + random() % 26);
        }
    }
    text.resize(size);
    return text;
}

}  // namespace ziptest
