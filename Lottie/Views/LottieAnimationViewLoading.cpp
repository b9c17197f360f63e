// The animation view's loading forms: JSON animations from a bundle, a file, a
// data asset or an address, and dotLottie packages from the same places. Each
// ends in one of the view's constructors; what finishes later (addresses,
// packages) is applied on the main run loop to the view if it still exists.
#include <filesystem>

#include "Lottie/DotLottie/DotLottieError.h"
#include "Lottie/Playback/Cache/AnimationCacheProvider.h"
#include "Lottie/Playback/Loading/LottieURLSession.h"
#include "Lottie/Playback/Providers/BundleImageProvider.h"
#include "Lottie/Playback/Providers/DefaultFontProvider.h"
#include "Lottie/Playback/Providers/DefaultTextProvider.h"
#include "Lottie/Playback/Providers/FilepathImageProvider.h"
#include "Lottie/Views/LottieAnimationView.h"
#include "Lottie/Views/LottieDownloadError.h"

namespace lottie {

namespace {

using platform::compositor::ContentsGravity;

std::shared_ptr<AnimationImageProvider> bundleImages(const platform::foundation::Bundle& bundle) {
    return std::make_shared<BundleImageProvider>(bundle, std::nullopt, ContentsGravity::resize);
}

LottieAnimationView* viewFor(std::shared_ptr<const LottieAnimation> animation,
                             std::shared_ptr<AnimationImageProvider> images, LottieConfiguration configuration) {
    return new LottieAnimationView(std::move(animation), std::move(images), std::make_shared<DefaultTextProvider>(),
                                   std::make_shared<DefaultFontProvider>(), std::move(configuration),
                                   LottieLogger::shared());
}

LottieAnimationView* emptyPackageView(LottieConfiguration configuration) {
    return new LottieAnimationView(std::shared_ptr<const DotLottieFile>(), std::nullopt,
                                   std::make_shared<DefaultTextProvider>(), std::make_shared<DefaultFontProvider>(),
                                   std::move(configuration), LottieLogger::shared());
}

// Applies a finished package load to the view, if it still exists. A package
// without the animation asked for is a failure, not an empty success.
DotLottieFile::Handler applyPackage(LottieAnimationView* view, std::optional<std::string> animationId,
                                    LottieAnimationView::LoadCompletion completion) {
    QPointer<LottieAnimationView> target(view);
    return [target, animationId = std::move(animationId), completion = std::move(completion)](DotLottieResult result) {
        if (!target) return;
        std::exception_ptr error = result.error();
        if (!error) {
            if (const DotLottieEntry* entry = result.file()->findAnimation(animationId)) {
                // An animation other than the first is decoded now; one that
                // cannot be is the load's failure.
                try {
                    entry->decodedAnimation();
                    target->lottieAnimationLayer()->loadDotLottieAnimation(*entry);
                    target->scheduleFrame();
                } catch (const std::exception&) {
                    error = std::current_exception();
                }
            } else {
                error = std::make_exception_ptr(DotLottieError::animationNotAvailable(animationId));
            }
        }
        if (completion) completion(*target, error);
    };
}

}  // namespace

LottieAnimationView* LottieAnimationView::named(const std::string& name, const platform::foundation::Bundle& bundle,
                                                const std::optional<std::string>& subdirectory,
                                                std::shared_ptr<AnimationImageProvider> imageProvider,
                                                LottieAnimation::Cache animationCache,
                                                LottieConfiguration configuration) {
    auto animation = LottieAnimation::loadNamed(name, bundle, subdirectory, animationCache);
    return viewFor(std::move(animation), imageProvider ? std::move(imageProvider) : bundleImages(bundle),
                   std::move(configuration));
}

LottieAnimationView* LottieAnimationView::filePath(const std::string& path,
                                                   std::shared_ptr<AnimationImageProvider> imageProvider,
                                                   LottieAnimation::Cache animationCache,
                                                   LottieConfiguration configuration) {
    auto animation = LottieAnimation::loadFromFilepath(path, animationCache);
    if (!imageProvider) {
        imageProvider = std::make_shared<FilepathImageProvider>(std::filesystem::path(path).parent_path(),
                                                                ContentsGravity::resize);
    }
    return viewFor(std::move(animation), std::move(imageProvider), std::move(configuration));
}

LottieAnimationView* LottieAnimationView::asset(const std::string& name, const platform::foundation::Bundle& bundle,
                                                std::shared_ptr<AnimationImageProvider> imageProvider,
                                                LottieAnimation::Cache animationCache,
                                                LottieConfiguration configuration) {
    auto animation = LottieAnimation::fromAsset(name, bundle, animationCache);
    return viewFor(std::move(animation), imageProvider ? std::move(imageProvider) : bundleImages(bundle),
                   std::move(configuration));
}

LottieAnimationView* LottieAnimationView::url(const std::string& url, LottieURLSession& session,
                                              LoadCompletion completion,
                                              std::shared_ptr<AnimationImageProvider> imageProvider,
                                              LottieAnimation::Cache animationCache,
                                              LottieConfiguration configuration) {
    if (animationCache) {
        if (auto animation = animationCache->animationForKey(url)) {
            LottieAnimationView* view = viewFor(std::move(animation), std::move(imageProvider), std::move(configuration));
            if (completion) completion(*view, nullptr);
            return view;
        }
    }
    LottieAnimationView* view = viewFor(nullptr, std::move(imageProvider), std::move(configuration));
    QPointer<LottieAnimationView> target(view);
    LottieAnimation::loadFromURL(
        url, session,
        [target, completion = std::move(completion)](std::shared_ptr<const LottieAnimation> animation) {
            if (!target) return;
            if (animation) {
                target->setAnimation(std::move(animation));
                if (completion) completion(*target, nullptr);
            } else if (completion) {
                completion(*target, std::make_exception_ptr(LottieDownloadError::downloadFailed()));
            }
        },
        animationCache);
    return view;
}

LottieAnimationView* LottieAnimationView::dotLottieNamed(const std::string& name,
                                                         const platform::foundation::Bundle& bundle,
                                                         const std::optional<std::string>& subdirectory,
                                                         const std::optional<std::string>& animationId,
                                                         std::shared_ptr<DotLottieCacheProvider> dotLottieCache,
                                                         LottieConfiguration configuration, LoadCompletion completion) {
    LottieAnimationView* view = emptyPackageView(std::move(configuration));
    DotLottieFile::named(name, bundle, subdirectory, std::move(dotLottieCache), dotLottieQueue(),
                         applyPackage(view, animationId, std::move(completion)));
    return view;
}

LottieAnimationView* LottieAnimationView::dotLottieFilePath(const std::string& path,
                                                            const std::optional<std::string>& animationId,
                                                            std::shared_ptr<DotLottieCacheProvider> dotLottieCache,
                                                            LottieConfiguration configuration,
                                                            LoadCompletion completion) {
    LottieAnimationView* view = emptyPackageView(std::move(configuration));
    DotLottieFile::loadedFromFilepath(path, std::move(dotLottieCache), dotLottieQueue(),
                                      applyPackage(view, animationId, std::move(completion)));
    return view;
}

LottieAnimationView* LottieAnimationView::dotLottieAsset(const std::string& name,
                                                         const platform::foundation::Bundle& bundle,
                                                         const std::optional<std::string>& animationId,
                                                         std::shared_ptr<DotLottieCacheProvider> dotLottieCache,
                                                         LottieConfiguration configuration, LoadCompletion completion) {
    LottieAnimationView* view = emptyPackageView(std::move(configuration));
    DotLottieFile::asset(name, bundle, std::move(dotLottieCache), dotLottieQueue(),
                         applyPackage(view, animationId, std::move(completion)));
    return view;
}

LottieAnimationView* LottieAnimationView::dotLottieUrl(const std::string& url, LottieURLSession& session,
                                                       const std::optional<std::string>& animationId,
                                                       std::shared_ptr<DotLottieCacheProvider> dotLottieCache,
                                                       LottieConfiguration configuration, LoadCompletion completion) {
    if (dotLottieCache) {
        if (auto file = dotLottieCache->cachedFile(url)) {
            auto* view = new LottieAnimationView(file, animationId, std::make_shared<DefaultTextProvider>(),
                                                 std::make_shared<DefaultFontProvider>(), std::move(configuration),
                                                 LottieLogger::shared());
            std::exception_ptr error;
            if (!file->findAnimation(animationId)) {
                error = std::make_exception_ptr(DotLottieError::animationNotAvailable(animationId));
            }
            if (completion) completion(*view, error);
            return view;
        }
    }
    LottieAnimationView* view = emptyPackageView(std::move(configuration));
    DotLottieFile::loadedFromURL(url, session, std::move(dotLottieCache),
                                 applyPackage(view, animationId, std::move(completion)));
    return view;
}

void LottieAnimationView::setAnimationName(std::optional<std::string> name) {
    animationName_ = std::move(name);
    if (!animationName_) {
        setAnimation(nullptr);
        return;
    }
    setAnimation(LottieAnimation::loadNamed(*animationName_, platform::foundation::Bundle::main()));
}

}  // namespace lottie
