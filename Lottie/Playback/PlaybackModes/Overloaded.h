#pragma once
// One visitor from several lambdas, for std::visit over the playback value types.

namespace lottie {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

}  // namespace lottie
