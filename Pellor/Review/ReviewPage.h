#pragma once
// Where the user writes a review of Pellor: its page in the desktop's software
// centre (GNOME Software, KDE Discover and others open "appstream:" addresses
// on the page of the component with that identifier, where ratings and reviews
// are written). Used by the review prompt and the about window's "Review" button.

#include <QString>
#include <QUrl>

namespace pellor {

// The application's component identifier in the software centres' catalogue.
inline constexpr const char* appStreamIdentifier = "me.tolvane.pellor";

// "appstream://me.tolvane.pellor", built once, on first use.
const QUrl& reviewPageURL();

// What a button that opens the review page says of it: "Review Pellor in your
// software centre".
QString reviewPageToolTip();

}  // namespace pellor
