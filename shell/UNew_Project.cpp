// The new-configuration window.
#include "shell/UNew_Project.h"

#include "controls/LbButton.h"
#include "platform/ui/Dialogs.h"
#include "platform/rtl/SysUtils.h"
#include "shell/UComon.h"
#include "shell/UDialogParts.h"
#include "shell/ULanguage.h"

TFNew_Project* FNew_Project = nullptr;

namespace {

// A name that is no single folder name inside PROJECTS: one that holds a path
// separator would create the configuration elsewhere ("../x") or below
// another folder ("a/b"); "." and ".." name PROJECTS and the program folder.
bool Leaves_Projects_Folder(const QString& Name) {
  return Name.contains(QLatin1Char('/')) || Name.contains(QLatin1Char('\\')) ||
         Name == QLatin1String(".") || Name == QLatin1String("..");
}

void Error_Box(int Text) { MessageDlg(SL_Language->Strings(Text), mtError, TMsgDlgButtons{mbOK}); }

}  // namespace

TFNew_Project::TFNew_Project(TComponent* AOwner) : TForm(AOwner) {
  SetName(QStringLiteral("FNew_Project"));
  Setup_Shell_Window(this, false);
  P_Title = New_Title_Panel(this, L_SW_Code, L_SW_Desc);
  Label1 = new TLabel(this);
  Label1->SetParent(this);
  Label1->SetBounds(16, 70, Label1->Width(), Label1->Height());
  E_New_Proj = new TEdit(this);
  E_New_Proj->SetParent(this);
  E_New_Proj->SetBounds(16, 94, 297, E_New_Proj->Height());
  E_New_Proj->SetShowHint(true);
  E_New_Proj->OnKeyPress = [this](TObject* Sender, QChar& Key) { E_New_ProjKeyPress(Sender, Key); };
  P_Button = New_Button_Panel(this);
  Btn_OK = New_Dialog_Button(this, P_Button, 85, 6, mrNone);
  Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
  Btn_Cancel = New_Dialog_Button(this, P_Button, 203, 6, mrCancel);
  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TFNew_Project::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  SetClientWidth(331);
  SetClientHeight(162);
  Set_Lang();
}

void TFNew_Project::FormShow(TObject*) {
  E_New_Proj->SetText(QString());
  if (E_New_Proj->CanFocus()) E_New_Proj->SetFocus();
}

void TFNew_Project::E_New_ProjKeyPress(TObject*, QChar& Key) {
  if (Key == QChar(13)) Btn_OKClick(Btn_OK);
}

void TFNew_Project::Btn_OKClick(TObject*) {
  const QString name = E_New_Proj->Text();
  if (name.isEmpty() || Leaves_Projects_Folder(name)) {
    Error_Box(107);
    return;
  }
  const QString folder = Dir_Projects + QLatin1Char('/') + name;
  if (DirectoryExists(folder)) {
    Error_Box(106);
    return;
  }
  if (!CreateDir(folder)) {
    Error_Box(105);
    return;
  }
  ForceDirectories(folder + QStringLiteral("/bin"));
  Name_Project = name;
  Dir_Project = folder;
  Set_Files();
  SetModalResult(mrOk);
}

void TFNew_Project::Set_Lang() {
  const TStringList& t = *SL_Language;
  SetCaption(t[100]);
  L_SW_Desc->SetCaption(t[101]);
  Label1->SetCaption(t[102]);
  Btn_OK->SetCaption(t[103]);
  Btn_Cancel->SetCaption(t[104]);
  E_New_Proj->SetHint(t[108]);
  Btn_OK->SetHint(t[109]);
  Btn_Cancel->SetHint(t[110]);
}
