#pragma once
// A data task's URLError as an exception, for loaders that report failures by
// throwing or by carrying an exception: callers catch it and read the code
// (cancelled above all) and the message.

#include <exception>
#include <string>

#include "Platform/Foundation/URLSession.h"

namespace platform::foundation {

class URLSessionError : public std::exception {
public:
    explicit URLSessionError(URLError error)
        : error_(std::move(error)), message_("the transfer failed: " + error_.message) {}

    const URLError& error() const { return error_; }
    URLError::Code code() const { return error_.code; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    URLError error_;
    std::string message_;
};

}  // namespace platform::foundation
