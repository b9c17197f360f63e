#include "Pellor/App/UpdateCommandSource.h"

namespace pellor {

bool UpdateCommandSource::canCheckForUpdates() const { return false; }

void UpdateCommandSource::checkForUpdates() {}

}  // namespace pellor
