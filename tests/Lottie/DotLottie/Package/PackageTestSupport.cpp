#include "tests/Lottie/DotLottie/Package/PackageTestSupport.h"

#include "Platform/Graphics/Image.h"

namespace packagetest {

std::string animationJson(int width, int height) {
    return R"({"v":"5.7","fr":30,"ip":0,"op":60,"w":)" + std::to_string(width) + R"(,"h":)" +
           std::to_string(height) + R"(,"layers":[]})";
}

std::string imageAnimationJson(const std::string& imageName, int width, int height) {
    const std::string w = std::to_string(width);
    const std::string h = std::to_string(height);
    return R"({"v":"5.7","fr":30,"ip":0,"op":60,"w":)" + w + R"(,"h":)" + h + R"(,"assets":[{"id":"image","w":)" +
           w + R"(,"h":)" + h + R"(,"u":"","p":")" + imageName + R"(","e":0}],"layers":[{"ty":2,"ind":1,"refId":"image",)" +
           R"("ip":0,"op":60,"st":0,"ks":{"a":{"a":0,"k":[0,0]},"p":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},)" +
           R"("r":{"a":0,"k":0},"o":{"a":0,"k":100}}}]})";
}

std::string pngOf(int width, int height, std::uint32_t rgba) {
    std::vector<std::uint8_t> pixels;
    pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    for (int i = 0; i < width * height; ++i) {
        for (int shift : {24, 16, 8, 0}) pixels.push_back(static_cast<std::uint8_t>((rgba >> shift) & 0xff));
    }
    return platform::graphics::Image::fromStraightRGBA(width, height, pixels)->encodePNG();
}

std::string manifestJson(const std::vector<std::string>& ids, const std::string& version) {
    std::string json = "{";
    if (!version.empty()) json += R"("version":")" + version + R"(",)";
    json += R"("animations":[)";
    for (std::size_t i = 0; i < ids.size(); ++i) json += (i ? "," : "") + (R"({"id":")" + ids[i] + R"("})");
    return json + "]}";
}

platform::foundation::Data zipped(const std::vector<ziptest::TestEntry>& entries, bool stored) {
    std::vector<ziptest::TestEntry> prepared = entries;
    if (!stored) {
        for (ziptest::TestEntry& entry : prepared) {
            if (entry.method == 0 && !entry.data.empty() && (entry.externalAttributes >> 28) == 0x8) entry.method = 8;
        }
    }
    return ziptest::writeTestArchive(prepared).bytes;
}

platform::foundation::Data packageOf(const std::vector<std::string>& ids) {
    std::vector<ziptest::TestEntry> entries{ziptest::TestEntry::file("manifest.json", manifestJson(ids, "2"))};
    for (const std::string& id : ids) entries.push_back(ziptest::TestEntry::file("a/" + id + ".json", animationJson()));
    return zipped(entries);
}

std::vector<std::string> leftovers(const std::filesystem::path& folder) {
    std::vector<std::string> found;
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
        found.push_back(std::filesystem::relative(item.path(), folder).string());
    }
    return found;
}

}  // namespace packagetest
