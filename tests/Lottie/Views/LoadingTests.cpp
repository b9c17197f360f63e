// The view's loading forms: JSON by file path and bundle name, dotLottie
// packages by file path with and without a matching id, and the dotLottie
// entry operations.
#include <QCoreApplication>
#include <thread>

#include "Lottie/DotLottie/DotLottieError.h"
#include "Lottie/Playback/Cache/DefaultAnimationCache.h"
#include "Platform/Foundation/MainRunLoop.h"
#include "tests/Lottie/DotLottie/Package/PackageTestSupport.h"
#include "tests/Lottie/Views/ViewsTestSupport.h"
#include "tests/Support/TestSupport.h"

namespace {

using lottie::LottieAnimationView;
using viewstest::ViewsTest;

struct LoadRecord {
    int calls = 0;
    std::exception_ptr error;
    LottieAnimationView::LoadCompletion completion() {
        return [this](LottieAnimationView&, std::exception_ptr e) {
            ++calls;
            error = e;
        };
    }
};

class ViewLoading : public ViewsTest {
protected:
    void waitFor(const LoadRecord& record) {
        while (record.calls == 0) {
            platform::foundation::MainRunLoop::shared().runOnce();
            std::this_thread::yield();
        }
        settle();
    }
    testsupport::TemporaryDirectory folder;
};

TEST_F(ViewLoading, JsonFormsLoadSynchronouslyAndMissingFilesLeaveAnEmptyView) {
    testsupport::writeFile(folder.path() / "clip.json", viewstest::document(120, 60));
    platform::foundation::Bundle bundle(folder.path());
    auto cache = std::make_shared<lottie::DefaultAnimationCache>();
    struct Case {
        const char* name;
        std::function<LottieAnimationView*()> make;
        bool loads;
    };
    const Case cases[] = {
        {"file path", [&] { return LottieAnimationView::filePath((folder.path() / "clip.json").string()); }, true},
        {"name", [&] { return LottieAnimationView::named("clip", bundle, std::nullopt, nullptr, cache); }, true},
        {"name with extension", [&] { return LottieAnimationView::named("clip.json", bundle); }, true},
        {"missing file", [&] { return LottieAnimationView::filePath((folder.path() / "none.json").string()); }, false},
        {"missing name", [&] { return LottieAnimationView::named("none", bundle); }, false},
    };
    for (const Case& c : cases) {
        std::unique_ptr<LottieAnimationView> view(c.make());
        EXPECT_EQ(view->animation() != nullptr, c.loads) << c.name;
        EXPECT_EQ(view->sizeHint(), c.loads ? QSize(120, 60) : QSize(0, 0)) << c.name;
    }
    EXPECT_NE(cache->animationForKey(folder.path().string() + "/clip"), nullptr);
}

TEST_F(ViewLoading, PackagesLoadOnTheirQueueAndAnIdThatMatchesNothingIsAnError) {
    const auto package = folder.path() / "clip.lottie";
    const auto& data = packagetest::packageOf({"first", "second"});
    testsupport::writeFile(package, std::string(reinterpret_cast<const char*>(data.data()), data.size()));
    struct Case {
        std::optional<std::string> id;
        bool loads;
    };
    for (const Case& c : {Case{std::nullopt, true}, Case{"second", true}, Case{"third", false}}) {
        LoadRecord record;
        std::unique_ptr<LottieAnimationView> view(
            LottieAnimationView::dotLottieFilePath(package.string(), c.id, nullptr, lottie::LottieConfiguration::shared(),
                                                   record.completion()));
        EXPECT_EQ(view->animation(), nullptr) << "loads after the call returns";
        waitFor(record);
        EXPECT_EQ(record.calls, 1);
        EXPECT_EQ(view->animation() != nullptr, c.loads) << c.id.value_or("first");
        EXPECT_EQ(record.error == nullptr, c.loads) << c.id.value_or("first");
        if (!c.loads) {
            try {
                std::rethrow_exception(record.error);
            } catch (const lottie::DotLottieError& error) {
                EXPECT_EQ(error.kind(), lottie::DotLottieError::Kind::animationNotAvailable);
            }
        }
    }
    LoadRecord broken;
    testsupport::writeFile(folder.path() / "broken.lottie", "not a zip");
    std::unique_ptr<LottieAnimationView> view(LottieAnimationView::dotLottieFilePath(
        (folder.path() / "broken.lottie").string(), std::nullopt, nullptr, lottie::LottieConfiguration::shared(),
        broken.completion()));
    waitFor(broken);
    EXPECT_NE(broken.error, nullptr);
    EXPECT_EQ(view->animation(), nullptr);
}

TEST_F(ViewLoading, EntryOperationsIgnoreNegativeIndexesAndUnknownIds) {
    const auto file = lottie::DotLottieFile::load(packagetest::packageOf({"first", "second"}), "clip");
    lottie::LottieAnimationView view(file, std::nullopt);
    const auto first = view.animation();
    ASSERT_NE(first, nullptr);
    view.loadDotLottieAnimationAtIndex(-1, *file);
    EXPECT_EQ(view.animation(), first);
    view.loadDotLottieAnimationById("third", *file);
    EXPECT_EQ(view.animation(), first);
    view.loadDotLottieAnimationAtIndex(1, *file);
    EXPECT_EQ(view.animation(), file->animations()[1].animation);
}

TEST_F(ViewLoading, AnimationLoadedHearsOfEveryAnimationAndNamesLoadFromTheMainBundle) {
    auto view = makeView(nullptr);
    int loaded = 0;
    view->setAnimationLoaded([&loaded](LottieAnimationView&, const auto&) { ++loaded; });
    EXPECT_EQ(loaded, 0) << "no animation yet";
    view->setAnimation(viewstest::animation());
    EXPECT_EQ(loaded, 1);
    EXPECT_EQ(view->sizeHint(), QSize(100, 50));
    view->setAnimationLoaded([&loaded](LottieAnimationView&, const auto&) { loaded += 10; });
    EXPECT_EQ(loaded, 11) << "a closure set after the load hears of it at once";
    view->setAnimationName(std::nullopt);
    EXPECT_EQ(view->animation(), nullptr);
    EXPECT_EQ(view->sizeHint(), QSize(0, 0));
}

}  // namespace
