// Pictures of controls: renders a form or control with its children as the
// screen would show it, for tests and for the documentation's screenshots.
#pragma once

#include <QString>

class QImage;
class TControl;

// The control drawn with its children (its windows are created first; a
// hidden form is drawn as it would look when shown).
QImage GrabControl(TControl* Control);
// Writes GrabControl's picture to a PNG file; false when it cannot be written.
bool SaveControlToPng(TControl* Control, const QString& FileName);
