// Edits with a button: a masked edit with a small push button at its right
// edge. Releasing the left mouse button on it, or F4, raises OnClickBtn. The
// unit edit adds a unit-of-measure text between the text and the button; its
// button opens a menu of the units.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "controls/psgspin.h"
#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"
#include "platform/widgets/Buttons.h"
#include "platform/widgets/Mask.h"

// The push button of an edit with a button; drawn as a push button, flat, in
// the owner's colours or with the visual style "button".
class TProSpeedButton : public TSpeedButton {
 public:
  explicit TProSpeedButton(TComponent* AOwner);

  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value) { FIsWinXP = Value; Invalidate(); }
  // The mouse is over the button.
  bool Hot() const { return FHot; }

 protected:
  void Paint() override;
  void CMMouseEnter(TCMMouseEnterLeave& Message) override;
  void CMMouseLeave(TCMMouseEnterLeave& Message) override;

 private:
  bool FIsWinXP = false;
  bool FHot = false;
};

// The windowed container of the button.
class TPsgEditButton : public TPsgButtonHost {
 public:
  explicit TPsgEditButton(TComponent* AOwner);

  TProSpeedButton* SpeedButton() const { return FButton; }
  TBitmap* Glyph() const { return FButton->Glyph(); }
  void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
  TNumGlyphs NumGlyphs() const { return FButton->NumGlyphs(); }
  void SetNumGlyphs(TNumGlyphs Value) { FButton->SetNumGlyphs(Value); }
  QString ButtonCaption() const { return FButton->Caption(); }
  void SetButtonCaption(const QString& Value) { FButton->SetCaption(Value); }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  // Gives the button the container's whole size.
  void AdjustButtonBounds(int& AWidth, int& AHeight) override;

  TNotifyEvent OnClick;

 private:
  void BtnMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  TProSpeedButton* FButton = nullptr;
  bool FFlat = false;
};

// The edit with a button.
class TPsgEditBtn : public TCustomMaskEdit {
 public:
  explicit TPsgEditBtn(TComponent* AOwner);
  ~TPsgEditBtn() override;

  TPsgEditButton* Button() const { return FButton; }
  QString ButtonCaption() const { return FButton->ButtonCaption(); }
  void SetButtonCaption(const QString& Value) { FButton->SetButtonCaption(Value); }
  int ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int Value);
  TBitmap* Glyph() const { return FButton->Glyph(); }
  void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
  // Off: nothing can be typed, pasted or cut; the button still works.
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
  bool RightAlign() const { return FRightAlign; }
  void SetRightAlign(bool Value);
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);

  // The smallest height that shows the font.
  int GetMinHeight();
  // Sets the formatting rectangle of the text beside the button (and unit).
  void SetEditRect();

  TNotifyEvent OnClickBtn;

 protected:
  // The button was clicked (or F4 pressed).
  virtual void DoClickBtn();
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DefaultHandler(TMessage& Message) override;
  void WMSize(TWMSize& Message) override;
  void WMChar(TWMKey& Message) override;
  void CMEnter(TMessageView& Message) override;

  int FUnitSize = 0;

 private:
  bool FRightAlign = false;
  TPsgEditButton* FButton = nullptr;
  bool FEditorEnabled = true;
  int FButtonWidth = 18;
  bool FIsWinXP = false;
};

using TUnitChangeEvent = std::function<void(TObject* Sender, const QString& NewUnit)>;

// The edit with a unit: the text, the unit and a button that offers the units.
class TPsgUnitEditBtn : public TPsgEditBtn {
 public:
  explicit TPsgUnitEditBtn(TComponent* AOwner);
  ~TPsgUnitEditBtn() override;

  TStringList* Units() const { return FUnits.get(); }
  // Copies the list (nullptr is ignored).
  void SetUnits(TStringList* Value);
  const QString& UnitID() const { return FUnitID; }
  void SetUnitID(const QString& Value);
  // Pixels kept for the unit text.
  int UnitSpace() const { return FUnitSize; }
  void SetUnitSpace(int Value);
  // The text followed by the unit. Setting it takes the first unit (in list
  // order) whose first occurrence ends the value; without one nothing changes.
  QString TextAndUnit() const;
  void SetTextAndUnit(const QString& Value);
  // The rectangle the unit text is drawn in.
  TRect UnitRect() const;

  TUnitChangeEvent OnUnitChanged;

 protected:
  // Raises OnClickBtn, then offers the units in a pop-up menu below the
  // editor's right end.
  void DoClickBtn() override;
  void WMPaint(TWMPaint& Message) override;
  void WMCommand(TWMCommand& Message) override;

 private:
  QString FUnitID;
  std::unique_ptr<TStringList> FUnits;
};
