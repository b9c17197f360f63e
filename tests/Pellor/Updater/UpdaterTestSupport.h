#pragma once
// Shared by the updater's tests: update feeds written for the test, a presenter
// that keeps what the user would have been told, and a wait that runs the Qt
// event loop until something has happened.

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "Pellor/Updater/UpdatePresenter.h"

namespace pellortest {

struct FeedItem {
    FeedItem(std::string version, std::string shortVersion = {},
             std::string enclosureURL = "https://updates.tolvane.me/apps/pellor/Pellor.tar.gz", long long length = 0,
             std::string releaseNotes = {}, std::string minimumSystem = {})
        : version(std::move(version)),
          shortVersion(std::move(shortVersion)),
          enclosureURL(std::move(enclosureURL)),
          length(length),
          releaseNotes(std::move(releaseNotes)),
          minimumSystem(std::move(minimumSystem)) {}

    std::string version;
    std::string shortVersion;
    std::string enclosureURL;
    long long length;
    std::string releaseNotes;
    std::string minimumSystem;
};

// An appcast of those items, in that order.
std::string feedOf(const std::vector<FeedItem>& items);

class RecordingPresenter : public pellor::UpdatePresenter {
public:
    struct Shown {
        enum class Kind { checking, updateAvailable, upToDate, error } kind;
        pellor::AppcastItem update;
        std::optional<QString> downloadedFile;
        QString text;  // the version or the message
    };

    void showChecking() override { shown.push_back({Shown::Kind::checking, {}, {}, {}}); }
    void showUpdateAvailable(const pellor::AppcastItem& update, const std::optional<QString>& file) override {
        shown.push_back({Shown::Kind::updateAvailable, update, file, {}});
    }
    void showUpToDate(const QString& version) override { shown.push_back({Shown::Kind::upToDate, {}, {}, version}); }
    void showError(const QString& message) override { shown.push_back({Shown::Kind::error, {}, {}, message}); }

    std::vector<Shown> shown;
};

// Runs the Qt event loop until `done` holds; false when it still does not
// after a generous ceiling, which only a broken program reaches.
bool runEventsUntil(const std::function<bool()>& done);

}  // namespace pellortest
