#include "Lottie/Playback/ReportPrinter.h"

#include <mutex>
#include <ostream>
#include <unordered_set>

namespace lottie {

namespace {

// What one logger has written; shared by its handlers.
struct Printed {
    Printed(std::ostream& stream, std::string prefix) : stream(stream), prefix(std::move(prefix)) {}

    void print(const LottieLogger::Message& message) {
        // The text is built outside the lock: a message may take its time.
        std::string text = message();
        const std::lock_guard<std::mutex> hold(lock);
        if (full || texts.contains(text)) return;
        if (texts.size() == ReportPrinter::kDistinctTexts) {
            full = true;
            stream << prefix << "further reports are not shown" << std::endl;
            return;
        }
        stream << ReportPrinter::eachLineUnder(prefix, text);
        if (!text.ends_with('\n')) stream << '\n';
        stream.flush();
        texts.insert(std::move(text));
    }

    std::ostream& stream;
    const std::string prefix;
    std::mutex lock;
    std::unordered_set<std::string> texts;
    bool full = false;
};

}  // namespace

std::string ReportPrinter::eachLineUnder(std::string_view prefix, std::string_view text) {
    std::string lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::size_t length = end == std::string_view::npos ? text.size() : end + 1;
        lines.append(prefix).append(text.substr(0, length));
        text.remove_prefix(length);
    }
    return lines.empty() ? std::string(prefix) : lines;
}

std::shared_ptr<LottieLogger> ReportPrinter::logger(std::ostream& stream, std::string prefix) {
    auto printed = std::make_shared<Printed>(stream, std::move(prefix));
    return std::make_shared<LottieLogger>(
        [printed](const LottieLogger::Condition& condition, const LottieLogger::Message& message, std::string_view,
                  unsigned) {
            if (!condition()) printed->print(message);
        },
        [printed](const LottieLogger::Message& message, std::string_view, unsigned) { printed->print(message); },
        [printed](const LottieLogger::Message& message, std::string_view, unsigned) { printed->print(message); },
        [](const LottieLogger::Message&) {});
}

}  // namespace lottie
