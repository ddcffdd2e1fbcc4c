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
  TLbButton** All[] = {&B.Btn_OK, &B.Btn_Cancel, &B.Btn_DelRow, &B.Btn_InsRow, &B.Btn_CopyRow, &B.Btn_PasteRow};
  int Left = 8;
  for (TLbButton** Button : All) {
    *Button = New_Dialog_Button(Form, P_Button, Left, 6, Button == &B.Btn_Cancel ? mrCancel : mrNone);
    Left += 118;
  }
  B.Btn_OK->SetName(QStringLiteral("Btn_OK"));
  B.Btn_Cancel->SetName(QStringLiteral("Btn_Cancel"));
  B.Btn_DelRow->SetName(QStringLiteral("Btn_DelRow"));
  B.Btn_InsRow->SetName(QStringLiteral("Btn_InsRow"));
  B.Btn_CopyRow->SetName(QStringLiteral("Btn_CopyRow"));
  B.Btn_PasteRow->SetName(QStringLiteral("Btn_PasteRow"));
  B.Btn_OK->OnClick = Handlers.OK;
  B.Btn_DelRow->OnClick = Handlers.DelRow;
  B.Btn_InsRow->OnClick = Handlers.InsRow;
  B.Btn_CopyRow->OnClick = Handlers.CopyRow;
  B.Btn_PasteRow->OnClick = Handlers.PasteRow;
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
