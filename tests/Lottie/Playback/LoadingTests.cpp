#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/Cache/DefaultAnimationCache.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Lottie/Playback/Loading/LottieURLSession.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Platform/Foundation/MainRunLoop.h"
#include "Platform/Foundation/NotificationCenter.h"
#include "tests/Lottie/Playback/RecordingLogger.h"
#include "tests/Support/LocalHttpServer.h"
#include "tests/Support/TestSupport.h"

using namespace lottie;
namespace fs = std::filesystem;

namespace {

const char* document = R"({"v":"5.7","fr":25,"ip":10,"op":110,"w":100,"h":50,"layers":[],
  "markers":[{"cm":"a","tm":35,"dr":10},{"cm":"before","tm":0,"dr":1},{"cm":"after","tm":500,"dr":1}]})";

std::shared_ptr<DefaultAnimationCache> freshCache() {
    static platform::foundation::NotificationCenter centre;
    return std::make_shared<DefaultAnimationCache>(centre);
}

TEST(AnimationLoading, NamedResourcesComeFromTheCacheAfterTheFirstLoad) {
    testsupport::TemporaryDirectory bundleFolder;
    fs::create_directories(bundleFolder.path() / "anims");
    testsupport::writeFile(bundleFolder.path() / "anims" / "intro.json", document);
    platform::foundation::Bundle bundle(bundleFolder.path());
    auto cache = freshCache();

    auto first = LottieAnimation::loadNamed("intro", bundle, std::string("anims"), cache);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->framerate, 25);
    fs::remove(bundleFolder.path() / "anims" / "intro.json");
    // The cache answers without touching the bundle...
    EXPECT_EQ(LottieAnimation::loadNamed("intro", bundle, std::string("anims"), cache), first);
    // ... but "intro.json" is a key of its own, so it reads the (now missing) file again.
    RecordingLogger recorder;
    EXPECT_FALSE(LottieAnimation::loadNamed("intro.json", bundle, std::string("anims"), cache));
    ASSERT_EQ(recorder.warnings.size(), 1u);
    EXPECT_EQ(recorder.warnings[0].rfind("Error when decoding animation \"intro.json\": ", 0), 0u);
    EXPECT_EQ(recorder.files[0], "Lottie/LottieAnimationHelpers");
}

TEST(AnimationLoading, BundleAndSubdirectoryDoNotRunTogetherInTheCacheKey) {
    testsupport::TemporaryDirectory root;
    fs::create_directories(root.path() / "a" / "b" / "c");
    fs::create_directories(root.path() / "a" / "bc");
    testsupport::writeFile(root.path() / "a" / "b" / "c" / "x.json", document);
    testsupport::writeFile(root.path() / "a" / "bc" / "x.json",
                           R"({"v":"5","fr":60,"ip":0,"op":1,"w":1,"h":1,"layers":[]})");
    auto cache = freshCache();
    auto first = LottieAnimation::loadNamed("x", platform::foundation::Bundle(root.path() / "a" / "b"), std::string("c"), cache);
    auto second = LottieAnimation::loadNamed("x", platform::foundation::Bundle(root.path() / "a" / "bc"), std::nullopt, cache);
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_EQ(first->framerate, 25);
    EXPECT_EQ(second->framerate, 60);
}

TEST(AnimationLoading, NamesFallBackToDataAssetsAndDropTheirExtension) {
    testsupport::TemporaryDirectory bundleFolder;
    fs::create_directories(bundleFolder.path() / "Assets" / "sub");
    testsupport::writeFile(bundleFolder.path() / "Assets" / "sub" / "logo", document);
    testsupport::writeFile(bundleFolder.path() / "plain.json", document);
    platform::foundation::Bundle bundle(bundleFolder.path());
    EXPECT_TRUE(LottieAnimation::loadNamed("logo", bundle, std::string("sub")));
    EXPECT_TRUE(LottieAnimation::loadNamed("plain.json", bundle));
    EXPECT_TRUE(LottieAnimation::fromAsset("sub/logo", bundle));
    RecordingLogger recorder;
    EXPECT_FALSE(LottieAnimation::fromAsset("nothing", bundle));
    ASSERT_EQ(recorder.warnings.size(), 1u);
    EXPECT_EQ(recorder.warnings[0].rfind("Failed to load animation with asset name nothing in " +
                                             bundle.bundlePath().string() + "\nwith underlying error: ",
                                         0),
              0u);
}

