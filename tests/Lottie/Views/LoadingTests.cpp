// The view's loading forms: JSON by file path, bundle name, data asset and
// address, dotLottie packages by file path and address with and without a
// matching id, the dotLottie entry operations, and loading by animation name.
#include <QCoreApplication>
#include <filesystem>
#include <unistd.h>
#include <thread>

#include "Lottie/DotLottie/DotLottieError.h"
#include "Lottie/Playback/Loading/LottieURLSession.h"
#include "Lottie/Views/LottieDownloadError.h"
#include "Lottie/Playback/Cache/DefaultAnimationCache.h"
#include "Platform/Foundation/MainRunLoop.h"
#include "tests/Lottie/DotLottie/Package/PackageTestSupport.h"
#include "tests/Lottie/Views/ViewsTestSupport.h"
#include "tests/Support/LocalHttpServer.h"
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

// The kind of error a load reported: "none", "download", "no animation" or "other".
std::string errorKind(const std::exception_ptr& error) {
    if (!error) return "none";
    try {
        std::rethrow_exception(error);
    } catch (const lottie::LottieDownloadError&) {
        return "download";
    } catch (const lottie::DotLottieError& e) {
        return e.kind() == lottie::DotLottieError::Kind::animationNotAvailable ? "no animation" : "other";
    } catch (...) {
        return "other";
    }
}

