#include "Lottie/Playback/Keypaths/KeyMatching.h"

#include "Lottie/Playback/Keypaths/GraphemeClusters.h"

namespace lottie {

namespace {

bool nameStartsWith(std::string_view name, std::string_view prefix) {
    const GraphemeClusters prefixClusters(prefix);
    const GraphemeClusters nameClusters(name);
    if (nameClusters.count() < prefixClusters.count()) return false;
    return name.substr(0, nameClusters.byteOffsetOfCluster(prefixClusters.count())) == prefix;
}

bool nameEndsWith(std::string_view name, std::string_view suffix) {
    const GraphemeClusters suffixClusters(suffix);
    const GraphemeClusters nameClusters(name);
    if (nameClusters.count() < suffixClusters.count()) return false;
    const std::size_t start = nameClusters.byteOffsetOfCluster(nameClusters.count() - suffixClusters.count());
    return name.substr(start) == suffix;
}

}  // namespace

bool keyMatchesName(std::string_view name, std::string_view key) {
    if (key == "*" || key == "**" || key == name) return true;
    const std::size_t star = key.find('*');
    if (star == std::string_view::npos) return false;
    const std::string_view prefix = key.substr(0, star);
    const std::string_view suffix = key.substr(star + 1);
    if (!prefix.empty() && !nameStartsWith(name, prefix)) return false;
    if (suffix.empty()) return true;
    return nameEndsWith(name, suffix);
}

}  // namespace lottie
