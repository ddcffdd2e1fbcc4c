// The about window.
#include "shell/UAbout.h"

#include "controls/LbButton.h"
#include "platform/os/ShellApi.h"
#include "shell/UComon.h"
#include "shell/UDialogParts.h"
#include "shell/USoftOptions.h"

TFAbout* FAbout = nullptr;

TFAbout::TFAbout(TComponent* AOwner) : TForm(AOwner) {
  SetName(QStringLiteral("FAbout"));
  Setup_Shell_Window(this, false);
  SetCaption(QStringLiteral("About..."));
  SetClientWidth(425);
  SetClientHeight(148);
  auto label = [this](int Left, int Top, const char* Text) {
    auto* l = new TLabel(this);
    l->SetParent(this);
    l->SetBounds(Left, Top, l->Width(), l->Height());
    l->SetCaption(QString::fromLatin1(Text));
    return l;
  };
  Image2 = new TImage(this);
  Image2->SetParent(this);
  Image2->SetBounds(32, 24, 81, 81);
  Image2->SetStretch(true);
  Image2->SetCursor(crHandPoint);
  Image2->Picture()->LoadFromFile(QStringLiteral(":/res/ABOUT.png"));
  Image2->OnClick = [this](TObject* Sender) { Label4Click(Sender); };
  Label1 = label(128, 24, "Software Varnelto ");
  Label1->Font()->SetHeight(-13);
  Label1->Font()->SetStyle(TFontStyles{fsBold});
  Label2 = label(128, 39, "");
  Label6 = label(128, 62, "Software Code : ");
  Label9 = label(240, 62, "");
  Label3 = label(128, 77, "Version :");
  Label10 = label(240, 77, "");
  Label8 = label(128, 93, "Document Code :");
  Label12 = label(240, 93, "");
  Label4 = label(316, 131, "www.tarvix.com");
  Label4->SetCursor(crHandPoint);
  Label4->OnClick = [this](TObject* Sender) { Label4Click(Sender); };
  LbButton1 = New_Dialog_Button(this, this, 32, 115, mrOk);
  LbButton1->SetBounds(32, 115, 81, 22);
  LbButton1->SetCaption(QStringLiteral("OK"));
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TFAbout::FormShow(TObject*) {
  Label2->SetCaption(SW_Desc_Text);
  Label9->SetCaption(SW_Code_Text);
  Label10->SetCaption(Program_Version);
  Label12->SetCaption(QStringLiteral("MNKB"));
  SetClientWidth(425);
  SetClientHeight(148);
}

void TFAbout::Label4Click(TObject*) {
  ShellExecute(nullptr, QStringLiteral("open"), Home_Page_URL(), QString(), QString(), SW_SHOWNORMAL);
}
