#include "Lottie/Model/Layers/Transform.h"

namespace lottie {

namespace {

// The default values, made once and shared by every transform that lacks
// them: most layers leave several of these out, and groups are immutable.
const KeyframeGroupPtr<LottieVector3D>& origin() {
    static const KeyframeGroupPtr<LottieVector3D> group = staticGroup(LottieVector3D{0, 0, 0});
    return group;
}

const KeyframeGroupPtr<LottieVector3D>& fullScale() {
    static const KeyframeGroupPtr<LottieVector3D> group = staticGroup(LottieVector3D{100, 100, 100});
    return group;
}

const KeyframeGroupPtr<LottieVector1D>& zero() {
    static const KeyframeGroupPtr<LottieVector1D> group = staticGroup(LottieVector1D(0));
    return group;
}

const KeyframeGroupPtr<LottieVector1D>& opaque() {
    static const KeyframeGroupPtr<LottieVector1D> group = staticGroup(LottieVector1D(100));
    return group;
}

}  // namespace

Transform::Transform()
    : anchorPoint_(origin()),
      position_(origin()),
      scale_(fullScale()),
      rotationX_(zero()),
      rotationY_(zero()),
      rotationZ_(zero()),
      opacity_(opaque()) {}

Transform::Transform(const Dictionary& dictionary) : Transform() {
    anchorPoint_ = groupOrDefault(dictionary, "a", origin());

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

    scale_ = groupOrDefault(dictionary, "s", fullScale());
    rotationX_ = groupOrDefault(dictionary, "rx", zero());
    rotationY_ = groupOrDefault(dictionary, "ry", zero());
    // This decoder prefers "r" over "rz".
    try {
        if (auto r = optionalGroup<LottieVector1D>(dictionary, "r")) rotationZ_ = r;
        else rotationZ_ = groupOrDefault(dictionary, "rz", zero());
    } catch (const InitializableError&) {
        rotationZ_ = groupOrDefault(dictionary, "rz", zero());
    }
    opacity_ = groupOrDefault(dictionary, "o", opaque());
}

Transform::Transform(const platform::json::Decoder& decoder) : Transform() {
    auto container = decoder.container();
    anchorPoint_ = decodeGroupOrDefault(container, "a", origin());

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

    scale_ = decodeGroupOrDefault(container, "s", fullScale());
    rotationX_ = decodeGroupOrDefault(container, "rx", zero());
    rotationY_ = decodeGroupOrDefault(container, "ry", zero());
    // This decoder prefers "rz" over "r".
    if (auto rz = container.decodeIfPresent<KeyframeGroupPtr<LottieVector1D>>("rz")) rotationZ_ = *rz;
    else rotationZ_ = decodeGroupOrDefault(container, "r", zero());
    opacity_ = decodeGroupOrDefault(container, "o", opaque());
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
