// The row buttons of the table windows: created along the button panel and
// given their texts. Kept apart from the grid's units, whose button layouts
// are named like the owner-drawn button's.
#include "controls/LbButton.h"
#include "platform/rtl/Classes.h"
#include "platform/ui/Forms.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/widgets/StdCtrls.h"
#include "shell/UComon.h"
#include "shell/UDialogParts.h"
#include "shell/ULanguage.h"

TTable_Buttons New_Table_Buttons(TCustomForm* Form, TPanel* P_Button, const TTable_Button_Handlers& Handlers) {
  TTable_Buttons B;
  const struct {
    TLbButton*& Button;
    const char* Name;
    const std::function<void(TObject*)>* Click;
  } All[] = {{B.Btn_OK, "Btn_OK", &Handlers.OK},           {B.Btn_Cancel, "Btn_Cancel", nullptr},
             {B.Btn_DelRow, "Btn_DelRow", &Handlers.DelRow}, {B.Btn_InsRow, "Btn_InsRow", &Handlers.InsRow},
             {B.Btn_CopyRow, "Btn_CopyRow", &Handlers.CopyRow}, {B.Btn_PasteRow, "Btn_PasteRow", &Handlers.PasteRow}};
  int Left = 8;
  for (const auto& A : All) {
    // Only Cancel closes the window by itself; OK checks first.
    A.Button = New_Dialog_Button(Form, P_Button, Left, 6, A.Click ? mrNone : mrCancel);
    A.Button->SetName(QString::fromLatin1(A.Name));
    if (A.Click) A.Button->OnClick = *A.Click;
    Left += 118;
  }
  return B;
}

void Set_Table_Window_Texts(TCustomForm* Form, TLabel* L_SW_Desc, const TTable_Buttons& Buttons, int First) {
  const TStringList& t = *SL_Language;
  Form->SetCaption(t.Strings(First));
  L_SW_Desc->SetCaption(t.Strings(First + 1));
  TLbButton* All[] = {Buttons.Btn_OK,     Buttons.Btn_Cancel,  Buttons.Btn_DelRow,
                      Buttons.Btn_InsRow, Buttons.Btn_CopyRow, Buttons.Btn_PasteRow};
  for (int i = 0; i < 6; ++i) {
    All[i]->SetCaption(t.Strings(First + 2 + i));
    All[i]->SetHint(t.Strings(First + 8 + i));
  }
}

void Click_Table_Button(TLbButton* Button) { Button->Click(); }