TEST(AnimationLoading, FilePathFailuresWarnOnceAndLeaveTheCacheAlone) {
    testsupport::TemporaryDirectory folder;
    auto cache = freshCache();
    RecordingLogger recorder;
    std::string missing = (folder.path() / "missing.json").string();
    EXPECT_FALSE(LottieAnimation::loadFromFilepath(missing, cache));
    testsupport::writeFile(folder.path() / "broken.json", "[1,2]");
    EXPECT_FALSE(LottieAnimation::loadFromFilepath((folder.path() / "broken.json").string(), cache));
    ASSERT_EQ(recorder.warnings.size(), 2u);
    EXPECT_EQ(recorder.warnings[0].rfind("Failed to load animation from filepath " + missing + "\nwith underlying error: ", 0), 0u);
    EXPECT_EQ(cache->count(), 0u);
    testsupport::writeFile(folder.path() / "good.json", document);
    auto good = LottieAnimation::loadFromFilepath((folder.path() / "good.json").string(), cache);
    EXPECT_TRUE(good);
    EXPECT_EQ(cache->count(), 1u);
}

// Waits for the main run loop to receive work from another thread, then runs it.
void runMainLoopUntil(const std::function<bool()>& done) {
    auto& loop = platform::foundation::MainRunLoop::shared();
    std::mutex lock;
    std::condition_variable posted;
    bool pending = false;
    loop.setWakeUpHandler([&] {
        std::lock_guard guard(lock);
        pending = true;
        posted.notify_all();
    });
    for (int round = 0; round < 200 && !done(); ++round) {
        {
            std::unique_lock guard(lock);
            posted.wait_for(guard, std::chrono::milliseconds(100), [&] { return pending || loop.pendingCount() > 0; });
            pending = false;
        }
        loop.drain();
    }
    loop.setWakeUpHandler(nullptr);
}

TEST(AnimationLoading, AddressesDecodeAnyBodyAndReportFailuresAsNothing) {
    platform::foundation::MainRunLoop::shared().setMainThread(std::this_thread::get_id());
    testsupport::LocalHttpServer server;
    server.setRoute("/ok.json", {200, document, false});
    server.setRoute("/missing.json", {404, document, false});  // the status is not examined
    server.setRoute("/html", {200, "<html></html>", false});
    server.setRoute("/hangup", {200, "", true});
    platform::foundation::URLSession platformSession;
    PlatformLottieURLSession session(platformSession);
    auto cache = freshCache();

    struct Expectation {
        std::string path;
        bool decodes;
    };
    for (const Expectation& expectation : std::vector<Expectation>{{"/ok.json", true}, {"/missing.json", true},
                                                                   {"/html", false}, {"/hangup", false}}) {
        SCOPED_TRACE(expectation.path);
        int calls = 0;
        std::shared_ptr<const LottieAnimation> result;
        auto task = LottieAnimation::loadFromURL(server.url(expectation.path), session,
                                                 [&](std::shared_ptr<const LottieAnimation> animation) {
                                                     EXPECT_TRUE(platform::foundation::MainRunLoop::shared().isMainThread());
                                                     ++calls;
                                                     result = std::move(animation);
                                                 },
                                                 cache);
        EXPECT_TRUE(task);
        runMainLoopUntil([&] { return calls > 0; });
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(result != nullptr, expectation.decodes);
    }
    EXPECT_EQ(cache->count(), 2u);

    // A cached address answers at once, on the calling thread, without a request.
    int requests = server.requestCount();
    int calls = 0;
    auto task = LottieAnimation::loadFromURL(server.url("/ok.json"), session,
                                             [&](std::shared_ptr<const LottieAnimation> animation) {
                                                 ++calls;
                                                 EXPECT_TRUE(animation);
                                             },
                                             cache);
    EXPECT_FALSE(task);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(server.requestCount(), requests);
}

TEST(AnimationQueries, ProgressAndMarkerFrames) {
    auto animation = LottieAnimation::fromData(document, DecodingStrategy::dictionaryBased);
    EXPECT_DOUBLE_EQ(*animation->progressForMarker("a"), 0.25);
    EXPECT_EQ(*animation->progressForMarker("before"), 0.0);
    EXPECT_EQ(*animation->progressForMarker("after"), 1.0);
    EXPECT_FALSE(animation->progressForMarker("nope"));
    EXPECT_FALSE(animation->frameForMarker("nope"));
    EXPECT_FALSE(animation->durationForMarker("nope"));
    EXPECT_EQ(*animation->frameForMarker("a"), 35);
    EXPECT_EQ(*animation->durationForMarker("a"), 10);
    EXPECT_DOUBLE_EQ(animation->progressForFrame(60), 0.5);
    EXPECT_EQ(animation->progressForFrame(200), 1.0);
    EXPECT_EQ(animation->progressForFrame(0), 0.0);
    EXPECT_DOUBLE_EQ(animation->progressForFrame(210, false), 2.0);
    EXPECT_DOUBLE_EQ(animation->frameForTime(2), 60);

    auto flat = LottieAnimation::fromData(R"({"v":"5","fr":30,"ip":5,"op":5,"w":1,"h":1,"layers":[]})",
                                          DecodingStrategy::dictionaryBased);
    EXPECT_EQ(flat->progressForFrame(7), 0.0);
    EXPECT_FALSE(flat->progressForMarker("a"));
}

}  // namespace
