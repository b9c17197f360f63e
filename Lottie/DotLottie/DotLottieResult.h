#pragma once
// What a package loader hands back: the loaded package, or the error that
// stopped it (any of the errors DotLottieFile::load and the readers throw). A
// small value passed to completion handlers.

#include <exception>
#include <memory>

namespace lottie {

class DotLottieFile;

class DotLottieResult {
public:
    static DotLottieResult success(std::shared_ptr<const DotLottieFile> file) { return DotLottieResult(std::move(file), nullptr); }
    static DotLottieResult failure(std::exception_ptr error) { return DotLottieResult(nullptr, std::move(error)); }
    // The exception being handled, as a failure.
    static DotLottieResult currentFailure() { return failure(std::current_exception()); }

    bool succeeded() const { return file_ != nullptr; }
    // None for a failure.
    const std::shared_ptr<const DotLottieFile>& file() const { return file_; }
    // None for a success.
    const std::exception_ptr& error() const { return error_; }
    // The package, or the error thrown again.
    std::shared_ptr<const DotLottieFile> get() const {
        if (error_) std::rethrow_exception(error_);
        return file_;
    }

private:
    DotLottieResult(std::shared_ptr<const DotLottieFile> file, std::exception_ptr error)
        : file_(std::move(file)), error_(std::move(error)) {}

    std::shared_ptr<const DotLottieFile> file_;
    std::exception_ptr error_;
};

}  // namespace lottie
