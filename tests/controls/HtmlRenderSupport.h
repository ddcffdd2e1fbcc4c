// Calls of DrawHTMLText for the tests: every parameter with the value the grid
// passes when painting a cell, the outputs kept, and a check that the canvas is
// left as it was found.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <map>
#include <memory>

#include "controls/PsgHTMLE.h"
#include "controls/PsgHTMLE_p.h"
#include "tests/controls/RecordingDevice.h"

struct THtmlCall {
  TRect Rect{0, 0, 300, 200};
  TImageList* Images = nullptr;
  int X = -1, Y = -1;
  int FocusLink = -1, HoverLink = -1, ShadowOffset = 1;
  bool NoDraw = false, MeasureOnly = false, Print = false, Selected = false, BlinkOn = true,
       HoverStyle = false, WordWrap = false, ControlDown = false;
  double ResFactor = 1.0;
  TColor URLColor = clBlue, HoverColor = clNone, HoverFontColor = clNone, ShadowColor = clGray;
  THTMLPictureCache* Cache = nullptr;
  TPictureContainer* Container = nullptr;
  TBiDiMode BiDi = bdLeftToRight;

  QString AnchorVal, StripVal, FocusAnchor, AnchorTitle, ControlID, ControlValue, ControlType;
  int XSize = 0, YSize = 0, HyperLinks = 0, MouseLink = 0;
  TRect HoverRect, ControlRect;
  bool Result = false;

  // Draws Text and checks that font, brush and pen are those of entry afterwards.
  bool Draw(TCanvas* C, const QString& Text) {
    const QString name = C->Font()->Name();
    const int height = C->Font()->Height();
    const TFontStyles style = C->Font()->Style();
    const TColor color = C->Font()->Color();
    const TColor brush = C->Brush()->Color();
    const TBrushStyle brushStyle = C->Brush()->Style();
    const TColor pen = C->Pen()->Color();
    const int penWidth = C->Pen()->Width();
    Result = DrawHTMLText(C, Text, Rect, Images, X, Y, FocusLink, HoverLink, ShadowOffset, NoDraw, MeasureOnly,
                          Print, Selected, BlinkOn, HoverStyle, WordWrap, ControlDown, ResFactor, URLColor,
                          HoverColor, HoverFontColor, ShadowColor, AnchorVal, StripVal, FocusAnchor, AnchorTitle,
                          XSize, YSize, HyperLinks, MouseLink, HoverRect, ControlRect, ControlID, ControlValue,
                          ControlType, Cache, Container, nullptr, BiDi);
    EXPECT_EQ(C->Font()->Name(), name) << Text.toStdString();
    EXPECT_EQ(C->Font()->Height(), height) << Text.toStdString();
    EXPECT_TRUE(C->Font()->Style() == style) << Text.toStdString();
    EXPECT_EQ(C->Font()->Color(), color) << Text.toStdString();
    EXPECT_EQ(C->Brush()->Color(), brush) << Text.toStdString();
    EXPECT_EQ(C->Brush()->Style(), brushStyle) << Text.toStdString();
    EXPECT_EQ(C->Pen()->Color(), pen) << Text.toStdString();
    EXPECT_EQ(C->Pen()->Width(), penWidth) << Text.toStdString();
    LOGFONT selected;
    EXPECT_TRUE(GetObject(GetCurrentObject(C->Handle(), OBJ_FONT), selected));
    EXPECT_EQ(selected.lfEscapement, 0) << Text.toStdString();
    EXPECT_EQ(HTMLLiveRotatedFonts(), 0) << Text.toStdString();
    return Result;
  }
  // A hit test at (AX, AY), as the grid makes for mouse movement and clicks;
  // Sought: the ID of a control to find wherever the point is.
  bool Hit(TCanvas* C, const QString& Text, int AX, int AY, const QString& Sought = {}) {
    X = AX;
    Y = AY;
    NoDraw = true;
    AnchorVal.clear();
    ControlID = Sought;
    return Draw(C, Text);
  }
};

