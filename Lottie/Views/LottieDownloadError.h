#pragma once
// The error a view's address load reports when no animation came of it.
// Thrown (or handed over as an exception pointer) by value.

#include <exception>

namespace lottie {

class LottieDownloadError : public std::exception {
public:
    enum class Kind { downloadFailed };

    static LottieDownloadError downloadFailed() { return LottieDownloadError(Kind::downloadFailed); }

    Kind kind() const { return kind_; }
    const char* what() const noexcept override { return "The animation could not be downloaded."; }

private:
    explicit LottieDownloadError(Kind kind) : kind_(kind) {}

    Kind kind_;
};

}  // namespace lottie
