// Must compile: a unit above the platform layer with the platform's public
// headers and QtCore value types, as every layer above it is written.
#include <QString>
#include <QStringList>

#include "platform/ui/Forms.h"
#include "platform/widgets/StdCtrls.h"

int LayeringProbeCore() { return QStringList{QStringLiteral("a")}.size() + (Application != nullptr); }
