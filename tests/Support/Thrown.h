#pragma once
// The error of one type that a piece of test code throws, or nothing when it
// returns: a test then checks the error's kind, place or message in plain
// expressions instead of a try block per case. Other exceptions pass through
// and fail the test.

#include <functional>
#include <optional>

namespace testsupport {

template <class Error>
std::optional<Error> thrown(const std::function<void()>& body) {
    try {
        body();
    } catch (const Error& error) {
        return error;
    }
    return std::nullopt;
}

}  // namespace testsupport
