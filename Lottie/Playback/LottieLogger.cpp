#include "Lottie/Playback/LottieLogger.h"

#include <cstdio>
#include <mutex>

namespace lottie {

namespace {

std::mutex& sharedLock() {
    static std::mutex lock;
    return lock;
}

// One empty function for all four handlers. Created once, also when several
// threads arrive together (a function static).
const std::shared_ptr<LottieLogger>& silentLogger() {
    static const std::shared_ptr<LottieLogger> logger = [] {
        auto ignoreAssert = [](const LottieLogger::Condition&, const LottieLogger::Message&, std::string_view,
                               unsigned) {};
        auto ignoreMessage = [](const LottieLogger::Message&, std::string_view, unsigned) {};
        auto ignoreInfo = [](const LottieLogger::Message&) {};
        return std::make_shared<LottieLogger>(ignoreAssert, ignoreMessage, ignoreMessage, ignoreInfo);
    }();
    return logger;
}

std::shared_ptr<LottieLogger>& sharedSlot() {
    static std::shared_ptr<LottieLogger> logger = silentLogger();
    return logger;
}

// This thread's Scope logger, if any, and how many handlers are running on
// this thread (while one is, lookups skip the scope).
thread_local std::shared_ptr<LottieLogger> scopedLogger;
thread_local int handlersRunning = 0;

// Marks a handler as running for its length.
class HandlerRun {
public:
    HandlerRun() { ++handlersRunning; }
    ~HandlerRun() { --handlersRunning; }
    HandlerRun(const HandlerRun&) = delete;
    HandlerRun& operator=(const HandlerRun&) = delete;
};

void printLine(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace

LottieLogger::LottieLogger(AssertHandler assertHandler, MessageHandler assertionFailureHandler,
                           MessageHandler warnHandler, InfoHandler infoHandler)
    : assert_handler_(std::move(assertHandler)),
      assertionFailure_handler_(std::move(assertionFailureHandler)),
      warn_handler_(std::move(warnHandler)),
      info_handler_(std::move(infoHandler)) {}

void LottieLogger::assert_(const Condition& condition, const Message& message, std::string_view file,
                           unsigned line) const {
    const HandlerRun running;
    assert_handler_(condition, message, file, line);
}

void LottieLogger::assertionFailure(const Message& message, std::string_view file, unsigned line) const {
    const HandlerRun running;
    assertionFailure_handler_(message, file, line);
}

void LottieLogger::warn(const Message& message, std::string_view file, unsigned line) const {
    const HandlerRun running;
    warn_handler_(message, file, line);
}

void LottieLogger::info(const Message& message) const {
    const HandlerRun running;
    info_handler_(message);
}

LottieLogger::Scope::Scope(std::shared_ptr<LottieLogger> logger) : outer_(scopedLogger) {
    if (logger) scopedLogger = std::move(logger);
}

LottieLogger::Scope::~Scope() { scopedLogger = std::move(outer_); }

std::shared_ptr<LottieLogger> LottieLogger::shared() {
    if (scopedLogger && handlersRunning == 0) return scopedLogger;
    std::lock_guard guard(sharedLock());
    return sharedSlot();
}

void LottieLogger::setShared(std::shared_ptr<LottieLogger> logger) {
    std::lock_guard guard(sharedLock());
    // Every caller of shared() uses what it gets without a check, so no logger
    // at all means the silent one.
    sharedSlot() = logger ? std::move(logger) : silentLogger();
}

std::shared_ptr<LottieLogger> LottieLogger::printingLogger() {
    return std::make_shared<LottieLogger>(
        [](const Condition& condition, const Message& message, std::string_view, unsigned) {
            if (!condition()) printLine(message());
        },
        [](const Message& message, std::string_view, unsigned) { printLine(message()); },
        [](const Message&, std::string_view, unsigned) {}, [](const Message&) {});
}

}  // namespace lottie
