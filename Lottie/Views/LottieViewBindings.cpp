// LottieView's frame and progress bindings.
#include <QPointer>

#include "Lottie/Views/LottieView.h"
#include "Platform/Foundation/MainRunLoop.h"

namespace lottie {

LottieView LottieView::bindCurrentFrame(std::optional<Binding<double>> binding) const {
    return with([&](LottieView& copy) { copy.currentFrameBinding_ = std::move(binding); });
}

LottieView LottieView::bindCurrentProgress(std::optional<Binding<double>> binding) const {
    return with([&](LottieView& copy) { copy.currentProgressBinding_ = std::move(binding); });
}

double LottieView::progressOfFrame(const LottieAnimation* animation, double frame) {
    return animation ? animation->progressForFrame(frame) : 0;
}

LottieView::Configuration LottieView::bindingConfiguration() const {
    return [frameBinding = currentFrameBinding_, progressBinding = currentProgressBinding_](
               const ConfigurationContext& context) {
        // The write waits for a later pass of the main run loop, so that whoever
        // owns the bound value never sees it change inside the update, and it
        // reads the layer as it is then.
        QPointer<LottieAnimationView> view = &context.view();
        platform::foundation::MainRunLoop::shared().post([view, frameBinding, progressBinding] {
            if (!view) return;
            const LottieAnimationLayer& layer = *view->lottieAnimationLayer();
            const double frame = layer.presentedFrame();
            if (frameBinding && frameBinding->set) frameBinding->set(frame);
            if (progressBinding && progressBinding->set) {
                progressBinding->set(progressOfFrame(layer.animation().get(), frame));
            }
        });
    };
}

}  // namespace lottie
