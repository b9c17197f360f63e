// The package loaders in their three forms, with the package cache: where each
// looks, under which key it caches, on which thread its result arrives, and what
// it reports when the package is missing, empty or cancelled. Address loads go
// through the platform session to a server on 127.0.0.1, except where a
// hand-driven session has to decide exactly when a transfer ends.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <thread>
#include <vector>

#include "Lottie/DotLottie/DotLottieBlockingLoaders.h"
#include "Lottie/DotLottie/DotLottieCache.h"
#include "Lottie/DotLottie/DotLottieError.h"
#include "Lottie/DotLottie/DotLottieLoadTask.h"
#include "Lottie/DotLottie/Zip/ArchiveError.h"
#include "Platform/Foundation/DispatchQueue.h"
#include "Platform/Foundation/MainRunLoop.h"
#include "Platform/Foundation/NotificationCenter.h"
#include "Platform/Foundation/URLSessionError.h"
#include "tests/Lottie/DotLottie/Package/PackageTestSupport.h"
#include "tests/Lottie/Playback/ManualURLSession.h"
#include "tests/Support/LocalHttpServer.h"
#include "tests/Support/RecordingLogger.h"
#include "tests/Support/TestSupport.h"

using namespace lottie;
using namespace packagetest;
namespace fs = std::filesystem;
using platform::foundation::MainRunLoop;

namespace {

std::string textOf(const platform::foundation::Data& data) { return std::string(data.begin(), data.end()); }

// What the error of a failed result is, in a word.
std::string failureOf(const DotLottieResult& result) {
    try {
        result.get();
        return "none";
    } catch (const DotLottieError& error) {
        return "DotLottieError:" + std::to_string(static_cast<int>(error.kind()));
    } catch (const ArchiveError&) {
        return "ArchiveError";
    } catch (const platform::foundation::URLSessionError& error) {
        return error.code() == platform::foundation::URLError::Code::cancelled ? "cancelled" : "URLSessionError";
    } catch (const std::exception& error) {
        return std::string("other: ") + error.what();
    }
}

class PackageLoaders : public ::testing::Test {
protected:
    void SetUp() override {
        MainRunLoop::shared().setMainThread(std::this_thread::get_id());
        MainRunLoop::shared().drain();
        fs::create_directories(folder.path() / "anims");
        fs::create_directories(folder.path() / "Assets" / "anims");
        testsupport::writeFile(folder.path() / "clip.lottie", textOf(packageOf({"resource"})));
        testsupport::writeFile(folder.path() / "anims" / "clip.lottie", textOf(packageOf({"sub"})));
        testsupport::writeFile(folder.path() / "Assets" / "anims" / "asset", textOf(packageOf({"subasset"})));
        testsupport::writeFile(folder.path() / "Assets" / "asset", textOf(packageOf({"asset"})));
    }

    // A handler that records each result and checks it arrives on the main thread.
    DotLottieFile::Handler record() {
        return [this](DotLottieResult result) {
            EXPECT_TRUE(MainRunLoop::shared().isMainThread());
            results.push_back(std::move(result));
        };
    }
    // Runs the main run loop until `count` results have arrived.
    void waitForResults(std::size_t count) {
        while (results.size() < count) {
            MainRunLoop::shared().runOnce();
            std::this_thread::yield();
        }
    }
    std::string firstId(const DotLottieResult& result) {
        return result.succeeded() ? result.file()->animations().front().configuration.id : failureOf(result);
    }

