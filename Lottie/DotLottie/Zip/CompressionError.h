#pragma once
// Thrown by the raw-deflate decoder: `invalidStream` when the decoder cannot be set
// up, `corruptedData` when the compressed bytes are damaged or end too soon.

#include <exception>
#include <string>

namespace lottie {

class CompressionError : public std::exception {
public:
    enum class Kind { invalidStream, corruptedData };

    explicit CompressionError(Kind kind, std::string detail = {});

    Kind kind() const noexcept { return kind_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    Kind kind_;
    std::string message_;
};

}  // namespace lottie
