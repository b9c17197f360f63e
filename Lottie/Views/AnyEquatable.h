#pragma once
// A value of any equality-comparable type, compared with another only by that
// type's equality: values of different types are never equal. LottieView
// keeps its reload trigger in one. A plain value.

#include <any>
#include <functional>
#include <utility>

namespace lottie {

class AnyEquatable {
public:
    template <class T>
    explicit AnyEquatable(T value)
        : value_(value), equals_([value = std::move(value)](const std::any& other) {
              const T* same = std::any_cast<T>(&other);
              return same != nullptr && *same == value;
          }) {}

    const std::any& value() const { return value_; }
    bool equals(const std::any& other) const { return equals_(other); }

    bool operator==(const AnyEquatable& other) const { return equals(other.value_); }

private:
    std::any value_;
    std::function<bool(const std::any&)> equals_;
};

}  // namespace lottie
