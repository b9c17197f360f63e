#include "Platform/Compositor/TransformComponents.h"

#include "Platform/Compositor/TransformDecomposition.h"

namespace platform::compositor {

using graphics::Transform3D;

TransformComponents TransformComponents::of(const Transform3D& transform) {
    // Most layers' own transform, whose decomposition is known: no scale,
    // turn or move (the angles about x and z come out as negative zeros).
    if (transform.isIdentity()) {
        TransformComponents parts;
        parts.rotationX = -0.0;
        parts.rotationZ = -0.0;
        return parts;
    }
    const TransformDecomposition d = TransformDecomposition::of(transform);
    const std::array<double, 3> angles = d.eulerAngles();
    TransformComponents parts;
    parts.scaleX = d.scaleShear[0];
    parts.scaleY = d.scaleShear[4];
    parts.scaleZ = d.scaleShear[8];
    parts.rotationX = angles[0];
    parts.rotationY = angles[1];
    parts.rotationZ = angles[2];
    parts.translationX = d.translation[0];
    parts.translationY = d.translation[1];
    parts.translationZ = d.translation[2];
    return parts;
}

Transform3D TransformComponents::matrix() const {
    Transform3D m = Transform3D::makeScale(scaleX, scaleY, scaleZ);
    m = Transform3D::concat(m, Transform3D::makeRotation(rotationZ, 0, 0, 1));
    m = Transform3D::concat(m, Transform3D::makeRotation(rotationY, 0, 1, 0));
    m = Transform3D::concat(m, Transform3D::makeRotation(rotationX, 1, 0, 0));
    return Transform3D::concat(m, Transform3D::makeTranslation(translationX, translationY, translationZ));
}

std::optional<TransformComponents::Part> TransformComponents::partForKeyPath(std::string_view keyPath) {
    constexpr std::string_view prefix = "transform.";
    if (!keyPath.starts_with(prefix)) {
        return std::nullopt;
    }
    const std::string_view rest = keyPath.substr(prefix.size());
    if (rest == "translation") return Part::translation;
    if (rest == "translation.x") return Part::translationX;
    if (rest == "translation.y") return Part::translationY;
    if (rest == "scale.x") return Part::scaleX;
    if (rest == "scale.y") return Part::scaleY;
    if (rest == "rotation.x") return Part::rotationX;
    if (rest == "rotation.y") return Part::rotationY;
    if (rest == "rotation.z") return Part::rotationZ;
    return std::nullopt;
}

double TransformComponents::number(Part part) const {
    switch (part) {
        case Part::translationX:
        case Part::translation:
            return translationX;
        case Part::translationY:
            return translationY;
        case Part::scaleX:
            return scaleX;
        case Part::scaleY:
            return scaleY;
        case Part::rotationX:
            return rotationX;
        case Part::rotationY:
            return rotationY;
        case Part::rotationZ:
            return rotationZ;
    }
    return 0;
}

void TransformComponents::setNumber(Part part, double value) {
    switch (part) {
        case Part::translationX:
        case Part::translation:
            translationX = value;
            break;
        case Part::translationY:
            translationY = value;
            break;
        case Part::scaleX:
            scaleX = value;
            break;
        case Part::scaleY:
            scaleY = value;
            break;
        case Part::rotationX:
            rotationX = value;
            break;
        case Part::rotationY:
            rotationY = value;
            break;
        case Part::rotationZ:
            rotationZ = value;
            break;
    }
}

}  // namespace platform::compositor
