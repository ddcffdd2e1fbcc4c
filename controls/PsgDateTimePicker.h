// The grid library's date/time picker: the framework's date picker with a frame
// and a drop button of its own. With MetroStyle the drop button is drawn flat in
// the button colours (ButtonColor, ButtonColorHot while the mouse is over it,
// ButtonColorDown while a mouse button is held there) and the frame follows
// BorderColor; without it the picker looks like the framework's.
//
// The frame is drawn after the window's own non-client painting (WM_NCPAINT)
// and again after each WM_PAINT, the button after each WM_PAINT.
#pragma once

#include <QString>

#include "platform/gdi/Graphics.h"
#include "platform/widgets/ComCtrls.h"

class TPsgDateTimePicker : public TDateTimePicker {
 public:
  explicit TPsgDateTimePicker(TComponent* AOwner);

  // Frame colour (clNone: none); a change repaints.
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  // Colours of the drop button in the metro look. The button is drawn in them
  // when ButtonColor is set; a state colour left clNone falls back to ButtonColor
  // (fills) or ButtonTextColor (the arrow).
  TColor ButtonColor() const { return FButtonColor; }
  void SetButtonColor(TColor Value) { FButtonColor = Value; }
  TColor ButtonColorHot() const { return FButtonColorHot; }
  void SetButtonColorHot(TColor Value) { FButtonColorHot = Value; }
  TColor ButtonColorDown() const { return FButtonColorDown; }
  void SetButtonColorDown(TColor Value) { FButtonColorDown = Value; }
  TColor ButtonTextColor() const { return FButtonTextColor; }
  void SetButtonTextColor(TColor Value) { FButtonTextColor = Value; }
  TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
  void SetButtonTextColorHot(TColor Value) { FButtonTextColorHot = Value; }
  TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
  void SetButtonTextColorDown(TColor Value) { FButtonTextColorDown = Value; }
  TColor ButtonBorderColor() const { return FButtonBorderColor; }
  void SetButtonBorderColor(TColor Value) { FButtonBorderColor = Value; }
  // The flat "metro" look; a change repaints.
  bool MetroStyle() const { return FMetroStyle; }
  void SetMetroStyle(bool Value);
  // bsNone or bsSingle: the colour of the single-line border drawn without Ctl3D.
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  // Width of the drop button strip at the right: the scroll bar width + 2.
  int ButtonWidth() const { return FButtonWidth; }

  // "1.0.0.0"; writing it changes nothing.
  QString Version() const;
  void SetVersion(const QString&) {}
  // The version as four bytes, the major one highest.
  int GetVersionNr() const;

 protected:
  void WndProc(TMessage& Message) override;
  void WMPaint(TWMPaint& Message) override;
  void WMMouseMove(TWMMouse& Message) override;
  void WMLButtonUp(TWMMouse& Message) override;
  void CMEnter(TMessageView& Message) override;
  void CMExit(TMessageView& Message) override;
  void CMMouseEnter(TCMMouseEnterLeave& Message) override;
  void CMMouseLeave(TCMMouseEnterLeave& Message) override;
  void CMCtl3DChanged(TMessageView& Message) override;

  // The metro look is on and the control is not being designed.
  bool MetroActive() const;
  // The drop button in client coordinates.
  TRect DropButtonRect() const;
  // Draws the drop button of the metro look into the client context.
  void DrawButton(HDC DC);
  // The frame of the metro look, into the window's context.
  void DrawFrame();
  // The single-line border drawn over the window frame without Ctl3D.
  void DrawBorder();
  // Paints the frame and the client area again.
  void RepaintWithFrame();

  TBorderStyle FBorderStyle = bsNone;
  TColor FBorderColor = clNone;
  bool FIsThemed = false;
  TColor FButtonColorDown = clNone;
  TColor FButtonBorderColor = clNone;
  TColor FButtonTextColor = clNone;
  TColor FButtonTextColorHot = clNone;
  TColor FButtonColor = clNone;
  TColor FButtonColorHot = clNone;
  TColor FButtonTextColorDown = clNone;
  int FButtonWidth = 0;
  bool FButtonHover = false;
  bool FMouseInControl = false;
  bool FIsWinXP = false;
  bool FMetroStyle = false;
  TColor FFocusBorderColor = clNone;
  bool FDisabledBorder = false;
  bool FHasFocus = false;
  bool FFocusBorder = false;
};
