// The open-configuration window.
#include "shell/UOpenConf.h"

#include "controls/LbButton.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "shell/UComon.h"
#include "shell/UDialogParts.h"
#include "shell/ULanguage.h"

TFOpenConf* FOpenConf = nullptr;

TFOpenConf::TFOpenConf(TComponent* AOwner) : TForm(AOwner) {
  SetName(QStringLiteral("FOpenConf"));
  Setup_Shell_Window(this, true);
  SetClientWidth(377);
  SetClientHeight(351);
  P_Title = New_Title_Panel(this, L_SW_Code, L_SW_Desc);
  Label1 = new TLabel(this);
  Label1->SetParent(this);
  Label1->SetBounds(16, 70, Label1->Width(), Label1->Height());
  ListBox1 = new TListBox(this);
  ListBox1->SetParent(this);
  ListBox1->SetBounds(16, 94, 345, 351 - 40 - 94 - 8);
  ListBox1->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
  ListBox1->SetShowHint(true);
  ListBox1->OnClick = [this](TObject* Sender) { ListBox1Click(Sender); };
  P_Button = New_Button_Panel(this);
  Btn_OK = New_Dialog_Button(this, P_Button, 377 - 16 - 110 - 8 - 110, 6, mrOk);
  Btn_Cancel = New_Dialog_Button(this, P_Button, 377 - 16 - 110, 6, mrCancel);
  for (TLbButton* b : {Btn_OK, Btn_Cancel}) b->SetAnchors(TAnchors{akTop, akRight});
  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TFOpenConf::~TFOpenConf() = default;

void TFOpenConf::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  SetClientWidth(377);
  SetClientHeight(351);
  Set_Lang();
}

void TFOpenConf::Load_Existing_Configuration() {
  TSearchRec f;
  if (FindFirst(Dir_Projects + QStringLiteral("/*.*"), faDirectory, f) == 0) {
    do {
      if ((f.Attr & faDirectory) && f.Name != QLatin1String(".") && f.Name != QLatin1String("..") &&
          !(f.Attr & (faHidden | faSysFile)))
        SL->Add(f.Name);
    } while (FindNext(f) == 0);
  }
  FindClose(f);
}

int TFOpenConf::Search_Open_Conf(const QString& snc) const {
  for (int i = 0; i < SL->Count(); ++i)
    if (SL->Strings(i).compare(snc, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

void TFOpenConf::FormShow(TObject*) {
  SL = std::make_unique<TStringList>();
  Load_Existing_Configuration();
  ListBox1->Items()->Assign(SL.get());
  // The open configuration's name as its folder names it.
  QString current;
  if (!Dir_Project.isEmpty()) current = Dir_Project.mid(Dir_Projects.size() + 1);
  int index = Search_Open_Conf(current);
  if (index < 0 && SL->Count() > 0) index = 0;
  if (index >= 0) {
    ListBox1->SetItemIndex(index);
    Name_Conf = SL->Strings(index);
  } else {
    // Nothing to pick: OK then leaves no configuration open rather than
    // passing on a name from an earlier showing whose folder may be gone.
    Name_Conf.clear();
  }
}

void TFOpenConf::ListBox1Click(TObject*) {
  // A click beside the entries picks nothing.
  if (ListBox1->ItemIndex() >= 0) Name_Conf = ListBox1->Items()->Strings(ListBox1->ItemIndex());
}

void TFOpenConf::Set_Lang() {
  const TStringList& t = *SL_Language;
  SetCaption(t[200]);
  L_SW_Desc->SetCaption(t[201]);
  Label1->SetCaption(t[202]);
  Btn_OK->SetCaption(t[203]);
  Btn_Cancel->SetCaption(t[204]);
  ListBox1->SetHint(t[205]);
  Btn_OK->SetHint(t[206]);
  Btn_Cancel->SetHint(t[207]);
}
