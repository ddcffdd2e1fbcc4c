#include "dropdowns/ProDropDown.h"

#include <cmath>

#include "platform/gdi/WinGdi.h"

// ------------------------------------------------------------ step gradient

void DrawStepGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps,
                      const TRect& Rect, bool Horizontal) {
  if (!Canvas) return;
  if (Steps <= 0) Steps = 1;
  const TColor c1 = ColorToRGB(FromColor);
  const TColor c2 = ColorToRGB(ToColor);
  const int r1 = GetRValue(c1), g1 = GetGValue(c1), b1 = GetBValue(c1);
  const int dr = GetRValue(c2) - r1, dg = GetGValue(c2) - g1, db = GetBValue(c2) - b1;

  TRect r = Rect;
  if (Horizontal)
    --r.Right;
  else
    --r.Bottom;
  const double d = (Horizontal ? r.Right - r.Left : r.Bottom - r.Top) / double(Steps);
  // Rounding half to even, as the drawing routines of the grid do.
  auto round = [](double v) { return int(std::nearbyint(v)); };

  for (int n = 0; n < Steps; ++n) {
    const TColor c =
        TColor(RGB(r1 + round(double(n) * dr / Steps), g1 + round(double(n) * dg / Steps),
                   b1 + round(double(n) * db / Steps)));
    Canvas->Pen()->SetColor(c);
    Canvas->Brush()->SetColor(c);
    // Strip n reaches the start of strip n + 1 (the rectangle leaves out its
    // right and bottom edges), so rounding leaves no gap; the last one reaches
    // the last pixel of Rect.
    if (Horizontal) {
      const int x = round(r.Left + n * d);
      Canvas->Rectangle(x, r.Top, round(r.Left + (n + 1) * d) + 1, r.Bottom);
    } else {
      const int y = round(r.Top + n * d);
      Canvas->Rectangle(r.Left, y, r.Right, round(r.Top + (n + 1) * d) + 1);
    }
  }
}

// ------------------------------------------------------------ header buttons

void THeaderButton::SetCaption(const QString& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Changed(false);
}

void THeaderButton::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Changed(false);
}

void THeaderButton::SetWidth(int Value) {
  if (FWidth == Value) return;
  FWidth = Value;
  Changed(false);
}

void THeaderButton::Assign(TPersistent* Source) {
  // An exact class match: a footer button is not a header button's source.
  auto* src = dynamic_cast<THeaderButton*>(Source);
  if (!src || typeid(*src) != typeid(*this)) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetCaption(src->FCaption);
  FImageIndex = src->FImageIndex;
  SetEnabled(src->FEnabled);
  SetWidth(src->FWidth);
  FHeight = src->FHeight;
}

void TFooterButton::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TFooterButton*>(Source);
  if (!src) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetCaption(src->Caption());
  SetImageIndex(src->ImageIndex());
  FModalResult = src->FModalResult;
  SetEnabled(src->Enabled());
  SetWidth(src->Width());
  SetHeight(src->Height());
}

THeaderButtons::THeaderButtons(TPersistent* AOwner)
    : THeaderButtons(AOwner, CollectionItemClass<THeaderButton>()) {}

THeaderButtons::THeaderButtons(TPersistent* AOwner, TCollectionItemClass ItemClass)
    : TOwnedCollection(AOwner, std::move(ItemClass)) {}

void THeaderButtons::Update(TCollectionItem*) {
  if (OnChange) OnChange(this);
}

TFooterButtons::TFooterButtons(TPersistent* AOwner)
    : THeaderButtons(AOwner, CollectionItemClass<TFooterButton>()) {}

// ---------------------------------------------------------------- appearances

TDropDownBarAppearance::TDropDownBarAppearance(TPersistent* AOwner,
                                               std::unique_ptr<THeaderButtons> AButtons)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()), FButtons(std::move(AButtons)) {
  FButtons->OnChange = [this](TObject* Sender) { ButtonsChanged(Sender); };
}

TDropDownBarAppearance::~TDropDownBarAppearance() {
  // The collection's own destruction reports nothing to a half-destroyed owner.
  FButtons->OnChange = nullptr;
}

void TDropDownBarAppearance::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  if (OnChange) OnChange(this);
}

void TDropDownBarAppearance::ButtonsChanged(TObject*) {
  if (OnButtonsChanged) OnButtonsChanged(this);
}

void TDropDownBarAppearance::CopyColors(TDropDownBarAppearance* Source) {
  FColor = Source->FColor;
  FColorTo = Source->FColorTo;
  FBorderColor = Source->FBorderColor;
  FFont->Assign(Source->FFont.get());
  FGradientDirection = Source->FGradientDirection;
}

THeaderAppearance::THeaderAppearance(TPersistent* AOwner)
    : TDropDownBarAppearance(AOwner, std::make_unique<THeaderButtons>(AOwner)) {
  FFont->SetName(QStringLiteral("Tahoma"));
}

void THeaderAppearance::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<THeaderAppearance*>(Source);
  if (!src) return;
  CopyColors(src);
  SetCaption(src->Caption());
  SetImageIndex(src->ImageIndex());
  SetBorderWidth(src->BorderWidth());
  SetHeight(src->Height());
  SetVisible(src->Visible());
  SetButtonAlignment(src->ButtonAlignment());
  FButtons->Assign(src->FButtons.get());
}

void THeaderAppearance::AssignColors(TPersistent* Source) {
  if (auto* src = dynamic_cast<THeaderAppearance*>(Source)) CopyColors(src);
}

TFooterAppearance::TFooterAppearance(TPersistent* AOwner)
    : TDropDownBarAppearance(AOwner, std::make_unique<TFooterButtons>(AOwner)) {}

void TFooterAppearance::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TFooterAppearance*>(Source);
  if (!src) return;
  CopyColors(src);
  SetCaption(src->Caption());
  FSizeGrip = src->FSizeGrip;
  SetBorderWidth(src->BorderWidth());
  SetHeight(src->Height());
  SetImageIndex(src->ImageIndex());
  SetVisible(src->Visible());
  SetButtonAlignment(src->ButtonAlignment());
  FButtons->Assign(src->FButtons.get());
}

void TFooterAppearance::AssignColors(TPersistent* Source) {
  if (auto* src = dynamic_cast<TFooterAppearance*>(Source)) CopyColors(src);
}
