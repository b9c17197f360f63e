#include "Pellor/Player/DocumentLoaders.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <filesystem>

#include "Lottie/DotLottie/DotLottieBlockingLoaders.h"
#include "Lottie/DotLottie/DotLottieFile.h"
#include "Lottie/Playback/LottieConfiguration.h"
#include "Lottie/Playback/Providers/FilepathImageProvider.h"
#include "Pellor/Player/DocumentLogger.h"
#include "Platform/Foundation/DispatchQueue.h"

namespace pellor {

namespace {

// Decoding a large document takes seconds and many times its size in memory;
// it runs here, one document at a time, so that the windows keep answering.
// The viewer stops it before main() returns, dropping the documents not yet
// begun (PellorApp::run).
platform::foundation::DispatchQueue& decodingQueue() {
    static platform::foundation::DispatchQueue& queue =
        platform::foundation::DispatchQueue::processWide("me.tolvane.pellor.decoding");
    return queue;
}

// A JSON document names its images by file ("u": "images/", "p":
// "img_0.png"), found beside it: in its folder and below, never outside
// (the provider refuses absolute names and those that climb out with ".."),
// each within the engines' pixel budgets. A package brings its own images.
// The provider says which document an image is missing from.
lottie::LottieView withImagesBeside(lottie::LottieView view, const ReadOnlyDocument& document,
                                    std::shared_ptr<lottie::LottieLogger> logger) {
    if (document.filePath().isEmpty()) return view;
    const QString folder = QFileInfo(document.filePath()).absolutePath();
    return view.imageProvider(std::make_shared<lottie::FilepathImageProvider>(
        std::filesystem::path(QFile::encodeName(folder).toStdString()), platform::compositor::ContentsGravity::resize,
        std::move(logger)));
}

// Hands a load's outcome to the view from the loading thread, where the view
// builds the animation's rendering layer before it takes the outcome on the
// main run loop; the window hears of it after that, on the main thread, so
// that the animation it hears of is already the view's. A failure reaches the
// window first, as it reaches the view's log.
void deliverHere(std::exception_ptr error, std::function<void()> tellWindow, std::function<void()> handToView) {
    if (error) {
        platform::foundation::DispatchQueue::main().async([tellWindow, handToView] {
            tellWindow();
            handToView();
        });
        return;
    }
    handToView();
    platform::foundation::DispatchQueue::main().async(std::move(tellWindow));
}

}  // namespace

lottie::LottieView DocumentLoaders::view(const ReadOnlyDocument& document, Outcome loaded) {
    auto logger = DocumentLogger::forDocument(document.filePath());
    return viewOf(document, std::move(loaded), logger).logger(logger);
}

lottie::LottieView DocumentLoaders::viewOf(const ReadOnlyDocument& document, Outcome loaded,
                                           const std::shared_ptr<lottie::LottieLogger>& logger) {
    const QByteArray bytes = document.data();
    // What decoding reports, on the loading thread, names the document too.
    if (document.kind() == DocumentKind::json) {
        lottie::LottieView view = lottie::LottieView::loadAnimation([bytes, loaded, logger](auto deliver) {
            decodingQueue().async([bytes, loaded, deliver, logger] {
                const lottie::LottieLogger::Scope reporting(logger);
                std::shared_ptr<const lottie::LottieAnimation> animation;
                std::exception_ptr error;
                try {
                    // Parsed where it lies when the bytes' room after the text holds the parser's padding.
                    animation = lottie::LottieAnimation::fromData(
                        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                        lottie::LottieConfiguration::shared().decodingStrategy,
                        static_cast<std::size_t>(std::max<qsizetype>(0, bytes.capacity() - bytes.size())));
                } catch (...) {
                    // Running out of memory on a hostile document lands here too.
                    error = std::current_exception();
                }
                deliverHere(
                    error, [animation, error, loaded] { if (loaded) loaded(animation, error); },
                    [animation, error, deliver] { deliver(animation, error); });
            });
        });
        return withImagesBeside(std::move(view), document, logger);
    }
    return lottie::LottieView::loadDotLottieFile([bytes, loaded, logger](auto deliver) {
        lottie::dotLottieQueue().async([bytes, loaded, deliver, logger] {
            const lottie::LottieLogger::Scope reporting(logger);
            // The package keeps its own copy of the document's bytes, made once.
            using Loaders = lottie::DotLottieFile::SynchronouslyBlockingCurrentThread;
            const lottie::DotLottieResult result =
                Loaders::loadedFromData(platform::foundation::Data(bytes.begin(), bytes.end()), "lottie");
            const auto* entry = result.file() ? result.file()->findAnimation(std::nullopt) : nullptr;
            std::shared_ptr<const lottie::LottieAnimation> first = entry ? entry->animation() : nullptr;
            deliverHere(
                result.error(), [first, error = result.error(), loaded] { if (loaded) loaded(first, error); },
                [result, deliver] { deliver(result.file(), result.error()); });
        });
    });
}

}  // namespace pellor
