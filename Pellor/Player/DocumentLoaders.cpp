#include "Pellor/Player/DocumentLoaders.h"

#include "Lottie/DotLottie/DotLottieFile.h"
#include "Lottie/Playback/LottieConfiguration.h"
#include "Platform/Foundation/DispatchQueue.h"

namespace pellor {

lottie::LottieView DocumentLoaders::view(const ReadOnlyDocument& document, Outcome loaded) {
    const QByteArray bytes = document.data();
    if (document.kind() == DocumentKind::json) {
        return lottie::LottieView::loadAnimation([bytes, loaded](auto deliver) {
            // Posted, so that the window is shown before the work starts.
            platform::foundation::DispatchQueue::main().async([bytes, loaded, deliver] {
                std::shared_ptr<const lottie::LottieAnimation> animation;
                std::exception_ptr error;
                try {
                    animation = lottie::LottieAnimation::fromData(
                        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                        lottie::LottieConfiguration::shared().decodingStrategy);
                } catch (...) {
                    error = std::current_exception();
                }
                if (loaded) loaded(animation, error);
                deliver(animation, error);
            });
        });
    }
    return lottie::LottieView::loadDotLottieFile([bytes, loaded](auto deliver) {
        platform::foundation::Data data(bytes.begin(), bytes.end());
        lottie::DotLottieFile::loadedFromData(std::move(data), "lottie", lottie::dotLottieQueue(),
                                              [loaded, deliver](lottie::DotLottieResult result) {
                                                  if (loaded) {
                                                      const auto* first = result.file() ? result.file()->findAnimation(std::nullopt) : nullptr;
                                                      loaded(first ? first->animation() : nullptr, result.error());
                                                  }
                                                  deliver(result.file(), result.error());
                                              });
    });
}

}  // namespace pellor
