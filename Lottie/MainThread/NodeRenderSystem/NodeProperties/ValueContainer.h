#pragma once
// The cached value of one node property: the value last computed, the frame it
// was computed for, and whether it must be computed again (stale at creation and
// after a provider change). Owned by its NodeProperty.

#include <any>
#include <limits>
#include <utility>

namespace lottie {

template <class T>
class ValueContainer {
public:
    explicit ValueContainer(T value) : outputValue_(std::move(value)) {}

    const T& outputValue() const { return outputValue_; }
    double lastUpdateFrame() const { return lastUpdateFrame_; }
    bool needsUpdate() const { return needsUpdate_; }

    void setOutputValue(T value) {
        outputValue_ = std::move(value);
        needsUpdate_ = false;
    }
    void setValue(T value, double frame) {
        setOutputValue(std::move(value));
        lastUpdateFrame_ = frame;
    }
    // A value of another type is ignored: the container keeps what it had.
    void setValue(const std::any& value, double frame) {
        if (const T* typed = std::any_cast<T>(&value)) setValue(*typed, frame);
    }
    void markStale() { needsUpdate_ = true; }

private:
    T outputValue_;
    double lastUpdateFrame_ = std::numeric_limits<double>::infinity();
    bool needsUpdate_ = true;
};

}  // namespace lottie
