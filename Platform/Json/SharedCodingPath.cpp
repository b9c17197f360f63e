#include "Platform/Json/SharedCodingPath.h"

#include <algorithm>

namespace platform::json {

SharedCodingPath::SharedCodingPath(const CodingPath& path) {
    for (const CodingKey& key : path) {
        *this = appending(key.intValue ? CodingStep{key.stringValue, *key.intValue} : CodingStep::named(key.stringValue));
    }
}

SharedCodingPath SharedCodingPath::appending(CodingStep step) const {
    SharedCodingPath extended;
    extended.last_ = std::make_shared<const Link>(Link{last_, std::move(step)});
    return extended;
}

CodingPath SharedCodingPath::codingPath() const {
    CodingPath path;
    for (const Link* link = last_.get(); link; link = link->parent.get()) path.push_back(link->step.key());
    std::reverse(path.begin(), path.end());
    return path;
}

}  // namespace platform::json
