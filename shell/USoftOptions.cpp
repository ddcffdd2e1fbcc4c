// The options window and the version check.
#include "shell/USoftOptions.h"

#include "controls/LbButton.h"
#include "platform/rtl/Classes.h"
#include "platform/ui/Dialogs.h"
#include "platform/os/IdHTTP.h"
#include "platform/rtl/IniFiles.h"
#include "platform/os/ShellApi.h"
#include "platform/rtl/SysUtils.h"
#include "shell/UComon.h"
#include "shell/UDialogParts.h"
#include "shell/ULanguage.h"
#include "shell/UVarneltoeFirmWare.h"

TFSoftOptions* FSoftOptions = nullptr;

// ---------------------------------------------------------------------------
// The maker's web server

QString Web_Server() {
  const TRegistryIniFile store(QStringLiteral("Software\\Tarvix\\ZIDI"));
  QString server = store.ReadString(QStringLiteral("Internet"), QStringLiteral("Web_Server"),
                                    QStringLiteral("http://www.tarvix.com"));
  while (server.endsWith(QLatin1Char('/'))) server.chop(1);
  return server;
}

QString Version_Page_URL() {
  return Web_Server() + QStringLiteral("/home/download/GetversionSW.asp?nomesw=") + SW_Code;
}

QString Download_Page_URL() { return Web_Server() + QStringLiteral("/Home/download/download.asp#HDKB"); }

QString Home_Page_URL() { return Web_Server() + QStringLiteral("/HOME/default.asp?frompg=ZIDI"); }

int Conv_Version(const QString& Ver_str) {
  const int blank = Ver_str.indexOf(QLatin1Char(' '));
  const QString t = (blank < 0 ? Ver_str : Ver_str.mid(blank + 1)).trimmed();
  if (t.size() < 5) return -1;
  // The digit before the point and the three after it; the point is skipped.
  const QString digits = t.mid(0, 1) + t.mid(2, 3);
  // Only the four digits make a number: no sign, blank or NUL, which the
  // string conversion would pass over.
  int value = 0;
  for (const QChar c : digits) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return -1;
    value = value * 10 + (c.unicode() - u'0');
  }
  return value;
}

bool TFSoftOptions::Check_Version() {
  if (!FVarneltoeFirmWare) return false;
  QString reply;
  try {
    reply = FVarneltoeFirmWare->HTTP1->Get(Version_Page_URL());
  } catch (...) {
    // No connection, an error status or any other failure: no newer version known.
    reply.clear();
  }
  const QString r = Trim(reply).toUpper();
  if (r.isEmpty() || r == QLatin1String("VER. 0.000")) return false;
  const int own = Conv_Version(Program_Version);
  const int server = Conv_Version(Trim(reply));
  return own != -1 && server != -1 && server > own;
}

// ---------------------------------------------------------------------------
// The window

