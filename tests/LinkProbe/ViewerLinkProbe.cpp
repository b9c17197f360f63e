// A program linked like the viewer: its libraries and through them everything
// they link, each recorded whether this program uses it or not. The
// acknowledgements test reads its dynamic libraries to check that the
// acknowledgements name each one; it is never run.
#include "Lottie/Views/LottieContentMode.h"
#include "Pellor/Review/ReviewPage.h"
#include "Pellor/Updater/VersionComparison.h"

int main() {
    const bool known = lottie::contentModeFromRawValue(1).has_value();
    return (known && pellor::compareVersions(u"1", u"2") < 0 && pellor::reviewPageURL().isValid()) ? 0 : 1;
}
