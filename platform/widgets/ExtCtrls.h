// Extra controls of the desktop framework: the timer, panels, shapes, images,
// splitters, the link label and the category panel group.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/gdi/Graphics.h"

class QTimer;

// Fires OnTimer every Interval ms from the event loop while Enabled (and an
// Interval above 0). Setting Enabled to true on a running timer changes
// nothing (the interval does not start again); a new Interval restarts it.
// An exception in OnTimer shows the default exception box.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned Value);
  TNotifyEvent OnTimer;

 protected:
  virtual void Timer();

 private:
  void UpdateTimer();
  bool FEnabled = true;
  unsigned FInterval = 1000;
  std::unique_ptr<QTimer> FTimer;
};

// ============================================================ panels and shapes

// Draws a 3-D frame of Width lines inside Rect (top and left in TopColor,
// bottom and right in BottomColor) and shrinks Rect by it.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);

// A panel: a container with bevels and a centred caption. With ParentBackground
// (the default) the parent's background shows through instead of Color.
class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* AOwner);
  ~TCustomPanel() override;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
  void SetVerticalAlignment(TVerticalAlignment Value);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  bool FullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool Value) { FFullRepaint = Value; }
  bool Locked() const { return FLocked; }
  void SetLocked(bool Value) { FLocked = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void AdjustClientRect(TRect& Rect) override;
  void Paint() override;
  void WMEraseBkgnd(TWMEraseBkgnd& Message) override;
  void CMTextChanged(TMessageView& Message) override;
  void CMFontChanged(TMessageView& Message) override;
  void CMColorChanged(TMessageView& Message) override;
  void Changed() override;

  TAlignment FAlignment = taCenter;
  TVerticalAlignment FVerticalAlignment = taVerticalCenter;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TBorderStyle FBorderStyle = bsNone;
  bool FShowCaption = true;
  bool FFullRepaint = true;
  bool FLocked = false;
};

class TPanel : public TCustomPanel {
 public:
  using TCustomPanel::TCustomPanel;
};

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

// A shape drawn with Pen (outline) and Brush (inside).
class TShape : public TGraphicControl {
 public:
  explicit TShape(TComponent* AOwner);
  ~TShape() override;
  TShapeType Shape() const { return FShape; }
  void SetShape(TShapeType Value);
  TPen* Pen() const { return FPen.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }

 protected:
  void Paint() override;
  TShapeType FShape = stRectangle;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
};

// A picture on its parent: at its natural size in the top-left corner (or
// centred), stretched (keeping its proportions with Proportional) or sized to
// the picture (AutoSize).
class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;
  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool Proportional() const { return FProportional; }
  void SetProportional(bool Value);
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool IncrementalDisplay() const { return FIncrementalDisplay; }
  void SetIncrementalDisplay(bool Value) { FIncrementalDisplay = Value; }
  // The canvas of the picture (a bitmap of the image's size is made when the
  // picture is empty).
  TCanvas* ImageCanvas();
  // Where the picture is drawn, in client coordinates.
  TRect DestRect() const;

 protected:
  void Paint() override;
  void PictureChanged();
  std::unique_ptr<TPicture> FPicture;
  bool FStretch = false;
  bool FProportional = false;
  bool FCenter = false;
  bool FTransparent = false;
  bool FAutoSize = false;
  bool FIncrementalDisplay = false;
};

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewSize, bool& Accept)>;

// A bar the user drags to resize the control aligned just before it (in its
// alignment's direction). The control is resized while the bar is dragged;
// MinSize keeps it and the rest of the parent's client area from vanishing.
class TSplitter : public TGraphicControl {
 public:
  explicit TSplitter(TComponent* AOwner);
  ~TSplitter() override;
  bool AutoSnap() const { return FAutoSnap; }
  void SetAutoSnap(bool Value) { FAutoSnap = Value; }
  bool Beveled() const { return FBeveled; }
  void SetBeveled(bool Value);
  int MinSize() const { return FMinSize; }
  void SetMinSize(int Value) { FMinSize = std::max(1, Value); }
  TResizeStyle ResizeStyle() const { return FResizeStyle; }
  void SetResizeStyle(TResizeStyle Value) { FResizeStyle = Value; }

