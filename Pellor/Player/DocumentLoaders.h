#pragma once
// The asynchronous loaders of a document's animation, as a LottieView: a JSON
// document is decoded on a serial queue of its own with the shared
// configuration's decoding strategy, and its images are looked for in the
// document's folder; a package is unpacked on the library's serial dotLottie
// queue under the file name "lottie". Each delivers from that queue, where
// the view builds the animation's rendering layer, so that a large document
// sets up without holding the main thread.
// Failures reach the view's loader as errors. Everything the document causes
// reports through a logger that names it (DocumentLogger): the view's own,
// and the one lent to the loading thread while it decodes and builds. Stateless.

#include "Lottie/Views/LottieView.h"
#include "Pellor/Documents/ReadOnlyDocument.h"

namespace pellor {

class DocumentLoaders {
public:
    // The view that loads the document's animation; `loaded` (when given)
    // hears the outcome on the main thread: the animation shown (none for a
    // package without one), once the view has it, or the error, before the
    // view hears of it.
    using Outcome = std::function<void(std::shared_ptr<const lottie::LottieAnimation> animation, std::exception_ptr error)>;
    static lottie::LottieView view(const ReadOnlyDocument& document, Outcome loaded = {});

private:
    static lottie::LottieView viewOf(const ReadOnlyDocument& document, Outcome loaded,
                                     const std::shared_ptr<lottie::LottieLogger>& logger);
};

}  // namespace pellor