// A picture of a fake container: its size, frames and the rectangles it was drawn into.
class TFakePicture : public IHTMLPicture {
 public:
  struct TState {
    int Width = 0, Height = 0, MaxWidth = 0, MaxHeight = 0, Frames = 1, FrameX = 0, FrameY = 0;
    bool Stretch = false;
    std::vector<TRect> Drawn;
  };
  explicit TFakePicture(TState* S) : FS(S) {}
  bool Empty() const override { return FS->Width == 0; }
  int Width() const override { return FS->Width; }
  int Height() const override { return FS->Height; }
  int MaxWidth() const override { return FS->MaxWidth ? FS->MaxWidth : FS->Width; }
  int MaxHeight() const override { return FS->MaxHeight ? FS->MaxHeight : FS->Height; }
  int FrameCount() const override { return FS->Frames; }
  int FrameXPos() const override { return FS->FrameX; }
  int FrameYPos() const override { return FS->FrameY; }
  void SetStretch(bool Value) override { FS->Stretch = Value; }
  void Draw(TCanvas* Canvas, const TRect& R) override {
    FS->Drawn.push_back(R);
    Canvas->Brush()->SetColor(clRed);
    Canvas->FillRect(R);
  }

 private:
  TState* FS;
};

// Pictures by name (upper case) for a container, by address for a cache.
class TFakePictureSource : public IHTMLPictureSource {
 public:
  std::map<QString, TFakePicture::TState> Named;
  std::map<QString, TFakePicture::TState> Cached;
  std::unique_ptr<IHTMLPicture> ContainerPicture(TPictureContainer*, const QString& Name) override {
    auto it = Named.find(Name.toUpper());
    return it == Named.end() ? nullptr : std::make_unique<TFakePicture>(&it->second);
  }
  std::unique_ptr<IHTMLPicture> CachePicture(THTMLPictureCache*, const QString& URL) override {
    auto it = Cached.find(URL);
    return it == Cached.end() ? nullptr : std::make_unique<TFakePicture>(&it->second);
  }
};

// Installs a fake picture source for the scope.
struct TScopedPictureSource {
  TFakePictureSource* Source;
  TScopedPictureSource() {
    auto s = std::make_unique<TFakePictureSource>();
    Source = s.get();
    SetHTMLPictureSource(std::move(s));
  }
  ~TScopedPictureSource() { SetHTMLPictureSource(nullptr); }
};

// A non-null stand-in for the container and cache objects, which the renderer
// only hands on to its picture source.
inline TPictureContainer* FakeContainer() {
  static char tag;
  return reinterpret_cast<TPictureContainer*>(&tag);
}
inline THTMLPictureCache* FakeCache() {
  static char tag;
  return reinterpret_cast<THTMLPictureCache*>(&tag);
}

// A canvas on a recording device with a known font, for drawing texts.
class HtmlCanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Canvas.SetDevice(&Device);
    Canvas.Font()->SetName(QStringLiteral("Tahoma"));
    Canvas.Font()->SetSize(10);
    Canvas.Brush()->SetColor(clWhite);
    Canvas.Pen()->SetColor(clBlack);
    Gh = Canvas.TextHeight(QStringLiteral("gh"));
  }
  void TearDown() override { Canvas.SetDevice(nullptr); }
  // Draws Text with Call and returns the texts as recorded.
  const std::vector<TRecordedText>& Texts(const QString& Text) {
    Device.Clear();
    Call.Draw(&Canvas, Text);
    Canvas.ReleasePainter();
    return Device.Recorded().Texts;
  }
  // The texts drawn, joined.
  QString Shown(const QString& Text) {
    Texts(Text);
    return Device.AllText();
  }
  int W(const char* Utf8) { return Canvas.TextWidth(QString::fromUtf8(Utf8)); }

  TRecordingDevice Device{400, 300};
  TCanvas Canvas;
  THtmlCall Call;
  int Gh = 0;  // TextHeight("gh")
};
