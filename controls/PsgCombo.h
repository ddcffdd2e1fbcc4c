// The grid library's combo box: the framework's combo box with a flat look,
// colour sets for its frame, focus frame and drop button, a background colour
// while focused and the settings of an attached label. The grid's in-place
// combo editor descends from it.
//
// The platform's combo look draws the control; over it this class draws the
// frame in BorderColor (FocusBorderColor while focused, a fixed grey-blue when
// disabled with DisabledBorder off), a drop button in ButtonColor with its
// arrow, and the flat look's line. It follows the focus colour while focused,
// the colour to go back to afterwards, the flat look's parent colour and fires
// OnDropUp when the list closes.
#pragma once

#include <QString>
#include <memory>

#include "platform/gdi/Graphics.h"
#include "platform/widgets/StdCtrls.h"

enum TLabelPosition {
  lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft,
  lpLeftCenterLeft, lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter,
  lpRighBottom
};

class TPsgCustomCombo : public TCustomComboBox {
 public:
  explicit TPsgCustomCombo(TComponent* AOwner);
  ~TPsgCustomCombo() override;

  // Take the focus when the mouse enters.
  bool AutoFocus() const { return FAutoFocus; }
  void SetAutoFocus(bool Value) { FAutoFocus = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  // Width of the drop button; only 14 to 32 are taken.
  int ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int Value);
  bool DisabledBorder() const { return FDisabledBorder; }
  void SetDisabledBorder(bool Value) { FDisabledBorder = Value; Invalidate(); }
  // Flat look: no 3D frame; with FlatParentColor the parent's colour.
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  TColor FlatLineColor() const { return FFlatLineColor; }
  void SetFlatLineColor(TColor Value) { FFlatLineColor = Value; Invalidate(); }
  bool FlatParentColor() const { return FFlatParentColor; }
  void SetFlatParentColor(bool Value) { FFlatParentColor = Value; Invalidate(); }
  // Stored and repaints; nothing draws it.
  bool Etched() const { return FEtched; }
  void SetEtched(bool Value) { FEtched = Value; Invalidate(); }
  bool FocusBorder() const { return FFocusBorder; }
  void SetFocusBorder(bool Value) { FFocusBorder = Value; }
  TColor FocusBorderColor() const { return FFocusBorderColor; }
  void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
  // Background while focused (clNone: unchanged).
  TColor FocusColor() const { return FFocusColor; }
  void SetFocusColor(TColor Value) { FFocusColor = Value; }
  bool FocusLabel() const { return FFocusLabel; }
  void SetFocusLabel(bool Value) { FFocusLabel = Value; }
  // Width of the drop-down list; 0: the control's width.
  int DropWidth() const { return FDropWidth; }
  void SetDropWidth(int Value);
  // The attached label: a label on the combo's parent, made with the first
  // caption, placed beside the combo by LabelPosition and LabelMargin.
  QString LabelCaption() const;
  void SetLabelCaption(const QString& Value);
  TLabelPosition LabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition Value);
  int LabelMargin() const { return FLabelMargin; }
  void SetLabelMargin(int Value);
  bool LabelTransparent() const { return FLabelTransparent; }
  void SetLabelTransparent(bool Value);
  bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
  void SetLabelAlwaysEnabled(bool Value);
  TFont* LabelFont() const { return FLabelFont.get(); }
  void SetLabelFont(TFont* Value);
  // The attached label, or nullptr before a caption was set.
  TLabel* Label() const { return FLabel; }
  // Colours of a custom-drawn drop button (clNone: the standard button).
  TColor ButtonColor = clNone, ButtonColorHot = clNone, ButtonColorDown = clNone,
         ButtonBorderColor = clNone, ButtonTextColor = clNone, ButtonTextColorHot = clNone,
         ButtonTextColorDown = clNone;

  // The control's colour; while the form loads also the colour to come back to.
  // Set while the control is not focused, it is the colour restored after focus.
  void SetColor(TColor Value);
  // Selects the item equal to AString; nothing when there is none.
  void SelectItem(const QString& AString);
  // Remembers the current colour as the one to restore after focus.
  void Init();
  // Also places the label.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // Enabled and visible: the label follows (unless LabelAlwaysEnabled).
  void SetEnabled(bool Value) override;
  void SetVisible(bool Value);
  bool HasFocus() const { return FHasFocus; }

  // Fired when the drop-down list closes.
  TNotifyEvent OnDropUp;

  // Set by the owner: repaint on mouse enter and leave; leave painting to the
  // system unless a button or border colour is set.
  bool FIsWinXP = false;
  bool FIsVista = false;

 protected:
  void Loaded() override;
  void CloseUp() override;
  void CMEnter(TMessageView& Message) override;
  void CMExit(TMessageView& Message) override;
  void CMMouseEnter(TCMMouseEnterLeave& Message) override;
  void CMMouseLeave(TCMMouseEnterLeave& Message) override;
  void CMEnabledChanged(TMessageView& Message) override;
  void WMPaint(TWMPaint& Message) override;
  void WMNCPaint(TMessageView& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  // The coloured frame, focus frame and drop button over the combo's own look.
  void DrawFrame();
  void PlaceLabel();

  bool FAutoFocus = false;
  bool FFlat = false;
  bool FEtched = false;
  TColor FOldColor = clNone;
  TColor FLoadedColor = clWindow;
  bool FOldParentColor = false;
  int FButtonWidth = 19;
  bool FFocusBorder = false;
  bool FMouseInControl = false;
  int FDropWidth = 0;
  bool FLabelAlwaysEnabled = false;
  bool FLabelTransparent = false;
  int FLabelMargin = 4;
  std::unique_ptr<TFont> FLabelFont;
  TLabelPosition FLabelPosition = lpLeftTop;
  TLabel* FLabel = nullptr;  // owned as a component
  TColor FFlatLineColor = clNone;
  bool FFlatParentColor = true;
  TColor FFocusColor = clNone;
  TColor FFocusBorderColor = clNone;
  TColor FBorderColor = clNone;
  bool FDisabledBorder = true;
  TColor FNormalColor = clNone;
  bool FHasFocus = false;
  bool FFocusLabel = false;
  bool FIsThemed = false;
  bool FButtonHover = false;
  bool FButtonDown = false;
};

class TPsgComboBox : public TPsgCustomCombo {
 public:
  using TPsgCustomCombo::TPsgCustomCombo;
};
