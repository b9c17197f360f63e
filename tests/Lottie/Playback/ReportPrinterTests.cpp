// The logger that hands the library's reports to a person: which reports it
// writes, under its prefix, each text once, and the end of what it writes.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Lottie/Playback/ReportPrinter.h"

namespace {

using lottie::LottieLogger;
using lottie::ReportPrinter;

// One report sent to the logger.
struct Report {
    enum class Kind { passingAssert, failingAssert, assertionFailure, warning, info } kind;
    std::string text;
};

void send(LottieLogger& logger, const Report& report, int& messagesBuilt) {
    const LottieLogger::Message message = [&messagesBuilt, text = report.text] {
        ++messagesBuilt;
        return text;
    };
    switch (report.kind) {
    case Report::Kind::passingAssert: logger.assert_([] { return true; }, message, "Lottie/Test", 1); break;
    case Report::Kind::failingAssert: logger.assert_([] { return false; }, message, "Lottie/Test", 2); break;
    case Report::Kind::assertionFailure: logger.assertionFailure(message, "Lottie/Test", 3); break;
    case Report::Kind::warning: logger.warn(message, "Lottie/Test", 4); break;
    case Report::Kind::info: logger.info(message); break;
    }
}

TEST(ReportPrinter, WritesAssertionsAndWarningsUnderItsPrefixEachTextOnce) {
    using Kind = Report::Kind;
    struct Case {
        const char* name;
        std::vector<Report> reports;
        std::string written;
        int messagesBuilt;
    };
    const Case cases[] = {
        {"an assertion that holds", {{Kind::passingAssert, "never"}}, "", 0},
        {"an assertion that fails", {{Kind::failingAssert, "broken"}}, "tool: broken\n", 1},
        {"an assertion failure", {{Kind::assertionFailure, "unexpected"}}, "tool: unexpected\n", 1},
        {"a warning", {{Kind::warning, "cut"}}, "tool: cut\n", 1},
        {"information", {{Kind::info, "Lottie: Logging Animation Keypaths"}}, "", 0},
        {"a text of several lines, each under the prefix", {{Kind::warning, "two\nlines\n"}}, "tool: two\ntool: lines\n", 1},
        {"a line left empty", {{Kind::warning, "one\n\nthree"}}, "tool: one\ntool: \ntool: three\n", 1},
        {"the same text every frame",
         {{Kind::warning, "cut"}, {Kind::warning, "cut"}, {Kind::failingAssert, "cut"}, {Kind::warning, "other"}},
         "tool: cut\ntool: other\n", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::ostringstream stream;
        const auto logger = ReportPrinter::logger(stream, "tool: ");
        int built = 0;
        for (const Report& report : c.reports) send(*logger, report, built);
        EXPECT_EQ(stream.str(), c.written);
        EXPECT_EQ(built, c.messagesBuilt) << "a message is built only where it may be written";
    }
}

TEST(ReportPrinter, StopsAfterItsLimitOfDistinctTextsSayingSo) {
    std::ostringstream stream;
    const auto logger = ReportPrinter::logger(stream, "tool: ");
    int built = 0;
    for (std::size_t index = 0; index < ReportPrinter::kDistinctTexts + 50; ++index) {
        send(*logger, {Report::Kind::warning, "image " + std::to_string(index) + " not found"}, built);
    }
    const std::string written = stream.str();
    std::size_t lines = 0;
    for (const char character : written) lines += character == '\n';
    EXPECT_EQ(lines, ReportPrinter::kDistinctTexts + 1);
    EXPECT_NE(written.find("tool: image 0 not found\n"), std::string::npos);
    EXPECT_NE(written.find("tool: image 999 not found\n"), std::string::npos);
    EXPECT_EQ(written.find("tool: image 1000 not found"), std::string::npos);
    EXPECT_TRUE(written.ends_with("tool: further reports are not shown\n"));
}

}  // namespace
