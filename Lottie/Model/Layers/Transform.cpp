#include "Lottie/Model/Layers/Transform.h"

namespace lottie {

namespace {

const LottieVector3D origin{0, 0, 0};
const LottieVector3D fullScale{100, 100, 100};

}  // namespace

Transform::Transform()
    : anchorPoint_(staticGroup(origin)),
      position_(staticGroup(origin)),
      scale_(staticGroup(fullScale)),
      rotationX_(staticGroup(LottieVector1D(0))),
      rotationY_(staticGroup(LottieVector1D(0))),
      rotationZ_(staticGroup(LottieVector1D(0))),
      opacity_(staticGroup(LottieVector1D(100))) {}

Transform::Transform(const Dictionary& dictionary) : Transform() {
    anchorPoint_ = groupOrDefault(dictionary, "a", origin);

    // Position: split "px"/"py" first, then "p" as one property, then "p" as a split object.
    const platform::json::Value* p = dictionary.find("p");
    auto px = inlineValue<DictionaryRef>(dictionary, "px");
    auto py = inlineValue<DictionaryRef>(dictionary, "py");
    if (px && py) {
        positionX_ = std::make_shared<const KeyframeGroup<LottieVector1D>>(**px);
        positionY_ = std::make_shared<const KeyframeGroup<LottieVector1D>>(**py);
        position_ = nullptr;
    } else if (p && p->isObject() && p->find("k")) {
        position_ = std::make_shared<const KeyframeGroup<LottieVector3D>>(*p);
    } else if (p && p->isObject() && inlineValue<DictionaryRef>(*p, "x") && inlineValue<DictionaryRef>(*p, "y")) {
        positionX_ = std::make_shared<const KeyframeGroup<LottieVector1D>>(*p->find("x"));
        positionY_ = std::make_shared<const KeyframeGroup<LottieVector1D>>(*p->find("y"));
        position_ = nullptr;
    }

    scale_ = groupOrDefault(dictionary, "s", fullScale);
    rotationX_ = groupOrDefault(dictionary, "rx", LottieVector1D(0));
    rotationY_ = groupOrDefault(dictionary, "ry", LottieVector1D(0));
    // This decoder prefers "r" over "rz".
    try {
        if (auto r = optionalGroup<LottieVector1D>(dictionary, "r")) rotationZ_ = r;
        else rotationZ_ = groupOrDefault(dictionary, "rz", LottieVector1D(0));
    } catch (const InitializableError&) {
        rotationZ_ = groupOrDefault(dictionary, "rz", LottieVector1D(0));
    }
    opacity_ = groupOrDefault(dictionary, "o", LottieVector1D(100));
}

Transform::Transform(const platform::json::Decoder& decoder) : Transform() {
    auto container = decoder.container();
    anchorPoint_ = decodeGroupOrDefault(container, "a", origin);

    if (container.contains("px") && container.contains("py")) {
        positionX_ = container.decode<KeyframeGroupPtr<LottieVector1D>>("px");
        positionY_ = container.decode<KeyframeGroupPtr<LottieVector1D>>("py");
        position_ = nullptr;
    } else {
        bool decided = false;
        try {
            if (auto decoded = container.decodeIfPresent<KeyframeGroupPtr<LottieVector3D>>("p")) {
                position_ = *decoded;
                decided = true;
            }
        } catch (const platform::json::DecodingError&) {
        }
        if (!decided) {
            try {
                auto split = container.nestedContainer("p");
                auto x = split.decode<KeyframeGroupPtr<LottieVector1D>>("x");
                auto y = split.decode<KeyframeGroupPtr<LottieVector1D>>("y");
                positionX_ = x;
                positionY_ = y;
                position_ = nullptr;
            } catch (const platform::json::DecodingError&) {
                // Neither form: the default position stands.
            }
        }
    }

    scale_ = decodeGroupOrDefault(container, "s", fullScale);
    rotationX_ = decodeGroupOrDefault(container, "rx", LottieVector1D(0));
    rotationY_ = decodeGroupOrDefault(container, "ry", LottieVector1D(0));
    // This decoder prefers "rz" over "r".
    if (auto rz = container.decodeIfPresent<KeyframeGroupPtr<LottieVector1D>>("rz")) rotationZ_ = *rz;
    else rotationZ_ = decodeGroupOrDefault(container, "r", LottieVector1D(0));
    opacity_ = decodeGroupOrDefault(container, "o", LottieVector1D(100));
}

void Transform::encode(platform::json::Encoder& encoder) const {
    auto container = encoder.container();
    container.encode("a", anchorPoint_);
    container.encodeIfPresent("p", position_);
    container.encodeIfPresent("px", positionX_);
    container.encodeIfPresent("py", positionY_);
    container.encode("s", scale_);
    container.encodeIfPresent("r", rotation_);
    container.encode("rx", rotationX_);
    container.encode("ry", rotationY_);
    container.encode("rz", rotationZ_);
    container.encode("o", opacity_);
}

}  // namespace lottie
