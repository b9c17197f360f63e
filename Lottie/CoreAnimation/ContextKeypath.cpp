#include "Lottie/CoreAnimation/ContextKeypath.h"

namespace lottie {

ContextKeypath::ContextKeypath(const AnimationKeypath& keypath) {
    for (const std::string& key : keypath.keys()) *this = adding(key);
}

ContextKeypath ContextKeypath::adding(std::string key) const {
    ContextKeypath extended;
    extended.last_ = std::make_shared<const Run>(Run{last_, std::move(key), nullptr, size() + 1});
    return extended;
}

ContextKeypath ContextKeypath::adding(const ContextKeypath& other) const {
    if (!other.last_) return *this;
    if (!last_) return other;
    ContextKeypath extended;
    extended.last_ = std::make_shared<const Run>(Run{last_, std::string(), other.last_, size() + other.size()});
    return extended;
}

void ContextKeypath::write(const Run* run, std::vector<std::string>& keys, std::size_t end) {
    // Runs are followed back without recursion along a keypath; only a nested
    // keypath (a group's names within a layer's) goes one call deeper.
    for (; run; run = run->previous.get()) {
        if (run->nested) {
            write(run->nested.get(), keys, end);
            end -= run->nested->size;
        } else {
            keys[--end] = run->key;
        }
    }
}

std::vector<std::string> ContextKeypath::keys() const {
    std::vector<std::string> keys(size());
    write(last_.get(), keys, keys.size());
    return keys;
}

std::string ContextKeypath::fullPath() const { return keypath().fullPath(); }

}  // namespace lottie
