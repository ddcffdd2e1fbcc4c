// The grid unit's set-up: the message and clipboard-format numbers shared by
// every grid.
#include "grid/ProGrid.h"
#include "platform/ui/Clipbrd.h"

namespace {

struct TUnitValues {
  Word ClipboardFormat = 0;
  UINT EditDone = 0;
  UINT DTPShiftFocus = 0;
  // This system's date and time pickers are always there.
  bool CommonControls = true;
};

const TUnitValues& UnitValues() {
  // Set up once, on the user-interface thread, before the first grid.
  static const TUnitValues values = [] {
    TUnitValues v;
    v.ClipboardFormat = RegisterClipboardFormat(QStringLiteral("TProStringGrid Cells"));
    v.EditDone = RegisterWindowMessage(QStringLiteral("GridEditDone"));
    v.DTPShiftFocus = RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));
    return v;
  }();
  return values;
}

}  // namespace

void ProGridUnitStartup() { UnitValues(); }
Word GridClipboardFormat() { return UnitValues().ClipboardFormat; }
UINT GridEditDoneMessage() { return UnitValues().EditDone; }
UINT DTPShiftFocusMessage() { return UnitValues().DTPShiftFocus; }
bool GridCommonControlsFlag() { return UnitValues().CommonControls; }
