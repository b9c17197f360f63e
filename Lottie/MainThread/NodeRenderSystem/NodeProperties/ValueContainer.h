#pragma once
// The cached value of one node property: the value last computed and whether it
// must be computed again (stale at creation and after a provider change). Every
// view keeps one per property, so it keeps nothing more. Owned by its
// NodeProperty.

#include <any>
#include <utility>

namespace lottie {

template <class T>
class ValueContainer {
public:
    explicit ValueContainer(T value) : outputValue_(std::move(value)) {}

    const T& outputValue() const { return outputValue_; }
    bool needsUpdate() const { return needsUpdate_; }

    void setOutputValue(T value) {
        outputValue_ = std::move(value);
        needsUpdate_ = false;
    }
    // A value of another type is ignored: the container keeps what it had.
    void setOutputValue(const std::any& value) {
        if (const T* typed = std::any_cast<T>(&value)) setOutputValue(*typed);
    }
    void markStale() { needsUpdate_ = true; }

private:
    T outputValue_;
    bool needsUpdate_ = true;
};

}  // namespace lottie