TFSoftOptions::TFSoftOptions(TComponent* AOwner) : TForm(AOwner) {
  SetName(QStringLiteral("FSoftOptions"));
  Setup_Shell_Window(this, false);
  SetClientWidth(509);
  SetClientHeight(373);
  P_Title = New_Title_Panel(this, L_SW_Code, L_SW_Desc);
  P_Button = New_Button_Panel(this);
  Btn_OK = New_Dialog_Button(this, P_Button, 16, 6, mrNone);
  Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
  Btn_Cancel = New_Dialog_Button(this, P_Button, 134, 6, mrCancel);

  PC_Options = new TPageControl(this);
  PC_Options->SetParent(this);
  PC_Options->SetAlign(alClient);
  auto page = [this] {
    auto* p = new TTabSheet(this);
    p->SetPageControl(PC_Options);
    return p;
  };
  TS_Language = page();
  TS_Con_Options = page();
  TS_Soft_Settings = page();
  auto label = [this](TWinControl* Parent, int Left, int Top) {
    auto* l = new TLabel(this);
    l->SetParent(Parent);
    l->SetBounds(Left, Top, l->Width(), l->Height());
    return l;
  };
  auto check_box = [this](TWinControl* Parent, int Left, int Top) {
    auto* c = new TCheckBox(this);
    c->SetParent(Parent);
    c->SetBounds(Left, Top, 440, 17);
    c->OnClick = [this](TObject* Sender) { CB_En_ConClick(Sender); };
    return c;
  };

  // Language page: six slots in two columns.
  L_Sel_Lang = label(TS_Language, 12, 11);
  TImage** images[] = {&I_L1, &I_L2, &I_L3, &I_L4, &I_L5, &I_L6};
  TLabel** labels[] = {&L_L1, &L_L2, &L_L3, &L_L4, &L_L5, &L_L6};
  for (int k = 0; k < 6; ++k) {
    const int row = k % 3;
    const bool right = k >= 3;
    auto* image = new TImage(this);
    image->SetParent(TS_Language);
    image->SetBounds(right ? 254 : 24, 40 + 54 * row, 48, 48);
    image->SetTransparent(true);
    image->SetStretch(true);
    image->SetCursor(crHandPoint);
    image->OnClick = [this](TObject* Sender) { LangClick(Sender); };
    *images[k] = image;
    TLabel* l = label(TS_Language, right ? 310 : 80, 56 + 54 * row);
    l->SetCursor(crHandPoint);
    l->OnClick = [this](TObject* Sender) { LangClick(Sender); };
    *labels[k] = l;
  }
  L_Page_Lang = label(TS_Language, 220, 212);
  Btn_Prev = New_Dialog_Button(this, TS_Language, 12, 204, mrNone);
  Btn_Next = New_Dialog_Button(this, TS_Language, 379, 205, mrNone);
  for (TLbButton* b : {Btn_Prev, Btn_Next}) b->OnClick = [this](TObject* Sender) { Btn_NextClick(Sender); };

  // Connection page.
  CB_En_Con = check_box(TS_Con_Options, 12, 16);
  CB_Update = check_box(TS_Con_Options, 36, 47);
  Btn_Check_Update = New_Dialog_Button(this, TS_Con_Options, 36, 78, mrNone);
  Btn_Check_Update->SetWidth(204);
  Btn_Check_Update->OnClick = [this](TObject* Sender) { Btn_Check_UpdateClick(Sender); };
  LL_Check_Update = new TLinkLabel(this);
  LL_Check_Update->SetParent(TS_Con_Options);
  LL_Check_Update->SetBounds(40, 120, 400, 17);
  LL_Check_Update->OnLinkClick = [this](TObject* Sender, const QString& Link, TSysLinkType Type) {
    LL_Check_UpdateLinkClick(Sender, Link, Type);
  };

  // Table settings page.
  CB_Soft_Set_Jump_Table = check_box(TS_Soft_Settings, 12, 16);
  CB_DoubleClick_Auto_Size = check_box(TS_Soft_Settings, 12, 39);

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TFSoftOptions::~TFSoftOptions() = default;

TImage* TFSoftOptions::Slot_Image(int k) const {
  TImage* const images[] = {I_L1, I_L2, I_L3, I_L4, I_L5, I_L6};
  return images[k - 1];
}

TLabel* TFSoftOptions::Slot_Label(int k) const {
  TLabel* const labels[] = {L_L1, L_L2, L_L3, L_L4, L_L5, L_L6};
  return labels[k - 1];
}

void TFSoftOptions::FormCreate(TObject*) {
  SL_Languages = std::make_unique<TStringList>();
  L_SW_Code->SetCaption(SW_Code);
  for (TTabSheet* p : {TS_Language, TS_Con_Options, TS_Soft_Settings}) p->SetTabVisible(true);
  Set_Lang();
}

void TFSoftOptions::Set_Lang() {
  const TStringList& t = *SL_Language;
  SetCaption(t[300]);
  L_SW_Desc->SetCaption(t[301]);
  TS_Language->SetCaption(t[302]);
  TS_Con_Options->SetCaption(t[303]);
  L_Sel_Lang->SetCaption(t[304]);
  L_Page_Lang->SetCaption(t[305] + QStringLiteral("1") + t[306] + QStringLiteral("1"));
  Btn_Prev->SetCaption(t[307]);
  Btn_Next->SetCaption(t[308]);
  CB_En_Con->SetCaption(t[309]);
  CB_Update->SetCaption(t[310]);
  Btn_Check_Update->SetCaption(t[311]);
  Btn_OK->SetCaption(t[312]);
  Btn_Cancel->SetCaption(t[313]);
  TS_Soft_Settings->SetCaption(t[319]);
  CB_Soft_Set_Jump_Table->SetCaption(t[320]);
  CB_DoubleClick_Auto_Size->SetCaption(t[321]);
}

void TFSoftOptions::FormShow(TObject*) {
  Language_In_Use = Name_Language;
  Create_Lang_List();
  Update_CheckBox();
  LL_Check_Update->SetVisible(false);
  PC_Options->SetActivePage(TS_Language);
  CB_En_Con->SetChecked(Opt_Enable_Internet);
  CB_Update->SetChecked(Opt_Enable_Update);
  CB_Soft_Set_Jump_Table->SetChecked(Opt_Jump_Field_Tables);
  CB_DoubleClick_Auto_Size->SetChecked(Opt_Double_Click_Auto_Size);
}

void TFSoftOptions::Create_Lang_List() {
  SL_Languages->Clear();
  // Every language file, read-only ones included: installed files often are.
  TSearchRec f;
  if (FindFirst(Dir_Language + QStringLiteral("/*.lng"), faAnyFile & ~faDirectory, f) == 0) {
    do {
      if (!(f.Attr & faDirectory)) SL_Languages->Add(f.Name);
    } while (FindNext(f) == 0);
  }
  FindClose(f);
  SL_Languages->SetCaseSensitive(false);
  SL_Languages->Sort();
  Show_Page = 1;
  Update_Lang_Page(1);
}

void TFSoftOptions::Update_Lang_Page(int Num_Page) {
  const TStringList& t = *SL_Language;
  const int count = SL_Languages->Count();
  const int pages = (count + 5) / 6;
  L_Sel_Lang->SetCaption(t[304] + Language_In_Use);
  L_Page_Lang->SetCaption(t[305] + QString::number(Num_Page) + t[306] + QString::number(pages));
  Btn_Prev->SetVisible(Num_Page != 1);
  Btn_Next->SetVisible(Num_Page != pages);
  const int shown = std::min(6, count - (Num_Page - 1) * 6);
  for (int k = 1; k <= 6; ++k) {
    TImage* image = Slot_Image(k);
    TLabel* l = Slot_Label(k);
    if (k > shown) {
      image->SetVisible(false);
      l->SetVisible(false);
      continue;
    }
    QString name = SL_Languages->Strings((Num_Page - 1) * 6 + k - 1);
    name.chop(4);
    l->SetCaption(name);
    l->SetVisible(true);
    QString flag = Dir_Language + QLatin1Char('/') + name + QStringLiteral(".bmp");
    if (!FileExists(flag)) flag = Dir_Language + QStringLiteral("/DefaultFlag.bmp");
    bool has_flag = FileExists(flag);
    if (has_flag) {
      try {
        image->Picture()->LoadFromFile(flag);
      } catch (const Exception&) {
        // A picture that cannot be read leaves the slot with its label only.
        has_flag = false;
      }
    }
    image->SetVisible(has_flag);
  }
}

void TFSoftOptions::Btn_NextClick(TObject* Sender) {
  const int pages = (SL_Languages->Count() + 5) / 6;
  if (Sender == Btn_Next) {
    if (pages >= Show_Page + 1) ++Show_Page;
  } else if (Show_Page - 1 > 0) {
    --Show_Page;
  }
  Update_Lang_Page(Show_Page);
}

void TFSoftOptions::LangClick(TObject* Sender) {
  int k = 0;
  for (int i = 1; i <= 6; ++i)
    if (Sender == Slot_Image(i) || Sender == Slot_Label(i)) k = i;
  const int index = (Show_Page - 1) * 6 + k - 1;
  if (k == 0 || index >= SL_Languages->Count()) return;
  QString language = SL_Languages->Strings(index);
  language.chop(4);
  const TStringList& t = *SL_Language;
  if (MessageDlg(t[316] + Language_In_Use + t[317] + language + t[318], mtConfirmation, mbYesNo) != mrYes)
    return;
  Language_In_Use = language;
  // The texts change now; the stored language only with OK.
  const QString kept = Name_Language;
  Name_Language = language;
  Load_Language();
  Name_Language = kept;
  if (FVarneltoeFirmWare) FVarneltoeFirmWare->Change_Language();
  Update_Lang_Page(Show_Page);
}

void TFSoftOptions::Update_CheckBox() {
  CB_Update->SetEnabled(CB_En_Con->Checked());
  Btn_Check_Update->SetEnabled(CB_Update->Enabled() && CB_Update->Checked());
}

void TFSoftOptions::CB_En_ConClick(TObject*) { Update_CheckBox(); }

void TFSoftOptions::Btn_Check_UpdateClick(TObject*) {
  const TStringList& t = *SL_Language;
  if (Check_Version())
    LL_Check_Update->SetCaption(QStringLiteral("<a href=\"%1\">%2</a>").arg(Download_Page_URL(), t[314]));
  else
    LL_Check_Update->SetCaption(t[315]);
  LL_Check_Update->SetVisible(true);
}

void TFSoftOptions::LL_Check_UpdateLinkClick(TObject*, const QString& Link, TSysLinkType) {
  ShellExecute(nullptr, QStringLiteral("open"), Link, QString(), QString(), SW_SHOWNORMAL);
}

void TFSoftOptions::Btn_OKClick(TObject*) {
  Name_Language = Language_In_Use;
  Opt_Enable_Internet = CB_En_Con->Checked();
  Opt_Enable_Update = CB_Update->Checked();
  if (FVarneltoeFirmWare) FVarneltoeFirmWare->Apply_Update_Timer();
  Opt_Jump_Field_Tables = CB_Soft_Set_Jump_Table->Checked();
  Opt_Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->Checked();
  SetModalResult(mrOk);
}
