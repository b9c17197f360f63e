#pragma once
// The one channel through which the library reports assertions, unexpected
// states, warnings and information. It holds four handlers fixed at creation
// and does nothing else. Conditions and messages travel as closures that only
// a handler that wants them evaluates, so the silent shared logger costs
// nothing. Loggers are shared by every object that was given one. A Scope
// lends a logger to the shared lookups of one thread for a while, so that a
// program can tell whose work a report that reaches the shared logger is about.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace lottie {

class LottieLogger {
public:
    using Condition = std::function<bool()>;
    using Message = std::function<std::string()>;
    using AssertHandler = std::function<void(const Condition&, const Message&, std::string_view file, unsigned line)>;
    using MessageHandler = std::function<void(const Message&, std::string_view file, unsigned line)>;
    using InfoHandler = std::function<void(const Message&)>;

    LottieLogger(AssertHandler assertHandler, MessageHandler assertionFailureHandler, MessageHandler warnHandler,
                 InfoHandler infoHandler);

    // `assert` itself is the C library's macro, hence the trailing underscore.
    void assert_(const Condition& condition, const Message& message, std::string_view file, unsigned line) const;
    void assertionFailure(const Message& message, std::string_view file, unsigned line) const;
    void warn(const Message& message, std::string_view file, unsigned line) const;
    void info(const Message& message) const;

    // The process-wide logger: silent until replaced, and never null (setting
    // none restores the silent logger). Readers get whatever logger is stored at
    // the moment they read, or, on a thread inside a Scope, the scope's logger.
    static std::shared_ptr<LottieLogger> shared();
    static void setShared(std::shared_ptr<LottieLogger> logger);

    // Prints failed assertions and assertion failures to standard output;
    // drops warnings and information.
    static std::shared_ptr<LottieLogger> printingLogger();

    // While it lives, shared() on the thread that made it gives `logger`
    // instead of the process-wide logger: what the work done meanwhile reports
    // through shared() reaches the logger of whatever that work is for (one
    // document of a program's). Scopes nest, the innermost counting; no logger
    // leaves the lookups as they were. A logger's handlers run outside every
    // scope, so a logger that passes its reports on to shared() reaches the
    // process-wide logger, not itself again. Made on the stack of the thread
    // it is for, and ended there.
    class Scope {
    public:
        explicit Scope(std::shared_ptr<LottieLogger> logger);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        std::shared_ptr<LottieLogger> outer_;
    };

private:
    AssertHandler assert_handler_;
    MessageHandler assertionFailure_handler_;
    MessageHandler warn_handler_;
    InfoHandler info_handler_;
};

}  // namespace lottie
