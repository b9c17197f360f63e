#pragma once
// The application's fixed web address: the maker's site, which the "Developer
// Website" command opens.

#include <QUrl>

namespace pellor {

const QUrl& developerWebsiteURL();

}  // namespace pellor
