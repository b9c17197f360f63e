#include "Pellor/Player/DocumentLoaders.h"

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
                    animation = lottie::LottieAnimation::fromData(
                        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                        lottie::LottieConfiguration::shared().decodingStrategy);
                } catch (...) {
                    // Running out of memory on a hostile document lands here too.
                    error = std::current_exception();
                }
                // The outcome is the window's to hear, on the main thread.
                platform::foundation::DispatchQueue::main().async([animation, error, loaded, deliver] {
                    if (loaded) loaded(animation, error);
                    deliver(animation, error);
                });
            });
        });
        return withImagesBeside(std::move(view), document, logger);
    }
    return lottie::LottieView::loadDotLottieFile([bytes, loaded, logger](auto deliver) {
        lottie::dotLottieQueue().async([bytes, loaded, deliver, logger] {
            const lottie::LottieLogger::Scope reporting(logger);
            const platform::foundation::Data data(bytes.begin(), bytes.end());
            const lottie::DotLottieResult result =
                lottie::DotLottieFile::SynchronouslyBlockingCurrentThread::loadedFromData(data, "lottie");
            platform::foundation::DispatchQueue::main().async([result, loaded, deliver] {
                if (loaded) {
                    const auto* first = result.file() ? result.file()->findAnimation(std::nullopt) : nullptr;
                    loaded(first ? first->animation() : nullptr, result.error());
                }
                deliver(result.file(), result.error());
            });
        });
    });
}

}  // namespace pellor
