// The parts the shell's small windows share.
#include "shell/UDialogParts.h"

#include "controls/LbButton.h"

static void Init_Shell_Resources() { Q_INIT_RESOURCE(UShell); }

void Setup_Shell_Window(TCustomForm* Form, bool Sizeable) {
  Init_Shell_Resources();
  Form->SetBorderStyle(Sizeable ? bsSizeable : bsSingle);
  Form->SetBorderIcons(TBorderIcons{biSystemMenu});
  Form->SetPosition(poScreenCenter);
  Form->SetScaled(false);
  Form->SetColor(Shell_Window_Color);
  Form->Font()->SetName(QStringLiteral("Verdana"));
  Form->Font()->SetHeight(-11);
}

TPanel* New_Title_Panel(TCustomForm* Form, TLabel*& Code, TLabel*& Desc) {
  auto* p = new TPanel(Form);
  p->SetParent(Form);
  p->SetAlign(alTop);
  p->SetHeight(69);
  p->SetBevelOuter(bvNone);
  p->SetParentBackground(false);
  p->SetColor(clWhite);
  Code = new TLabel(Form);
  Code->SetParent(p);
  Code->SetLeft(16);
  Code->SetTop(4);
  Code->Font()->SetHeight(-27);
  Code->Font()->SetColor(clGray);
  Desc = new TLabel(Form);
  Desc->SetParent(p);
  Desc->SetLeft(16);
  Desc->SetTop(42);
  Desc->Font()->SetStyle(TFontStyles{fsBold});
  Desc->Font()->SetColor(clGray);
  return p;
}

TPanel* New_Button_Panel(TCustomForm* Form) {
  auto* p = new TPanel(Form);
  p->SetParent(Form);
  p->SetAlign(alBottom);
  p->SetHeight(40);
  p->SetBevelOuter(bvNone);
  return p;
}

TLbButton* New_Dialog_Button(TCustomForm* Form, TWinControl* Parent, int Left, int Top,
                             TModalResult ModalResult) {
  auto* b = new TLbButton(Form);
  b->SetParent(Parent);
  b->SetStyle(bsEncarta);
  b->SetBounds(Left, Top, 110, 28);
  b->SetHotTrackColor(clSkyBlue);
  b->SetColorWhenDown(TColor(0x000080FF));
  b->SetShowHint(true);
  b->SetModalResult(ModalResult);
  return b;
}
