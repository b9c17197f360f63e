// Decodes a small document with the installed library and prints its size and
// frame count, so the install test can check that it really ran.
#include <iostream>
#include <string_view>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"

int main() {
    constexpr std::string_view document =
        R"({"v":"5.7.4","fr":30,"ip":0,"op":90,"w":200,"h":120,"layers":[]})";
    const auto animation = lottie::LottieAnimation::fromData(document, lottie::DecodingStrategy::dictionaryBased);
    if (!animation) return 1;
    std::cout << animation->width << "x" << animation->height << " " << animation->endFrame << "\n";
    return 0;
}
