#pragma once
// The application's own images: its icon and the symbol icons its windows
// name, SVGs of our own compiled into the viewer's library as Qt resources.
// The resources of a static library have to be registered by the program that
// links it, which initializeResources() does (main() and the tests call it).

#include <QIcon>
#include <QString>

namespace pellor {

void initializeResources();
// The application icon (scalable).
QIcon applicationIcon();
// A symbol icon by the name its window uses ("pause.fill", "repeat");
// a null icon for a name without one.
QIcon symbolIcon(const QString& name);

}  // namespace pellor
