#pragma once
// The pools of what the Core Animation engine derives from shape items alone,
// shared by every view of a document (see ItemDerivedPool): the paths trims
// cut, the items that merge several paths into one, and the transforms and
// opacities of repeater copies. Process-wide; any thread.

#include "Lottie/CoreAnimation/ItemDerivedPool.h"
#include "Lottie/CoreAnimation/TrimmedPathAnimation.h"
#include "Lottie/Model/Protocols/RepeaterTransform.h"
#include "Lottie/Model/ShapeItems/CombinedShapeItem.h"

namespace lottie {

struct SharedItemResults {
    // Keyed by the path items, in order, then the trims, in order (a path item
    // is never a trim, so the two lists cannot be read one for the other).
    using CutPathPool = ItemDerivedPool<KeyframeGroup<TrimmedPathAnimation::Pieces>>;
    // Keyed by the items merged, tagged with the name the merged item takes.
    using CombinedItemPool = ItemDerivedPool<CombinedShapeItem>;
    // Keyed by the repeater, tagged "copy/copies".
    using RepeaterTransformPool = ItemDerivedPool<RepeaterTransform>;
    using RepeaterOpacityPool = ItemDerivedPool<KeyframeGroup<LottieVector1D>>;

    static CutPathPool& cutPaths() { return instance<CutPathPool>(); }
    static CombinedItemPool& combinedItems() { return instance<CombinedItemPool>(); }
    static RepeaterTransformPool& repeaterTransforms() { return instance<RepeaterTransformPool>(); }
    static RepeaterOpacityPool& repeaterOpacities() { return instance<RepeaterOpacityPool>(); }

private:
    // One pool of each type for the whole program (an inline function's static is one object).
    template <class Pool>
    static Pool& instance() {
        static Pool pool;
        return pool;
    }
};

}  // namespace lottie
