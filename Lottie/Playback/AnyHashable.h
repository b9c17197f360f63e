#pragma once
// A type-erased value that can be compared and hashed: values of different
// types are never equal. Used where a caller's own identity value stands for
// an object that can't be compared itself (a reduced-motion provider).

#include <cstddef>
#include <functional>
#include <memory>
#include <typeindex>
#include <typeinfo>

namespace lottie {

class AnyHashable {
public:
    template <class T>
    explicit AnyHashable(T value) : box_(std::make_shared<Box<T>>(std::move(value))) {}

    bool operator==(const AnyHashable& other) const {
        return box_->type() == other.box_->type() && box_->equals(*other.box_);
    }
    std::size_t hash() const { return box_->hash(); }
    std::type_index type() const { return box_->type(); }

private:
    struct BoxBase {
        virtual ~BoxBase() = default;
        virtual std::type_index type() const = 0;
        virtual bool equals(const BoxBase& other) const = 0;
        virtual std::size_t hash() const = 0;
    };
    template <class T>
    struct Box final : BoxBase {
        explicit Box(T v) : value(std::move(v)) {}
        std::type_index type() const override { return typeid(T); }
        bool equals(const BoxBase& other) const override { return value == static_cast<const Box&>(other).value; }
        std::size_t hash() const override { return std::hash<T>{}(value); }
        T value;
    };

    std::shared_ptr<const BoxBase> box_;
};

}  // namespace lottie

template <>
struct std::hash<lottie::AnyHashable> {
    std::size_t operator()(const lottie::AnyHashable& value) const { return value.hash(); }
};