TEST_F(ViewLoading, PackagesLoadOnTheirQueueAndAnIdThatMatchesNothingIsAnError) {
    const auto write = [&](const char* name, const platform::foundation::Data& data) {
        testsupport::writeFile(folder.path() / name, std::string(reinterpret_cast<const char*>(data.data()), data.size()));
        return (folder.path() / name).string();
    };
    const std::string package = write("clip.lottie", packagetest::packageOf({"first", "second"}));
    // Its second animation is no document: only the first is decoded by the load.
    const std::string halfBroken = write(
        "half.lottie",
        packagetest::zipped({ziptest::TestEntry::file("manifest.json", packagetest::manifestJson({"first", "second"})),
                             ziptest::TestEntry::file("animations/first.json", packagetest::animationJson()),
                             ziptest::TestEntry::file("animations/second.json", "{not json")}));
    struct Case {
        std::string package;
        std::optional<std::string> id;
        const char* error;  // errorKind() of what the completion hears
    };
    const Case cases[] = {{package, std::nullopt, "none"},
                          {package, "second", "none"},
                          {package, "third", "no animation"},
                          {halfBroken, std::nullopt, "none"},
                          {halfBroken, "second", "other"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.package + " " + c.id.value_or("first"));
        LoadRecord record;
        std::unique_ptr<LottieAnimationView> view(LottieAnimationView::dotLottieFilePath(
            c.package, c.id, nullptr, lottie::LottieConfiguration::shared(), record.completion()));
        EXPECT_EQ(view->animation(), nullptr) << "loads after the call returns";
        waitFor(record);
        EXPECT_EQ(record.calls, 1);
        EXPECT_EQ(errorKind(record.error), c.error);
        EXPECT_EQ(view->animation() != nullptr, std::string(c.error) == "none");
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

TEST_F(ViewLoading, AddressesLoadOnTheMainRunLoopAndReportWhatFailed) {
    platform::foundation::MainRunLoop::shared().setMainThread(std::this_thread::get_id());
    testsupport::LocalHttpServer server;
    server.setRoute("/clip.json", {200, viewstest::document(120, 60), false});
    server.setRoute("/broken.json", {200, "not json", false});
    server.setRoute("/gone.json", {200, "", true});
    const auto& package = packagetest::packageOf({"first", "second"});
    server.setRoute("/clip.lottie", {200, std::string(reinterpret_cast<const char*>(package.data()), package.size()),
                                     false});
    platform::foundation::URLSession platformSession;
    lottie::PlatformLottieURLSession session(platformSession);
    struct Case {
        const char* name;
        std::function<LottieAnimationView*(LottieAnimationView::LoadCompletion)> make;
        const char* error;
        QSize size;  // once loaded; the test packages' animations are 100 x 100
    };
    const auto json = [&](const char* path) {
        return [&, path](LottieAnimationView::LoadCompletion done) {
            return LottieAnimationView::url(server.url(path), session, std::move(done));
        };
    };
    const auto dotLottie = [&](std::optional<std::string> id) {
        return [&, id](LottieAnimationView::LoadCompletion done) {
            return LottieAnimationView::dotLottieUrl(server.url("/clip.lottie"), session, id, nullptr,
                                                     lottie::LottieConfiguration::shared(), std::move(done));
        };
    };
    const Case cases[] = {
        {"json", json("/clip.json"), "none", {120, 60}},
        {"json that does not decode", json("/broken.json"), "download", {0, 0}},
        {"json, connection closed", json("/gone.json"), "download", {0, 0}},
        {"package", dotLottie(std::nullopt), "none", {100, 100}},
        {"package entry by id", dotLottie("second"), "none", {100, 100}},
        {"package without the id", dotLottie("third"), "no animation", {0, 0}},
    };
    for (const Case& c : cases) {
        LoadRecord record;
        std::unique_ptr<LottieAnimationView> view(c.make(record.completion()));
        EXPECT_EQ(view->animation(), nullptr) << c.name << ": loads after the call returns";
        waitFor(record);
        EXPECT_EQ(record.calls, 1) << c.name;
        EXPECT_EQ(errorKind(record.error), c.error) << c.name;
        EXPECT_EQ(view->animation() != nullptr, std::string(c.error) == "none") << c.name;
        EXPECT_EQ(view->sizeHint(), c.size) << c.name;
    }

    // A cached address answers at once, without asking the server.
    auto cache = std::make_shared<lottie::DefaultAnimationCache>();
    LoadRecord first;
    std::unique_ptr<LottieAnimationView> fetched(
        LottieAnimationView::url(server.url("/clip.json"), session, first.completion(), nullptr, cache));
    waitFor(first);
    const int requests = server.requestCount();
    LoadRecord second;
    std::unique_ptr<LottieAnimationView> cached(
        LottieAnimationView::url(server.url("/clip.json"), session, second.completion(), nullptr, cache));
    EXPECT_EQ(second.calls, 1);
    EXPECT_EQ(second.error, nullptr);
    EXPECT_EQ(cached->animation(), fetched->animation());
    EXPECT_EQ(server.requestCount(), requests);
}

TEST_F(ViewLoading, DataAssetsAndAnimationNamesLoadSynchronously) {
    std::filesystem::create_directories(folder.path() / "Assets");
    testsupport::writeFile(folder.path() / "Assets" / "clip", viewstest::document(120, 60));
    platform::foundation::Bundle bundle(folder.path());
    struct Case {
        const char* name;
        std::function<LottieAnimationView*()> make;
        bool loads;
    };
    const Case cases[] = {
        {"asset", [&] { return LottieAnimationView::asset("clip", bundle); }, true},
        {"missing asset", [&] { return LottieAnimationView::asset("none", bundle); }, false},
    };
    for (const Case& c : cases) {
        std::unique_ptr<LottieAnimationView> view(c.make());
        EXPECT_EQ(view->animation() != nullptr, c.loads) << c.name;
        EXPECT_EQ(view->sizeHint(), c.loads ? QSize(120, 60) : QSize(0, 0)) << c.name;
    }

    // A name is looked up in the main bundle: the folder of the test program.
    const std::string name = "pellor-views-name-" + std::to_string(::getpid());
    const auto file = platform::foundation::Bundle::main().bundlePath() / (name + ".json");
    testsupport::writeFile(file, viewstest::document(80, 40));
    auto view = makeView(nullptr);
    view->setAnimationName(name);
    std::filesystem::remove(file);
    EXPECT_EQ(view->animationName(), name);
    ASSERT_NE(view->animation(), nullptr);
    EXPECT_EQ(view->sizeHint(), QSize(80, 40));
    view->setAnimationName("pellor-views-no-such-name");
    EXPECT_EQ(view->animation(), nullptr);
    EXPECT_EQ(view->animationName(), "pellor-views-no-such-name");
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
    EXPECT_EQ(view.animation(), file->animations()[1].animation());
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
