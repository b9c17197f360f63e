#include "Lottie/Views/LottieView.h"

#include "Lottie/Playback/Providers/DefaultFontProvider.h"
#include "Lottie/Playback/Providers/DefaultTextProvider.h"
#include "Platform/Foundation/MainRunLoop.h"

namespace lottie {

namespace {

// Wraps a loader of T into one of sources; a missing result stays missing.
template <class T>
LottieView::SourceLoader wrapLoader(LottieView::Loader<T> loader,
                                    LottieAnimationSource (*wrap)(std::shared_ptr<const typename T::element_type>)) {
    return [loader = std::move(loader), wrap](LottieView::Delivery<std::optional<LottieAnimationSource>> deliver) {
        loader([deliver = std::move(deliver), wrap](T result, std::exception_ptr error) {
            if (error || !result) {
                deliver(std::nullopt, error);
            } else {
                deliver(wrap(std::move(result)), nullptr);
            }
        });
    };
}

}  // namespace

LottieView::LottieView(std::shared_ptr<const LottieAnimation> animation) : LottieView() {
    if (animation) localAnimation_ = LottieAnimationSource::lottieAnimation(std::move(animation));
}

LottieView::LottieView(std::shared_ptr<const DotLottieFile> dotLottieFile) : LottieView() {
    if (dotLottieFile) localAnimation_ = LottieAnimationSource::dotLottieFile(std::move(dotLottieFile));
}

LottieView LottieView::loadAnimation(Loader<std::shared_ptr<const LottieAnimation>> loader, Placeholder placeholder) {
    return loadSource(wrapLoader(std::move(loader), &LottieAnimationSource::lottieAnimation), std::move(placeholder));
}

LottieView LottieView::loadDotLottieFile(Loader<std::shared_ptr<const DotLottieFile>> loader,
                                         Placeholder placeholder) {
    return loadSource(wrapLoader(std::move(loader), &LottieAnimationSource::dotLottieFile), std::move(placeholder));
}

LottieView LottieView::loadSource(SourceLoader loader, Placeholder placeholder) {
    LottieView view;
    view.loadAnimation_ = std::move(loader);
    view.placeholder_ = placeholder ? std::move(placeholder) : Placeholder([] { return new QWidget; });
    return view;
}

std::optional<LottieAnimationSource> LottieView::animationSource(
    const std::optional<LottieAnimationSource>& remote) const {
    return localAnimation_ ? localAnimation_ : remote;
}

LottieView::Bridge LottieView::bridge(const std::optional<LottieAnimationSource>& remote,
                                      std::shared_ptr<PreparedRenderingLayer> prepared) const {
    Bridge bridge;
    const std::optional<LottieAnimationSource> source = animationSource(remote);
    bridge.configurations.reserve(configurations_.size() + 2);
    // Offered once: a layer built for another state is not kept alive by the bridge.
    auto offered = std::make_shared<std::shared_ptr<PreparedRenderingLayer>>(std::move(prepared));
    bridge.configurations.push_back([self = *this, source, offered](const ConfigurationContext& context) {
        self.updateAnimationView(source, context, std::exchange(*offered, nullptr));
    });
    bridge.configurations.insert(bridge.configurations.end(), configurations_.begin(), configurations_.end());
    if (hasFrameBinding()) bridge.configurations.push_back(bindingConfiguration());
    bridge.sizing = sizing_;
    bridge.makeContent = [self = *this, source] { return self.makeAnimationView(source); };
    return bridge;
}

LottieAnimationView* LottieView::makeAnimationView(const std::optional<LottieAnimationSource>& source) const {
    // The defaults are made here, once per hosted view, rather than in every value.
    auto textProvider = textProvider_ ? textProvider_ : std::make_shared<DefaultTextProvider>();
    auto fontProvider = fontProvider_ ? fontProvider_ : std::make_shared<DefaultFontProvider>();
    if (source && source->dotLottie()) {
        return new LottieAnimationView(source->dotLottie(), std::nullopt, std::move(textProvider),
                                       std::move(fontProvider), configuration_, logger_);
    }
    return new LottieAnimationView(source ? source->animation() : nullptr,
                                   imageProviderConfiguration_ ? imageProviderConfiguration_->imageProvider : nullptr,
                                   std::move(textProvider), std::move(fontProvider), configuration_, logger_);
}

void LottieView::updateAnimationView(const std::optional<LottieAnimationSource>& source,
                                     const ConfigurationContext& context,
                                     std::shared_ptr<PreparedRenderingLayer> prepared) const {
    if (!source) return;
    LottieAnimationView& view = context.view();
    LottieAnimationLayer& layer = *view.lottieAnimationLayer();
    std::optional<LottiePlaybackMode> mode = playbackMode_;
    std::optional<double> speed = animationSpeed_;
    std::optional<ImageProviderConfiguration> images = imageProviderConfiguration_;

    std::shared_ptr<const LottieAnimation> animation;
    const DotLottieEntry* entry = nullptr;
    if (const auto& file = source->dotLottie()) {
        if (!file->animations().empty()) {
            entry = &file->animations().front();
            const DotLottieConfiguration& packaged = entry->configuration;
            if (dotLottieConfigurationComponents_.contains(DotLottieConfigurationComponents::loopMode()) && mode) {
                mode = mode->replacingLoopMode(packaged.loopMode);
            }
            if (dotLottieConfigurationComponents_.contains(DotLottieConfigurationComponents::animationSpeed())) {
                speed = packaged.speed;
            }
            if (dotLottieConfigurationComponents_.contains(DotLottieConfigurationComponents::imageProvider()) &&
                file->imageProvider()) {
                images = ImageProviderConfiguration{
                    file->imageProvider(), [](const AnimationImageProvider* a, const AnimationImageProvider* b) {
                        const auto* left = dynamic_cast<const DotLottieImageProvider*>(a);
                        const auto* right = dynamic_cast<const DotLottieImageProvider*>(b);
                        return left != nullptr && right != nullptr && left->filepath() == right->filepath();
                    }};
            }
            animation = entry->animation();
        }
    } else {
        animation = source->animation();
    }

    // Animations are compared by identity: an equal copy is a new animation.
    if (animation != layer.animation() && (entry != nullptr || source->animation())) {
        if (entry != nullptr) {
            layer.loadDotLottieAnimation(*entry, std::move(prepared));
        } else {
            view.setAnimation(animation, std::move(prepared));
        }
        context.container.invalidateIntrinsicContentSize();
        if (animationDidLoad_) {
            platform::foundation::MainRunLoop::shared().post(
                [callback = animationDidLoad_, loaded = *source] { callback(loaded); });
        }
    }
    if (mode && (!layer.currentPlaybackMode() || *layer.currentPlaybackMode() != *mode)) {
        view.adoptPlaybackMode(*mode, animationCompletionHandler_);
    }
    if (images && !images->imageProvidersAreEqual(images->imageProvider.get(), layer.imageProvider().get())) {
        view.setImageProvider(images->imageProvider);
    }
    if (speed && *speed != layer.animationSpeed()) view.setAnimationSpeed(*speed);
}

}  // namespace lottie
