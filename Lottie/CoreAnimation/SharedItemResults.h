#pragma once
// The pools of what the Core Animation engine derives from shape items alone,
// shared by every view of a document (see ItemDerivedPool): the paths trims
// cut, and the items that merge several paths into one. Process-wide; any thread.

#include "Lottie/CoreAnimation/ItemDerivedPool.h"
#include "Lottie/CoreAnimation/TrimmedPathAnimation.h"
#include "Lottie/Model/ShapeItems/CombinedShapeItem.h"

namespace lottie {

struct SharedItemResults {
    // Keyed by the path items, in order, then the trims, in order (a path item
    // is never a trim, so the two lists cannot be read one for the other).
    using CutPathPool = ItemDerivedPool<KeyframeGroup<TrimmedPathAnimation::Pieces>>;
    // Keyed by the items merged, tagged with the name the merged item takes.
    using CombinedItemPool = ItemDerivedPool<CombinedShapeItem>;

    // One pool each for the whole program (an inline function's static is one object).
    static CutPathPool& cutPaths() {
        static CutPathPool pool;
        return pool;
    }
    static CombinedItemPool& combinedItems() {
        static CombinedItemPool pool;
        return pool;
    }
};

}  // namespace lottie
