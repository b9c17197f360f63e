#pragma once
// What the application asks of the desktop: open a web address in the user's
// browser (or a file in its program), and show a file in the file manager.
// Revealing goes through the freedesktop FileManager1 D-Bus interface, which
// selects the file in a file-manager window; where no file manager offers it,
// the file's folder is opened instead. Tests replace the whole service
// (PellorApp::setDesktopServices) to see the requests without launching
// programs. Owned by the application object.

#include <QString>
#include <QUrl>

namespace pellor {

class DesktopServices {
public:
    virtual ~DesktopServices() = default;
    // Whether the desktop had a program that took it.
    virtual bool openUrl(const QUrl& url);
    // Whether a file manager showed the file, or its folder opened.
    virtual bool revealFile(const QString& path);
};

}  // namespace pellor
