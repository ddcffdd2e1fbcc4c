// Must not compile: a unit above the platform layer that includes a Qt
// windowing header. The platform links QtGui and QtWidgets privately, so their
// headers are not on the include path of the layers above it.
#include <QWidget>

#include "platform/ui/Forms.h"

int LayeringProbeWindowing() { return QWidget().width(); }
