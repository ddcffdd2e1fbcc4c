// The new-configuration window: the user names a configuration; OK creates its
// folder below PROJECTS (with the subfolder bin) and opens it.
#pragma once

#include "platform/widgets/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/widgets/StdCtrls.h"

class TLbButton;

class TFNew_Project : public TForm {
 public:
  explicit TFNew_Project(TComponent* AOwner);

  TPanel* P_Title;
  TLabel* L_SW_Code;
  TLabel* L_SW_Desc;
  TLabel* Label1;
  TEdit* E_New_Proj;
  TPanel* P_Button;
  TLbButton* Btn_OK;
  TLbButton* Btn_Cancel;

  void FormCreate(TObject* Sender);
  // Empties the name field and gives it the focus.
  void FormShow(TObject* Sender);
  // Enter in the name field acts as OK.
  void E_New_ProjKeyPress(TObject* Sender, QChar& Key);
  // Creates the configuration named in the field and opens it; a name that
  // cannot be used gets an error box and the window stays open.
  void Btn_OKClick(TObject* Sender);
  // Applies texts 100 to 104 and 108 to 110.
  void Set_Lang();
};

extern TFNew_Project* FNew_Project;
