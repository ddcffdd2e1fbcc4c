// The hint window of the grid library for mini-HTML and wide-encoded hint
// texts: it measures the text itself, keeps itself on the screen and paints the
// text inside a thin two-colour frame.
#pragma once

#include <QString>

#include "platform/ui/Forms.h"

class TImageList;
class TPictureContainer;

class THTMLHintWindow : public THintWindow {
 public:
  explicit THTMLHintWindow(TComponent* AOwner);
  // The measured text without margins: (0, 0, width, height), at most MaxWidth wide.
  TRect CalcHintRect(int MaxWidth, const QString& AHint, void* AData) override;
  // Takes the grid's image list and picture container when AData is a string
  // grid (passed as its TObject), then shows the hint.
  void ActivateHintData(TRect Rect, const QString& AHint, void* AData) override;
  // Sizes the window to the text (16 pixels of margin across, 4 down; 8 across
  // for wide text), moves it inside the screen and shows it at Rect's corner.
  void ActivateHint(TRect Rect, const QString& AHint) override;
  int TextWidth() const { return FTextWidth; }
  int TextHeight() const { return FTextHeight; }
  TImageList* Images() const { return FImages; }
  TPictureContainer* PictureContainer() const { return FPictureContainer; }

  // The font name of wide-encoded hints (the grid sets its own before a hint).
  static void SetHintFontName(const QString& Name);
  static QString HintFontName();

 protected:
  void Paint() override;

 private:
  // Width and height of the text laid out at most W pixels wide.
  void Measure(const QString& AHint, int W, int& Width, int& Height);
  TImageList* FImages = nullptr;
  TPictureContainer* FPictureContainer = nullptr;
  int FTextHeight = 0;
  int FTextWidth = 0;
  QString FWideCaption;
};
