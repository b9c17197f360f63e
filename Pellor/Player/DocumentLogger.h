#pragma once
// The logger of one open document's animation: every report (why the
// automatic option fell back to the main-thread engine, what a limit cut, an
// image that is not there) goes on to the process-wide logger as it stands at
// the time (its handlers run outside every LottieLogger::Scope), each line of its text beginning with the document's name
// (DocumentNames), so that with several documents open each line says which
// one it is about, and the same report of two documents is two lines.
//
// Made by the document's loaders; shared by the views of that document (which
// lend it to the library's shared-logger lookups while they set up and draw),
// by its image provider and by the loading thread while it decodes.

#include <QString>
#include <memory>

#include "Lottie/Playback/LottieLogger.h"

namespace pellor {

class DocumentLogger {
public:
    // For the document at that absolute path (empty for one without a file).
    static std::shared_ptr<lottie::LottieLogger> forDocument(const QString& path);
};

}  // namespace pellor