  TCanResizeEvent OnCanResize;
  TNotifyEvent OnMoved;
  TNotifyEvent OnPaint;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void RequestAlign() override;
  // The control the splitter resizes, or nullptr.
  TControl* FindControl() const;
  void UpdateSize(int Delta);

  bool FAutoSnap = true;
  bool FBeveled = false;
  int FMinSize = 30;
  TResizeStyle FResizeStyle = rsPattern;
  TControl* FControl = nullptr;
  TPoint FDownPos;
  int FStartSize = 0;
  int FMaxSize = 0;
  bool FDragging = false;
};

// ============================================================ link label

enum TSysLinkType { sltURL, sltID };
using TSysLinkEvent = std::function<void(TObject* Sender, const QString& Link, TSysLinkType LinkType)>;

// A caption with links: "<a href="...">text</a>" parts are drawn as links
// (hand cursor, underlined); a click on one, or Enter/Space while the label has
// the focus, fires OnLinkClick with the link's href (sltURL) or, without
// href, its id (sltID).
class TCustomLinkLabel : public TCustomControl {
 public:
  explicit TCustomLinkLabel(TComponent* AOwner);
  ~TCustomLinkLabel() override;
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool UseVisualStyle() const { return FUseVisualStyle; }
  void SetUseVisualStyle(bool Value) { FUseVisualStyle = Value; }
  // The caption without the link markup.
  QString PlainText() const;
  int LinkCount() const;
  // The client rectangle of link Index's text (its first line).
  TRect LinkRect(int Index);

  TSysLinkEvent OnLinkClick;

 protected:
  struct TPart {
    QString Text;
    int Link = -1;  // index of the link, -1 for plain text
    QString Href;
    QString Id;
    TRect Bounds;   // laid out
  };
  void Paint() override;
  void DefaultHandler(TMessage& Message) override;
  void WMGetDlgCode(TMessageView& Message) override;
  void CMTextChanged(TMessageView& Message) override;
  void CMFontChanged(TMessageView& Message) override;
  void CMMouseLeave(TCMMouseEnterLeave& Message) override;
  virtual void DoOnLinkClick(const QString& Link, TSysLinkType LinkType);
  void Parse();
  void LayoutParts(HDC DC);
  void AdjustBounds();
  int LinkAt(const TPoint& P);
  void ActivateLink(int Index);

  std::vector<TPart> FParts;
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  bool FUseVisualStyle = false;
  int FHotLink = -1;
  int FFocusLink = 0;
  int FPressedLink = -1;
};

class TLinkLabel : public TCustomLinkLabel {
 public:
  using TCustomLinkLabel::TCustomLinkLabel;
};

// ============================================================ category panels

enum TGradientDirection { gdHorizontal, gdVertical };
enum THeaderStyle { hsGradient, hsImage, hsThemed };

class TCustomCategoryPanelGroup;

// A collapsible panel of a category panel group: a header (the group's
// HeaderHeight, 24 pixels by default) with the caption, the group's image for
// the expanded or collapsed state and a chevron; a click on the header
// collapses or expands the panel. Its client area is the part below the header.
class TCustomCategoryPanel : public TCustomPanel {
 public:
  explicit TCustomCategoryPanel(TComponent* AOwner);
  ~TCustomCategoryPanel() override;

  void SetParent(TWinControl* AParent) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  bool Collapsed() const { return FCollapsed; }
  void SetCollapsed(bool Value);
  void Collapse() { SetCollapsed(true); }
  void Expand() { SetCollapsed(false); }
  TCustomCategoryPanelGroup* PanelGroup() const { return FPanelGroup; }
  void SetPanelGroup(TCustomCategoryPanelGroup* Value);
  int CollapsedImageIndex() const { return FCollapsedImageIndex; }
  void SetCollapsedImageIndex(int Value);
  int ExpandedImageIndex() const { return FExpandedImageIndex; }
  void SetExpandedImageIndex(int Value);
  int CollapsedHotImageIndex() const { return FCollapsedHotImageIndex; }
  void SetCollapsedHotImageIndex(int Value) { FCollapsedHotImageIndex = Value; InvalidateHeader(); }
  int ExpandedHotImageIndex() const { return FExpandedHotImageIndex; }
  void SetExpandedHotImageIndex(int Value) { FExpandedHotImageIndex = Value; InvalidateHeader(); }
  // The height of the expanded panel (kept while it is collapsed).
  int ExpandedHeight() const { return FExpandedHeight; }
  int HeaderHeight() const;
  // The header's rectangle in window coordinates.
  TRect HeaderRect() const;
  bool HeaderHot() const { return FHeaderHot; }

