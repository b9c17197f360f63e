#pragma once
// Several custom paths of one shape group merged into a single item, so that
// one layer can draw them: made only by the Core Animation engine, never
// decoded (it has no decoding constructor at all), and owned by that engine.
// It encodes as a plain item of type `shape` with its base keys.

#include <string>
#include <vector>

#include "Lottie/Model/KeyframeGroupReading.h"
#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Lottie/Values/BezierPath.h"

namespace lottie {

class CombinedShapeItem : public ShapeItem {
public:
    // Named after the group, type `shape`, never hidden.
    CombinedShapeItem(KeyframeGroupPtr<std::vector<BezierPath>> shapes, std::string name);

    // One path per merged item, in item order.
    KeyframeGroupPtr<std::vector<BezierPath>> shapes() const { return shapes_; }

protected:
    bool equals(const ShapeItem& other) const override;

private:
    KeyframeGroupPtr<std::vector<BezierPath>> shapes_;
};

}  // namespace lottie
