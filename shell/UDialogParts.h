// The parts the shell's small windows share: the window's look, the title
// panel with the software code and a description, the button panel along the
// bottom and its buttons.
#pragma once

#include "platform/widgets/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/widgets/StdCtrls.h"

class TLbButton;

// The main window's background colour.
constexpr TColor Shell_Window_Color = TColor(0x00EDF7F8);  // RGB 248, 247, 237

// A window centred on the screen, not scaled, in the main window's colour and
// font; a fixed single border with only the close box unless Sizeable.
void Setup_Shell_Window(TCustomForm* Form, bool Sizeable);

// The panel along the top, 69 high, with the large software-code label
// (Code) and the description label (Desc).
TPanel* New_Title_Panel(TCustomForm* Form, TLabel*& Code, TLabel*& Desc);

// The panel along the bottom, 40 high.
TPanel* New_Button_Panel(TCustomForm* Form);

// A 110 x 28 button of style bsEncarta on Parent; a ModalResult other than
// mrNone closes the window with it after the click.
TLbButton* New_Dialog_Button(TCustomForm* Form, TWinControl* Parent, int Left, int Top,
                             TModalResult ModalResult);
