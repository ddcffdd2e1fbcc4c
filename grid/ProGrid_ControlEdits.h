// The edit box and the combo box a string grid places over an in-cell control
// while it is edited. Enter and Tab end the editing: the control's exit
// handling takes the value over and the grid gets the focus back; Tab then
// advances the grid's cursor when Navigation.AdvanceAuto is on.
#pragma once

#include "controls/PsgCombo.h"
#include "platform/widgets/Mask.h"

class TControlEdit : public TMaskEdit {
 public:
  explicit TControlEdit(TComponent* AOwner);

 protected:
  // Claims Tab; Enter is left to the dialog.
  void WMGetDlgCode(TMessageView& Message) override;
  void KeyPress(QChar& Key) override;
};

class TControlCombo : public TPsgComboBox {
 public:
  explicit TControlCombo(TComponent* AOwner);

 protected:
  // Claims Tab.
  void WMGetDlgCode(TMessageView& Message) override;
  void KeyPress(QChar& Key) override;
};
