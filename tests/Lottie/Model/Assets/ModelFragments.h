#pragma once
// Decoding small hand-written JSON fragments into model objects by either
// decoder, and checking the errors each decoder reports. Shared by the tests
// of assets, effects, styles and text.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "Lottie/Model/InitializableError.h"
#include "Lottie/Model/KeyframeGroupReading.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"
#include "Platform/Json/JsonParser.h"
#include "Platform/Json/JsonWriter.h"

namespace modeltest {

// The dictionary decoder's form of T over a fragment.
template <class T>
std::shared_ptr<const T> fromDictionary(const std::string& json) {
    platform::json::Value value = platform::json::parse(json);
    return std::make_shared<const T>(value);
}

// The keyed-container decoder's form of T over a fragment.
template <class T>
std::shared_ptr<const T> fromContainer(const std::string& json) {
    platform::json::Value value = platform::json::parse(json);
    return std::make_shared<const T>(platform::json::Decoder(value));
}

template <class T>
std::string encoded(const T& model) {
    return platform::json::serialize(platform::json::encodeToValue(model));
}

// The value of a group that holds one static keyframe.
inline double staticValue(const lottie::KeyframeGroupPtr<lottie::LottieVector1D>& group) {
    if (!group || group->keyframes().size() != 1) {
        ADD_FAILURE() << "not a static group";
        return -1e9;
    }
    return group->keyframes().front().value().value;
}

// Fails the test unless `run` throws InitializableError with this file and line.
inline void expectInvalidInput(const std::function<void()>& run, const std::string& file, unsigned line) {
    try {
        run();
        ADD_FAILURE() << "decoded; expected " << file << ":" << line;
    } catch (const lottie::InitializableError& error) {
        EXPECT_EQ(error.file(), file);
        EXPECT_EQ(error.line(), line);
    }
}

// Fails the test unless `run` throws the platform's decoding error of this kind.
inline void expectDecodingError(const std::function<void()>& run, platform::json::DecodingError::Kind kind) {
    try {
        run();
        ADD_FAILURE() << "decoded; expected a decoding error";
    } catch (const platform::json::DecodingError& error) {
        EXPECT_EQ(error.kind(), kind) << error.what();
    }
}

}  // namespace modeltest
