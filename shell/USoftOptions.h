// The options window: the program's language from the language files present,
// internet access and the periodic version check, a version check on demand,
// and the two table options. Also the version check itself and the addresses
// of the maker's web server.
#pragma once

#include <QString>
#include <memory>

#include "platform/widgets/ComCtrls.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/widgets/StdCtrls.h"

class TLbButton;
class TStringList;

// The maker's web server, "http://www.tarvix.com" unless the settings store
// (the registry stand-in: key "Software\Tarvix\ZIDI", section "Internet",
// value "Web_Server") names another, such as a test server.
QString Web_Server();
// The pages on it: the version page for SW_Code, the download page and the
// home page.
QString Version_Page_URL();
QString Download_Page_URL();
QString Home_Page_URL();

// The version number in a version text: the text after its first blank
// (all of it without one), trimmed; its characters 1, 3, 4 and 5 read as a
// decimal number ("VER. 1.004" gives 1004); -1 when it is shorter than five
// characters or those are not four ASCII digits.
int Conv_Version(const QString& Ver_str);

class TFSoftOptions : public TForm {
 public:
  explicit TFSoftOptions(TComponent* AOwner);
  ~TFSoftOptions() override;

  TPanel* P_Title;
  TLabel* L_SW_Code;
  TLabel* L_SW_Desc;
  TPanel* P_Button;
  TLbButton* Btn_OK;
  TLbButton* Btn_Cancel;
  TPageControl* PC_Options;
  TTabSheet* TS_Language;
  TTabSheet* TS_Con_Options;
  TTabSheet* TS_Soft_Settings;
  TLabel* L_Sel_Lang;
  // The six language slots: a picture and a label each.
  TImage* I_L1;
  TImage* I_L2;
  TImage* I_L3;
  TImage* I_L4;
  TImage* I_L5;
  TImage* I_L6;
  TLabel* L_L1;
  TLabel* L_L2;
  TLabel* L_L3;
  TLabel* L_L4;
  TLabel* L_L5;
  TLabel* L_L6;
  TLabel* L_Page_Lang;
  TLbButton* Btn_Prev;
  TLbButton* Btn_Next;
  TCheckBox* CB_En_Con;
  TCheckBox* CB_Update;
  TLbButton* Btn_Check_Update;
  TLinkLabel* LL_Check_Update;
  TCheckBox* CB_Soft_Set_Jump_Table;
  TCheckBox* CB_DoubleClick_Auto_Size;

  // The language file names (with ".lng"), sorted ignoring case.
  std::unique_ptr<TStringList> SL_Languages;
  // The language page shown, from 1.
  int Show_Page = 1;
  // The language chosen in the window.
  QString Language_In_Use;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  // Applies texts 300 to 321.
  void Set_Lang();
  // Lists every *.lng file of the language folder and shows page 1.
  void Create_Lang_List();
  // Shows page Num_Page of the languages (six per page).
  void Update_Lang_Page(int Num_Page);
  // Previous and next page.
  void Btn_NextClick(TObject* Sender);
  // A language slot clicked: asks, then switches every window to it.
  void LangClick(TObject* Sender);
  // CB_Update follows CB_En_Con, Btn_Check_Update follows both.
  void Update_CheckBox();
  void CB_En_ConClick(TObject* Sender);
  void Btn_Check_UpdateClick(TObject* Sender);
  void LL_Check_UpdateLinkClick(TObject* Sender, const QString& Link, TSysLinkType LinkType);
  // Takes the choices into the program state and closes with OK.
  void Btn_OKClick(TObject* Sender);
  // True when the maker's web server reports a version newer than the
  // program's; a failed request means no newer version.
  bool Check_Version();

 private:
  TImage* Slot_Image(int k) const;
  TLabel* Slot_Label(int k) const;
};

extern TFSoftOptions* FSoftOptions;
