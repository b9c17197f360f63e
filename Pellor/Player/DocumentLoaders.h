#pragma once
// The asynchronous loaders of a document's animation, as a LottieView: a JSON
// document is decoded on a serial queue of its own with the shared
// configuration's decoding strategy and delivered on the main run loop, and
// its images are looked for in the document's folder; a package is unpacked on the library's serial dotLottie
// queue under the file name "lottie" and delivered on the main run loop.
// Failures reach the view's loader as errors. Everything the document causes
// reports through a logger that names it (DocumentLogger): the view's own,
// and the one lent to the loading thread while it decodes. Stateless.

#include "Lottie/Views/LottieView.h"
#include "Pellor/Documents/ReadOnlyDocument.h"

namespace pellor {

class DocumentLoaders {
public:
    // The view that loads the document's animation; `loaded` (when given)
    // hears the outcome first: the animation shown (none for a package
    // without one) or the error.
    using Outcome = std::function<void(std::shared_ptr<const lottie::LottieAnimation> animation, std::exception_ptr error)>;
    static lottie::LottieView view(const ReadOnlyDocument& document, Outcome loaded = {});

private:
    static lottie::LottieView viewOf(const ReadOnlyDocument& document, Outcome loaded,
                                     const std::shared_ptr<lottie::LottieLogger>& logger);
};

}  // namespace pellor
