#pragma once
// The user-facing side of update checks, apart from the updater so that tests
// can see what the user would be told without windows. The application's is
// UpdateDialogs; each call replaces what the previous one showed.

#include <QString>
#include <optional>

#include "Pellor/Updater/AppcastItem.h"

namespace pellor {

class UpdatePresenter {
public:
    virtual ~UpdatePresenter() = default;

    // A check the user asked for has started.
    virtual void showChecking() = 0;
    // `update` is newer than the running version; `downloadedFile` is where its
    // package was saved when it was downloaded automatically.
    virtual void showUpdateAvailable(const AppcastItem& update, const std::optional<QString>& downloadedFile) = 0;
    virtual void showUpToDate(const QString& currentVersion) = 0;
    virtual void showError(const QString& message) = 0;
};

}  // namespace pellor
