#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/Cache/DefaultAnimationCache.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Lottie/Playback/Loading/LottieURLSession.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Platform/Foundation/MainRunLoop.h"
#include "Platform/Foundation/NotificationCenter.h"
#include "tests/Lottie/Playback/PlaybackTestSupport.h"
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

// A temporary folder that files are written into, folders and all.
class AnimationLoading : public ::testing::Test {
protected:
    fs::path write(const fs::path& relative, const std::string& text = document) {
        const fs::path path = folder.path() / relative;
        fs::create_directories(path.parent_path());
        testsupport::writeFile(path, text);
        return path;
    }

    testsupport::TemporaryDirectory folder;
    std::shared_ptr<DefaultAnimationCache> cache = freshCache();
};

TEST_F(AnimationLoading, NamedResourcesComeFromTheCacheAfterTheFirstLoad) {
    const fs::path file = write("anims/intro.json");
    platform::foundation::Bundle bundle(folder.path());
    auto first = LottieAnimation::loadNamed("intro", bundle, std::string("anims"), cache);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->framerate, 25);
    fs::remove(file);
    // The cache answers without touching the bundle...
    EXPECT_EQ(LottieAnimation::loadNamed("intro", bundle, std::string("anims"), cache), first);
    // ... but "intro.json" is a key of its own, so it reads the (now missing) file again.
    playbacktest::RecordingLogger recorder;
    EXPECT_FALSE(LottieAnimation::loadNamed("intro.json", bundle, std::string("anims"), cache));
    ASSERT_EQ(recorder.warnings.size(), 1u);
    EXPECT_EQ(recorder.warnings[0].rfind("Error when decoding animation \"intro.json\": ", 0), 0u);
    EXPECT_EQ(recorder.files[0], "Lottie/LottieAnimationHelpers");
}

TEST_F(AnimationLoading, BundleAndSubdirectoryDoNotRunTogetherInTheCacheKey) {
    write("a/b/c/x.json");
    write("a/bc/x.json", R"({"v":"5","fr":60,"ip":0,"op":1,"w":1,"h":1,"layers":[]})");
    using platform::foundation::Bundle;
    auto first = LottieAnimation::loadNamed("x", Bundle(folder.path() / "a" / "b"), std::string("c"), cache);
    auto second = LottieAnimation::loadNamed("x", Bundle(folder.path() / "a" / "bc"), std::nullopt, cache);
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_EQ(first->framerate, 25);
    EXPECT_EQ(second->framerate, 60);
}

TEST_F(AnimationLoading, NamesFallBackToDataAssetsAndDropTheirExtension) {
    write("Assets/sub/logo");
    write("plain.json");
    platform::foundation::Bundle bundle(folder.path());
    EXPECT_TRUE(LottieAnimation::loadNamed("logo", bundle, std::string("sub")));
    EXPECT_TRUE(LottieAnimation::loadNamed("plain.json", bundle));
    EXPECT_TRUE(LottieAnimation::fromAsset("sub/logo", bundle));
    playbacktest::RecordingLogger recorder;
    EXPECT_FALSE(LottieAnimation::fromAsset("nothing", bundle));
    ASSERT_EQ(recorder.warnings.size(), 1u);
    EXPECT_EQ(recorder.warnings[0].rfind("Failed to load animation with asset name nothing", 0), 0u);
}

TEST_F(AnimationLoading, FilePathFailuresWarnOnceAndLeaveTheCacheAlone) {
    playbacktest::RecordingLogger recorder;
    EXPECT_FALSE(LottieAnimation::loadFromFilepath((folder.path() / "missing.json").string(), cache));
    EXPECT_FALSE(LottieAnimation::loadFromFilepath(write("broken.json", "[1,2]").string(), cache));
    ASSERT_EQ(recorder.warnings.size(), 2u);
    EXPECT_EQ(recorder.warnings[0].rfind("Failed to load animation from filepath ", 0), 0u);
    EXPECT_EQ(cache->count(), 0u);
    EXPECT_TRUE(LottieAnimation::loadFromFilepath(write("good.json").string(), cache));
    EXPECT_EQ(cache->count(), 1u);
}

// Through the platform's session and a real socket: the body is decoded whatever the
// status (decode failures are the load task's tests), delivered once on the main run
// loop, and a cached address then answers at once, on the calling thread.
TEST_F(AnimationLoading, AddressesLoadThroughThePlatformSessionAndTheCache) {
    platform::foundation::MainRunLoop::shared().setMainThread(std::this_thread::get_id());
    testsupport::LocalHttpServer server;
    server.setRoute("/missing.json", {404, document, false});
    platform::foundation::URLSession platformSession;
    PlatformLottieURLSession session(platformSession);
    int calls = 0;
    std::shared_ptr<const LottieAnimation> result;
    auto record = [&](std::shared_ptr<const LottieAnimation> animation) {
        EXPECT_TRUE(platform::foundation::MainRunLoop::shared().isMainThread());
        ++calls;
        result = std::move(animation);
    };
    EXPECT_TRUE(LottieAnimation::loadFromURL(server.url("/missing.json"), session, record, cache));
    // Drive the main run loop by hand until the transfer's result has been posted to it.
    while (calls == 0) {
        platform::foundation::MainRunLoop::shared().runOnce();
        std::this_thread::yield();
    }
    EXPECT_EQ(calls, 1);
    ASSERT_TRUE(result);
    EXPECT_EQ(cache->count(), 1u);

    const int requests = server.requestCount();
    EXPECT_FALSE(LottieAnimation::loadFromURL(server.url("/missing.json"), session, record, cache));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(server.requestCount(), requests);
}

TEST(AnimationQueries, ProgressAndMarkerFrames) {
    auto animation = LottieAnimation::fromData(document, DecodingStrategy::dictionaryBased);
    EXPECT_DOUBLE_EQ(*animation->progressForMarker("a"), 0.25);
    EXPECT_EQ(*animation->progressForMarker("before"), 0.0);
    EXPECT_EQ(*animation->progressForMarker("after"), 1.0);
    EXPECT_FALSE(animation->progressForMarker("nope"));
    EXPECT_EQ(*animation->frameForMarker("a"), 35);
    EXPECT_EQ(*animation->durationForMarker("a"), 10);
    EXPECT_DOUBLE_EQ(animation->progressForFrame(60), 0.5);
    EXPECT_EQ(animation->progressForFrame(200), 1.0);
    EXPECT_DOUBLE_EQ(animation->progressForFrame(210, false), 2.0);
    EXPECT_DOUBLE_EQ(animation->frameForTime(2), 60);

    auto flat = LottieAnimation::fromData(R"({"v":"5","fr":30,"ip":5,"op":5,"w":1,"h":1,"layers":[]})",
                                          DecodingStrategy::dictionaryBased);
    EXPECT_EQ(flat->progressForFrame(7), 0.0);
    EXPECT_FALSE(flat->progressForMarker("a"));
}

}  // namespace
