// The drop-down unit: the header and footer appearance of a drop-down pop-up
// (with their button collections) and the step-gradient routine shared by the
// pop-ups, their bars and the grid's fixed cells and search panel.
#pragma once

#include <QString>
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/gdi/Graphics.h"

// TGradientDirection (gdHorizontal, gdVertical) is the framework's, in ExtCtrls.
enum TButtonAlignment { baLeft, baRight };

// Fills Rect with Steps solid strips (0 counts as 1) going from FromColor to
// ToColor: left to right when Horizontal, else top to bottom. Strip n has each
// RGB channel of FromColor moved by n/Steps of the difference (rounded); every
// strip is drawn one pixel longer than its share, so no gap remains.
void DrawStepGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps,
                      const TRect& Rect, bool Horizontal);

// ------------------------------------------------------------ header buttons

// A button of a pop-up's header bar. Caption, Enabled and Width report a change
// to the collection (its OnChange); Height and ImageIndex are plain stores.
class THeaderButton : public TCollectionItem {
 public:
  explicit THeaderButton(TCollection* Collection) : TCollectionItem(Collection) {}

  const QString& Caption() const { return FCaption; }
  void SetCaption(const QString& Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  // 0 sizes the button to its content.
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }

  // Copies another button of the same class (Caption, Enabled and Width
  // through their setters).
  void Assign(TPersistent* Source) override;

 private:
  QString FCaption;
  int FImageIndex = -1;
  bool FEnabled = true;
  int FWidth = 0;
  int FHeight = 0;
};

// A footer bar's button: a header button with the modal result it gives.
class TFooterButton : public THeaderButton {
 public:
  explicit TFooterButton(TCollection* Collection) : THeaderButton(Collection) {}
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  void Assign(TPersistent* Source) override;

 private:
  TModalResult FModalResult = mrNone;
};

// The buttons of a bar; owned by the appearance but reporting the appearance's
// owner as theirs. OnChange fires (Sender: the collection) when a button is
// added, removed or changed.
class THeaderButtons : public TOwnedCollection {
 public:
  explicit THeaderButtons(TPersistent* AOwner);
  THeaderButton* Add() { return static_cast<THeaderButton*>(TCollection::Add()); }
  THeaderButton* Insert(int Index) {
    return static_cast<THeaderButton*>(TCollection::Insert(Index));
  }
  THeaderButton* Items(int Index) const {
    return static_cast<THeaderButton*>(TCollection::Items(Index));
  }
  TNotifyEvent OnChange;

 protected:
  THeaderButtons(TPersistent* AOwner, TCollectionItemClass ItemClass);
  void Update(TCollectionItem* Item) override;
};

class TFooterButtons : public THeaderButtons {
 public:
  explicit TFooterButtons(TPersistent* AOwner);
  TFooterButton* Add() { return static_cast<TFooterButton*>(TCollection::Add()); }
  TFooterButton* Insert(int Index) {
    return static_cast<TFooterButton*>(TCollection::Insert(Index));
  }
  TFooterButton* Items(int Index) const {
    return static_cast<TFooterButton*>(TCollection::Items(Index));
  }
};

// ---------------------------------------------------------------- appearances

// What the header and footer bars of a pop-up share. Only Visible reports a
// change (OnChange, when the value really changes) and the button collection
// its own (OnButtonsChanged); everything else is a plain store.
class TDropDownBarAppearance : public TPersistent {
 public:
  ~TDropDownBarAppearance() override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  // clNone: a solid background in Color.
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { FColorTo = Value; }
  // Mini-HTML text of the bar.
  const QString& Caption() const { return FCaption; }
  void SetCaption(const QString& Value) { FCaption = Value; }
  TFont* Font() const { return FFont.get(); }
  // Copies Value into the owned font.
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TGradientDirection GradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(TGradientDirection Value) { FGradientDirection = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value) { FBorderWidth = Value; }
  // Image of the drop-down's image list drawn before the caption; -1 none.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  TButtonAlignment ButtonAlignment() const { return FButtonAlignment; }
  void SetButtonAlignment(TButtonAlignment Value) { FButtonAlignment = Value; }

  // The owner given to the constructor.
  TPersistent* GetOwner() override { return FOwner; }

  TNotifyEvent OnChange;
  TNotifyEvent OnButtonsChanged;

 protected:
  TDropDownBarAppearance(TPersistent* AOwner, std::unique_ptr<THeaderButtons> AButtons);
  // Copies Color, ColorTo, BorderColor, Font and GradientDirection.
  void CopyColors(TDropDownBarAppearance* Source);
  void ButtonsChanged(TObject* Sender);

  TPersistent* FOwner;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<THeaderButtons> FButtons;

 private:
  TColor FColor = TColor(0xC0C0C0);
  TColor FColorTo = TColor(0xFFFFFF);
  QString FCaption;
  TGradientDirection FGradientDirection = gdVertical;
  bool FVisible = true;
  int FHeight = 22;
  TColor FBorderColor = TColor(0x000000);
  int FBorderWidth = 1;
  int FImageIndex = -1;
  TButtonAlignment FButtonAlignment = baRight;
};

// The caption bar at the top of a pop-up; its font starts as "Tahoma".
class THeaderAppearance : public TDropDownBarAppearance {
 public:
  explicit THeaderAppearance(TPersistent* AOwner);
  THeaderButtons* Buttons() const { return FButtons.get(); }
  // Copies Value's buttons into the owned collection.
  void SetButtons(THeaderButtons* Value) { FButtons->Assign(Value); }
  // Copies another header appearance (Visible through its setter); any other
  // source is ignored.
  void Assign(TPersistent* Source) override;
  // Copies the colours, font and gradient direction of another header appearance.
  void AssignColors(TPersistent* Source);
};

// The button and status bar at the bottom of a pop-up, with a size grip.
class TFooterAppearance : public TDropDownBarAppearance {
 public:
  explicit TFooterAppearance(TPersistent* AOwner);
  TFooterButtons* Buttons() const { return static_cast<TFooterButtons*>(FButtons.get()); }
  void SetButtons(TFooterButtons* Value) { FButtons->Assign(Value); }
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value) { FSizeGrip = Value; }
  void Assign(TPersistent* Source) override;
  void AssignColors(TPersistent* Source);

 private:
  bool FSizeGrip = true;
};
