#pragma once
// The parts of a layer transform that its key paths name ("transform.scale.x",
// "transform.rotation.z", "transform.translation", ...): a scale, rotations about
// z, y and x, and a translation, applied in that order (points are row vectors,
// the first applies first). That is the same matrix the main-thread engine builds
// from the same parts, so both engines agree. A value used by Layer.
//
// Reading a part of a transform that has shear or perspective gives the part of
// its nearest decomposition; writing a part rebuilds the transform from the parts
// alone.

#include <string_view>
#include <optional>

#include "Platform/Graphics/Transform3D.h"

namespace platform::compositor {

struct TransformComponents {
    // Which part a key path below "transform." names.
    enum class Part { translation, translationX, translationY, scaleX, scaleY, rotationX, rotationY, rotationZ };

    double scaleX = 1, scaleY = 1, scaleZ = 1;
    double rotationX = 0, rotationY = 0, rotationZ = 0;
    double translationX = 0, translationY = 0, translationZ = 0;

    static TransformComponents of(const graphics::Transform3D& transform);
    graphics::Transform3D matrix() const;

    // The part for a whole key path ("transform.rotation.z"); none for any other text.
    static std::optional<Part> partForKeyPath(std::string_view keyPath);

    // The number held by a single-number part (not translation).
    double number(Part part) const;
    void setNumber(Part part, double value);

    bool operator==(const TransformComponents&) const = default;
};

}  // namespace platform::compositor