    testsupport::TemporaryDirectory folder;
    platform::foundation::Bundle bundle{folder.path()};
    platform::foundation::NotificationCenter centre;
    std::shared_ptr<DotLottieCache> cache = std::make_shared<DotLottieCache>(centre);
    std::vector<DotLottieResult> results;
};

// Each completion form: what it loads, the key it caches under, and that a second
// load of the same key answers from the cache without reading anything.
TEST_F(PackageLoaders, CompletionFormsLoadOnTheQueueAndAnswerOnTheMainThread) {
    const std::string root = bundle.bundlePath().string();
    const std::string filepath = (folder.path() / "clip.lottie").string();
    const struct {
        std::string name;
        std::function<void(DotLottieFile::Handler)> load;
        std::string id;
        std::string key;
    } cases[] = {
        {"named resource", [&](auto h) { DotLottieFile::named("clip", bundle, std::nullopt, cache, dotLottieQueue(), h); },
         "resource", root + "/clip"},
        {"named resource with its extension",
         [&](auto h) { DotLottieFile::named("clip.lottie", bundle, "anims", cache, dotLottieQueue(), h); }, "sub",
         root + "/anims/clip.lottie"},
        {"named falls back to a data asset",
         [&](auto h) { DotLottieFile::named("asset", bundle, "anims", cache, dotLottieQueue(), h); }, "subasset",
         root + "/anims/asset"},
        {"file path", [&](auto h) { DotLottieFile::loadedFromFilepath(filepath, cache, dotLottieQueue(), h); },
         "resource", filepath},
        {"asset", [&](auto h) { DotLottieFile::asset("asset", bundle, cache, dotLottieQueue(), h); }, "asset",
         root + "/asset"},
    };
    for (const auto& c : cases) {
        results.clear();
        c.load(record());
        EXPECT_TRUE(results.empty()) << c.name << ": answered from inside the call";
        waitForResults(1);
        ASSERT_EQ(firstId(results[0]), c.id) << c.name;
        EXPECT_EQ(cache->cachedFile(c.key), results[0].file()) << c.name;
        c.load(record());
        waitForResults(2);
        EXPECT_EQ(results[1].file(), results[0].file()) << c.name;
    }
    // Bytes are never cached, and may load on a queue of the caller's.
    platform::foundation::DispatchQueue own("test.own");
    const std::size_t cached = cache->count();
    results.clear();
    DotLottieFile::loadedFromData(packageOf({"bytes"}), "bytes.lottie", own, record());
    waitForResults(1);
    EXPECT_EQ(firstId(results[0]), "bytes");
    EXPECT_EQ(cache->count(), cached);
}

TEST_F(PackageLoaders, NamedAndAssetLoadsOfOneNameShareTheirCacheEntry) {
    DotLottieFile::asset("asset", bundle, cache, dotLottieQueue(), record());
    waitForResults(1);
    fs::remove(folder.path() / "Assets" / "asset");
    DotLottieFile::named("asset", bundle, std::nullopt, cache, dotLottieQueue(), record());
    waitForResults(2);
    EXPECT_EQ(results[1].file(), results[0].file());
}

TEST_F(PackageLoaders, FailuresAreReportedAndOnlyTheNamedLoaderWarns) {
    testsupport::RecordingLogger log;
    DotLottieFile::named("missing.lottie", bundle, "anims", cache, dotLottieQueue(), record());
    waitForResults(1);
    try {
        results[0].get();
        ADD_FAILURE() << "a missing package loaded";
    } catch (const DotLottieError& error) {
        EXPECT_EQ(error.kind(), DotLottieError::Kind::assetNotFound);
        EXPECT_EQ(error.assetName(), "anims/missing");
        EXPECT_EQ(error.bundle(), bundle);
    }
    ASSERT_EQ(log.warnings.size(), 1u);
    EXPECT_TRUE(log.warnings[0].starts_with("Error when decoding lottie \"missing.lottie\": ")) << log.warnings[0];

    testsupport::writeFile(folder.path() / "broken.lottie", "not a zip");
    DotLottieFile::loadedFromFilepath((folder.path() / "broken.lottie").string(), cache, dotLottieQueue(), record());
    DotLottieFile::asset("nothing", bundle, cache, dotLottieQueue(), record());
    DotLottieFile::loadedFromData({}, "empty", dotLottieQueue(), record());
    waitForResults(4);
    EXPECT_EQ(failureOf(results[1]), "ArchiveError");
    EXPECT_EQ(failureOf(results[2]), "DotLottieError:0");
    EXPECT_EQ(failureOf(results[3]), "ArchiveError");
    EXPECT_EQ(log.warnings.size(), 1u);
    EXPECT_EQ(cache->count(), 0u);
}

TEST_F(PackageLoaders, BlockingFormsLoadOnTheCallingThreadAndObjectToTheMainThread) {
    testsupport::RecordingLogger log;
    std::vector<DotLottieResult> offMain;
    std::thread worker([&] {
        offMain.push_back(DotLottieFile::SynchronouslyBlockingCurrentThread::named("clip", bundle, std::nullopt, cache));
        offMain.push_back(DotLottieFile::SynchronouslyBlockingCurrentThread::loadedFromFilepath(
            (folder.path() / "anims" / "clip.lottie").string(), cache));
        offMain.push_back(DotLottieFile::SynchronouslyBlockingCurrentThread::loadedFromData(packageOf({"b"}), "b"));
    });
    worker.join();
    ASSERT_EQ(offMain.size(), 3u);
    EXPECT_EQ(firstId(offMain[0]), "resource");
    EXPECT_EQ(firstId(offMain[1]), "sub");
    EXPECT_EQ(firstId(offMain[2]), "b");
    EXPECT_TRUE(log.failedAssertions.empty());
    EXPECT_EQ(DotLottieFile::SynchronouslyBlockingCurrentThread::named("clip", bundle, std::nullopt, cache).file(),
              offMain[0].file());
    ASSERT_EQ(log.failedAssertions.size(), 1u);
    EXPECT_EQ(log.failedAssertions[0],
              "`DotLottieFile.SynchronouslyBlockingCurrentThread` methods shouldn't be called on the main thread.");
}

TEST_F(PackageLoaders, TheCacheKeepsItsSizeInUseOrderAndEmptiesOnRequest) {
    const auto a = DotLottieFile::load(packageOf({"a"}), "a");
    const auto b = DotLottieFile::load(packageOf({"b"}), "b");
    EXPECT_EQ(cache->cacheSize(), 100);
    cache->storeFile(a, "a");
    cache->storeFile(b, "b");
    EXPECT_EQ(cache->cachedFile("a"), a);  // now the most recent
    cache->setCacheSize(1);
    EXPECT_EQ(cache->cachedFile("a"), a);
    EXPECT_FALSE(cache->cachedFile("b"));
    cache->storeFile(b, "b");
    EXPECT_FALSE(cache->cachedFile("a"));
    EXPECT_EQ(cache->cachedFile("b"), b);
    cache->dropAllAnimations();
    EXPECT_FALSE(cache->cachedFile("b"));
    cache->setCacheSize(5);
    cache->storeFile(a, "a");
    centre.post(kLRUCacheMemoryWarningNotification);
    EXPECT_FALSE(cache->cachedFile("a"));
    EXPECT_TRUE(DotLottieCache::shared());
    EXPECT_EQ(DotLottieCache::shared(), DotLottieCache::shared());
}

// Through the platform session and a real socket.
TEST_F(PackageLoaders, AddressesLoadThroughTheSessionAndTheCache) {
    testsupport::LocalHttpServer server;
    server.setRoute("/packs/clip.lottie", {200, textOf(packageOf({"served"})), false});
    server.setRoute("/packs/clip.lottie?version=2", {200, textOf(packageOf({"served"})), false});
    server.setRoute("/packs/page.html", {404, "<html>not found</html>", false});
    server.setRoute("/packs/hangup.lottie", {200, "", true});
    platform::foundation::URLSession platformSession;
    auto session = std::make_shared<PlatformLottieURLSession>(platformSession);
    const std::string url = server.url("/packs/clip.lottie?version=2");

    EXPECT_TRUE(DotLottieFile::loadedFromURL(url, *session, cache, record()));
    waitForResults(1);
    ASSERT_EQ(firstId(results[0]), "served");
    EXPECT_EQ(results[0].file()->fileUrl().filename(), "clip");
    EXPECT_EQ(cache->cachedFile(url), results[0].file());

    // A cached address answers at once, on the calling thread, with no request.
    const int requests = server.requestCount();
    EXPECT_FALSE(DotLottieFile::loadedFromURL(url, *session, cache, record()));
    EXPECT_EQ(results.size(), 2u);
    EXPECT_EQ(results[1].file(), results[0].file());
    EXPECT_EQ(server.requestCount(), requests);

    DotLottieFile::loadedFromURL(server.url("/packs/page.html"), *session, cache, record());
    waitForResults(3);
    EXPECT_EQ(failureOf(results[2]), "ArchiveError");
    DotLottieFile::loadedFromURL(server.url("/packs/hangup.lottie"), *session, cache, record());
    waitForResults(4);
    EXPECT_EQ(failureOf(results[3]), "URLSessionError");
    EXPECT_EQ(cache->count(), 1u);

    // The asynchronous form: a cache hit too comes through the main run loop.
    auto hit = DotLottieLoadTask::loadedFromURL(url, session, cache, record());
    EXPECT_EQ(results.size(), 4u);
    waitForResults(5);
    EXPECT_EQ(results[4].file(), results[0].file());
    auto fresh = DotLottieLoadTask::loadedFromURL(server.url("/packs/clip.lottie"), session, nullptr, record());
    waitForResults(6);
    EXPECT_EQ(firstId(results[5]), "served");
    EXPECT_NE(results[5].file(), results[0].file());
}

TEST_F(PackageLoaders, AsynchronousFormsAnswerOnceOnTheMainThread) {
    platform::foundation::DispatchQueue own("test.async");
    DotLottieLoadTask::named("clip", bundle, std::nullopt, cache, record());
    DotLottieLoadTask::loadedFromFilepath((folder.path() / "anims" / "clip.lottie").string(), cache, record());
    DotLottieLoadTask::asset("asset", bundle, cache, record());
    DotLottieLoadTask::loadedFromData(packageOf({"data"}), "data", own, record());
    waitForResults(4);
    std::vector<std::string> ids;
    for (const auto& result : results) ids.push_back(firstId(result));
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<std::string>{"asset", "data", "resource", "sub"}));
    EXPECT_THROW(DotLottieLoadTask::loadedFromURL("http://127.0.0.1:9/x.lottie", nullptr, cache, record()),
                 std::invalid_argument);
}

