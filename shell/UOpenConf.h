// The open-configuration window: lists the configurations below PROJECTS,
// preselects the open one, and returns the picked name in Name_Conf.
#pragma once

#include <QString>
#include <memory>

#include "platform/widgets/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/widgets/StdCtrls.h"

class TLbButton;
class TStringList;

class TFOpenConf : public TForm {
 public:
  explicit TFOpenConf(TComponent* AOwner);
  ~TFOpenConf() override;

  TPanel* P_Title;
  TLabel* L_SW_Code;
  TLabel* L_SW_Desc;
  TLabel* Label1;
  TListBox* ListBox1;
  TPanel* P_Button;
  TLbButton* Btn_OK;
  TLbButton* Btn_Cancel;

  // The configuration names found at the last showing.
  std::unique_ptr<TStringList> SL;
  // The picked name, read by the main window after OK.
  QString Name_Conf;

  void FormCreate(TObject* Sender);
  // Lists the configurations and preselects the open one (else the first).
  void FormShow(TObject* Sender);
  void ListBox1Click(TObject* Sender);
  // Fills SL with the names of the folders below PROJECTS.
  void Load_Existing_Configuration();
  // Index of the first name of SL equal to snc ignoring letter case, or -1.
  int Search_Open_Conf(const QString& snc) const;
  // Applies texts 200 to 207.
  void Set_Lang();
};

extern TFOpenConf* FOpenConf;
