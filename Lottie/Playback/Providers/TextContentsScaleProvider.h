#pragma once
// A text provider that also chooses how finely the Core Animation engine draws
// the text of each text layer: the contents scale of the layer's text render
// layer, asked by the layer's full keypath whenever the engine installs its
// animations. A caller makes one (usually a text provider of its own that also
// implements this) and sets it as the animation layer's text provider; the
// engine asks it on the main thread. The main-thread engine draws text at the
// render scale and does not ask.
//
// It refines the text provider virtually, so one provider may also be a legacy
// text provider.

#include <optional>

#include "Lottie/Playback/Providers/AnimationKeypathTextProvider.h"

namespace lottie {

class TextContentsScaleProvider : public virtual AnimationKeypathTextProvider {
public:
    // The contents scale for the text layer at `keypath`; nothing leaves the scale
    // the root layer gives every layer.
    virtual std::optional<double> contentsScale(const AnimationKeypath& keypath) const = 0;
};

}  // namespace lottie