using ManualSession = lottietest::ManualURLSession;

TEST_F(PackageLoaders, CancellingAnAddressLoadStopsItsTransfer) {
    auto session = std::make_shared<ManualSession>();
    auto task = DotLottieLoadTask::loadedFromURL("http://127.0.0.1:9/a.lottie", session, cache, record());
    ASSERT_EQ(session->tasks.size(), 1u);
    EXPECT_TRUE(session->tasks[0]->resumed);
    task->cancel();
    EXPECT_TRUE(task->isCancelled());
    EXPECT_TRUE(session->tasks[0]->cancelled);
    waitForResults(1);
    EXPECT_EQ(failureOf(results[0]), "cancelled");
    // Cancelling again, or after the end, changes nothing.
    task->cancel();
    MainRunLoop::shared().drain();
    EXPECT_EQ(results.size(), 1u);
    EXPECT_EQ(cache->count(), 0u);

    // A transfer that ends with neither bytes nor an error.
    auto empty = DotLottieLoadTask::loadedFromURL("http://127.0.0.1:9/b.lottie", session, cache, record());
    session->tasks[1]->finish(std::nullopt, std::nullopt);
    waitForResults(2);
    EXPECT_EQ(failureOf(results[1]), "DotLottieError:1");
    // A finished transfer is not cancelled afterwards.
    empty->cancel();
    EXPECT_FALSE(session->tasks[1]->cancelled);
}

}  // namespace
