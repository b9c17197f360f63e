#pragma once
// Supplies the text a text layer shows, asked by the layer's full keypath. Held by
// the animation layer (shared with its views) and handed to the rendering engine,
// which asks on the main thread.

#include <memory>
#include <optional>
#include <string>

#include "Lottie/Playback/Keypaths/AnimationKeypath.h"

namespace lottie {

class AnimationKeypathTextProvider {
public:
    virtual ~AnimationKeypathTextProvider() = default;

    // The text for the layer at `keypath` whose document text is `sourceText`;
    // nothing means this provider has nothing for the layer.
    virtual std::optional<std::string> replacementText(const AnimationKeypath& keypath,
                                                       const std::string& sourceText) const = 0;
};

// The text an engine shows for a text layer: the provider's answer by keypath, else
// (for a legacy provider) its answer by the dotted keypath, else the document's text.
std::string resolvedText(const AnimationKeypathTextProvider& provider, const AnimationKeypath& keypath,
                         const std::string& sourceText);

}  // namespace lottie