  TNotifyEvent OnCollapse;
  TNotifyEvent OnExpand;

 protected:
  friend class TCustomCategoryPanelGroup;
  TRect NonClientExtra() const override;
  void PaintNonClient(HDC WindowDC) override;
  void AdjustClientRect(TRect& Rect) override;
  void Paint() override;
  void DefaultHandler(TMessage& Message) override;
  void CMMouseLeave(TCMMouseEnterLeave& Message) override;
  void CMTextChanged(TMessageView& Message) override;
  void InvalidateHeader();
  void HeaderChanged();
  void SetHot(bool Value);

  TCustomCategoryPanelGroup* FPanelGroup = nullptr;
  bool FCollapsed = false;
  int FExpandedHeight = 200;
  int FCollapsedImageIndex = -1;
  int FExpandedImageIndex = -1;
  int FCollapsedHotImageIndex = -1;
  int FExpandedHotImageIndex = -1;
  bool FHeaderHot = false;
  bool FHeaderPressed = false;
};

class TCategoryPanel : public TCustomCategoryPanel {
 public:
  using TCustomCategoryPanel::TCustomCategoryPanel;
};

// A vertical stack of category panels (each aligned to the top, in the order
// of their Top) that scrolls vertically when they do not fit.
class TCustomCategoryPanelGroup : public TScrollingWinControl {
 public:
  explicit TCustomCategoryPanelGroup(TComponent* AOwner);
  ~TCustomCategoryPanelGroup() override;

  int HeaderHeight() const { return FHeaderHeight; }
  void SetHeaderHeight(int Value);
  TFont* HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
  TColor GradientBaseColor() const { return FGradientBaseColor; }
  void SetGradientBaseColor(TColor Value);
  TColor GradientColor() const { return FGradientColor; }
  void SetGradientColor(TColor Value);
  TGradientDirection GradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(TGradientDirection Value);
  THeaderStyle HeaderStyle() const { return FHeaderStyle; }
  void SetHeaderStyle(THeaderStyle Value);
  TAlignment HeaderAlignment() const { return FHeaderAlignment; }
  void SetHeaderAlignment(TAlignment Value);
  TColor ChevronColor() const { return FChevronColor; }
  void SetChevronColor(TColor Value);
  TColor ChevronHotColor() const { return FChevronHotColor; }
  void SetChevronHotColor(TColor Value) { FChevronHotColor = Value; }
  TAlignment ChevronAlignment() const { return FChevronAlignment; }
  void SetChevronAlignment(TAlignment Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

  int PanelCount() const { return static_cast<int>(FPanels.size()); }
  TCustomCategoryPanel* Panels(int Index) const;
  void CollapseAll();
  void ExpandAll();
  TCustomCategoryPanel* CreatePanel(TComponent* AOwner);

 protected:
  friend class TCustomCategoryPanel;
  void CreateParams(TCreateParams& Params) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void HeadersChanged();

  std::vector<TCustomCategoryPanel*> FPanels;
  int FHeaderHeight = 24;
  std::unique_ptr<TFont> FHeaderFont;
  TColor FGradientBaseColor = TColor(0x00F0F0F0);
  TColor FGradientColor = TColor(0x00E3E3E3);
  TGradientDirection FGradientDirection = gdVertical;
  THeaderStyle FHeaderStyle = hsGradient;
  TAlignment FHeaderAlignment = taLeftJustify;
  TColor FChevronColor = clBlack;
  TColor FChevronHotColor = clGray;
  TAlignment FChevronAlignment = taRightJustify;
  TImageList* FImages = nullptr;
  TBorderStyle FBorderStyle = bsSingle;
};

class TCategoryPanelGroup : public TCustomCategoryPanelGroup {
 public:
  using TCustomCategoryPanelGroup::TCustomCategoryPanelGroup;
};
