#pragma once
// The impact generator that does nothing: every AnimatedSwitch starts with one
// (see ImpactGenerator for why it is the only one on Linux).

#include "Lottie/Views/Controls/ImpactGenerator.h"

namespace lottie {

class NullHapticGenerator final : public ImpactGenerator {
public:
    void generate() override {}
};

}  // namespace lottie
