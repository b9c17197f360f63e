#pragma once
// A coding path as a chain of links from the root, shared by a decoder and
// every container and decoder made from it. Copying one copies a pointer;
// extending one adds one link and copies nothing before it. The list of keys
// is only built (codingPath()) when somebody asks, which in practice means
// when an error is thrown. Each container and decoder owns its share.

#include <memory>
#include <string>
#include <string_view>

#include "Platform/Json/CodingPath.h"

namespace platform::json {

// One step below a path: a dictionary key or an array index. Short keys stay
// in the string's own buffer, so a step costs no allocation.
struct CodingStep {
    std::string name;
    int index = -1;

    static CodingStep named(std::string_view key) { return {std::string(key), -1}; }
    static CodingStep at(int position) { return {{}, position}; }
    CodingKey key() const {
        if (index < 0) return CodingKey::named(name);
        return name.empty() ? CodingKey::index(index) : CodingKey{name, index};
    }
};

class SharedCodingPath {
public:
    SharedCodingPath() = default;
    explicit SharedCodingPath(const CodingPath& path);

    SharedCodingPath appending(CodingStep step) const;
    CodingPath codingPath() const;

private:
    struct Link {
        std::shared_ptr<const Link> parent;
        CodingStep step;
    };
    std::shared_ptr<const Link> last_;
};

}  // namespace platform::json
