// The updater interface has no code of its own; this file gives Qt's meta-object
// compiler a source beside its header, so that its signal is generated.
#include "Pellor/Updater/Updater.h"
