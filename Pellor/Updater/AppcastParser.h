#pragma once
// Reads the update feed: an RSS 2.0 document whose items describe releases.
// Besides the standard <title> and <enclosure url length type>, an item holds
// elements of the namespace appcastNamespace:
//
//     <rss version="2.0" xmlns:pellor="https://updates.tolvane.me/xml-namespaces/appcast">
//       <channel>
//         <item>
//           <title>Pellor 1.2</title>
//           <pellor:version>1.2.0</pellor:version>
//           <pellor:shortVersionString>1.2</pellor:shortVersionString>
//           <pellor:releaseNotesLink>https://tolvane.me/pellor/1.2</pellor:releaseNotesLink>
//           <pellor:minimumSystemVersion>5.10</pellor:minimumSystemVersion>
//           <enclosure url="https://updates.tolvane.me/apps/pellor/Pellor-1.2.tar.gz"
//                      length="48213" type="application/gzip"/>
//         </item>
//       </channel>
//     </rss>
//
// An item without a version or without an http(s) enclosure address cannot be
// offered and is left out; so are addresses of other schemes given as release
// notes. A document that is not well-formed XML, whose root is not <rss>, or
// with an element of more than maximumAttributesPerElement attributes (no
// feed has a use for them, and they cost the reader time that grows with
// their square) is an AppcastError.

#include <QByteArray>
#include <cstddef>
#include <stdexcept>
#include <vector>

#include "Pellor/Updater/AppcastItem.h"

namespace pellor {

inline constexpr const char* appcastNamespace = "https://updates.tolvane.me/xml-namespaces/appcast";
inline constexpr std::size_t maximumAttributesPerElement = 64;

class AppcastError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The usable items, in the feed's order.
std::vector<AppcastItem> parseAppcast(const QByteArray& document);

}  // namespace pellor
