#pragma once
// Hands the library's reports to a person: a logger for programs (the frame
// tool, the viewer) that writes failed assertions, assertion failures and
// warnings to a stream, such as standard error, each line of them under a
// prefix of the program's own. Information (the keypath listings) is dropped. A text is
// written once however often it comes: a limit that a frame hits is reported
// again on every frame. After kDistinctTexts different texts it says that it
// writes no more, so that neither the stream nor the memory of what it wrote
// grows without end on a hostile document.
//
// Made by the program at start-up, usually as the shared logger; safe to call
// from any thread that reports (the main thread, the decoding and dotLottie
// queues). The stream must outlive the logger.

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "Lottie/Playback/LottieLogger.h"

namespace lottie {

class ReportPrinter {
public:
    static constexpr std::size_t kDistinctTexts = 1000;

    static std::shared_ptr<LottieLogger> logger(std::ostream& stream, std::string prefix);

    // The text with the prefix before each of its lines, so that a report of
    // several lines says on each whose it is; a line break that ends the text
    // starts no line of its own.
    static std::string eachLineUnder(std::string_view prefix, std::string_view text);
};

}  // namespace lottie
