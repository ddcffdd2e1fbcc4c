// The mini-HTML renderer: images and inline controls.
#include <QScopeGuard>

#include "controls/ProXPVS.h"
#include "platform/os/ScopedService.h"
#include "platform/os/ShellIcons.h"
#include "tests/controls/ThemeFakes.h"
#include "tests/controls/HtmlRenderSupport.h"

namespace {

QString U(const char* Utf8) { return QString::fromUtf8(Utf8); }

// An image list of Count images of W x H, image i filled with a colour of its own.
std::unique_ptr<TImageList> MakeImages(int W, int H, int Count = 1) {
  auto list = std::make_unique<TImageList>(nullptr);
  list->SetWidth(W);
  list->SetHeight(H);
  for (int i = 0; i < Count; ++i) {
    TBitmap b(W, H);
    b.Canvas()->Brush()->SetColor(i == 0 ? clRed : clLime);
    b.Canvas()->FillRect(TRect(0, 0, W, H));
    list->Add(&b, nullptr);
  }
  return list;
}

// Shell icons of 16 or 32 pixels for any name; the names asked for are kept.
class TFakeShellIcons : public IShellIcons {
 public:
  QStringList Asked;
  std::unique_ptr<TIcon> Icon(const QString& Name, int Size) override {
    Asked << QStringLiteral("%1@%2").arg(Name).arg(Size);
    QImage image(Size, Size, QImage::Format_ARGB32);
    image.fill(Qt::blue);
    auto icon = std::make_unique<TIcon>();
    icon->SetImage(image);
    return icon;
  }
};

class HtmlImages : public ::testing::Test {
 protected:
  void SetUp() override { Attach(96); }
  void TearDown() override { Canvas.SetDevice(nullptr); }
  void Attach(int Dpi) {
    Canvas.SetDevice(nullptr);
    Device = std::make_unique<TRecordingDevice>(400, 300, Dpi);
    Canvas.SetDevice(Device.get());
    Canvas.Font()->SetName(QStringLiteral("Tahoma"));
    Canvas.Font()->SetSize(10);
    Canvas.Brush()->SetColor(clWhite);
    Gh = Canvas.TextHeight(QStringLiteral("gh"));
  }
  TRecordingEngine& Draw(const QString& Text) {
    Device->Clear();
    Call.Draw(&Canvas, Text);
    Canvas.ReleasePainter();
    return Device->Recorded();
  }
  // A picture of the canvas's pixels after drawing Text.
  QImage Pixels(const QString& Text, THtmlCall C, int W = 200, int H = 60) {
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas c;
    c.SetDevice(&image);
    c.Font()->Assign(Canvas.Font());
    c.Brush()->SetColor(clWhite);
    C.Draw(&c, Text);
    c.SetDevice(nullptr);
    return image;
  }

  std::unique_ptr<TRecordingDevice> Device;
  TCanvas Canvas;
  THtmlCall Call;
  int Gh = 0;
};

TEST_F(HtmlImages, ImageListImagesScaleWithTheDevicesPixelsPerInch) {
  auto images = MakeImages(16, 16, 2);
  Call.Images = images.get();
  const struct {
    int Dpi;
    const char* Text;
    int XSize;
    int Drawn;  // images drawn
  } rows[] = {
      {96, "<IMG SRC=\"IDX:0\">", 16, 1},  {144, "<IMG SRC=\"IDX:0\">", 24, 1}, {96, "<IMG SRC=\"idx:1\">", 16, 1},
      {96, "<IMG SRC=\"IDX:2\">", 0, 0},   {96, "<IMG SRC=\"IDX:-1\">", 0, 0},  {96, "<IMG SRC=\"IDX:x\">", 16, 1},
      {96, "a<IMG SRC=\"IDX:0\">b", -1, 1},
  };
  for (const auto& r : rows) {
    Attach(r.Dpi);
    auto& rec = Draw(U(r.Text));
    if (r.XSize >= 0) {
      EXPECT_EQ(Call.XSize, r.XSize) << r.Text << " at " << r.Dpi;
    }
    EXPECT_EQ(int(rec.Images.size()), r.Drawn) << r.Text;
    if (r.Drawn) {
      EXPECT_EQ(rec.Images[0].Target.size(), QSize(16, 16)) << r.Text;
      EXPECT_EQ(rec.Images[0].Target.top(), 0) << r.Text;
    }
    if (r.XSize > 0) {
      EXPECT_EQ(Call.YSize, std::max(Gh, r.XSize)) << r.Text;
    }
  }
  Call.Images = nullptr;
  Draw(U("<IMG SRC=\"IDX:0\">"));
  EXPECT_EQ(Call.XSize, 0);
  Attach(96);
  Call.Images = images.get();
  auto& rec = Draw(U("ab<IMG SRC=\"IDX:0\">"));
  ASSERT_EQ(rec.Images.size(), 1u);
  EXPECT_EQ(rec.Images[0].Target.left(), 1 + Canvas.TextWidth(U("ab")));
  // Printing stretches the image by the resolution factor.
  Call.Print = true;
  Call.ResFactor = 2.5;
  auto& printed = Draw(U("<IMG SRC=\"IDX:0\">"));
  ASSERT_EQ(printed.Images.size(), 1u);
  EXPECT_EQ(printed.Images[0].Target, QRect(1, 0, 40, 40));
}

TEST_F(HtmlImages, ContainerAndCachePictures) {
  TScopedPictureSource pictures;
  auto& logo = pictures.Source->Named[U("LOGO")];
  logo.Width = 64;
  logo.Height = 48;
  Call.Container = FakeContainer();
  Call.Cache = FakeCache();

  Draw(U("<IMG SRC=\"logo\" WIDTH=\"32\">"));
  ASSERT_EQ(logo.Drawn.size(), 1u);
  EXPECT_EQ(logo.Drawn[0], TRect(1, 0, 33, 24));
  EXPECT_TRUE(logo.Stretch);
  EXPECT_EQ(Call.XSize, 32);
  EXPECT_EQ(Call.YSize, 24);

  const struct {
    const char* Text;
    TRect Drawn;
    int XSize, YSize;
  } rows[] = {
      {"<IMG SRC=\"LOGO\">", TRect(1, 0, 65, 48), 64, 48},
      {"<IMG SRC=\"logo\" HEIGHT=\"24\">", TRect(1, 0, 33, 24), 32, 24},
      {"<IMG SRC=\"logo\" WIDTH=\"10\" HEIGHT=\"20\">", TRect(1, 0, 11, 20), 10, 20},
      {"<IMG SRC=\"logo\" WIDTH=\"10x\">", TRect(1, 0, 11, 8), 10, 8},
  };
  for (const auto& r : rows) {
    logo.Drawn.clear();
    logo.Stretch = false;
    Draw(U(r.Text));
    ASSERT_EQ(logo.Drawn.size(), 1u) << r.Text;
    EXPECT_EQ(logo.Drawn[0], r.Drawn) << r.Text;
    EXPECT_EQ(Call.XSize, r.XSize) << r.Text;
    EXPECT_EQ(Call.YSize, std::max(Gh, r.YSize)) << r.Text;
  }
  // Pictures that are not there add nothing.
  for (const char* in : {"<IMG SRC=\"nope\">", "<IMG SRC=\"http://host/x.png\">", "<IMG SRC=\"a:b\">"}) {
    Draw(U(in));
    EXPECT_EQ(Call.XSize, 0) << in;
    EXPECT_EQ(Call.YSize, Gh) << in;
  }
  // Cached pictures go by their address as written.
  auto& cached = pictures.Source->Cached[U("file:///pics/Dot.png")];
  cached.Width = cached.Height = 10;
  Draw(U("<IMG SRC=\"file:///pics/Dot.png\">"));
  EXPECT_EQ(cached.Drawn.size(), 1u);
  EXPECT_EQ(Call.XSize, 10);
  // Without a container the name is not looked up.
  Call.Container = nullptr;
  logo.Drawn.clear();
  Draw(U("<IMG SRC=\"logo\">"));
  EXPECT_TRUE(logo.Drawn.empty());
}

TEST_F(HtmlImages, AnimatedPictureClearsItsAreaAndDrawsTheFrameAtItsOffset) {
  TScopedPictureSource pictures;
  auto& anim = pictures.Source->Named[U("ANIM")];
  anim.Width = 10;
  anim.Height = 8;
  anim.MaxWidth = 30;
  anim.MaxHeight = 20;
  anim.Frames = 3;
  anim.FrameX = 5;
  anim.FrameY = 4;
  Call.Container = FakeContainer();
  auto& rec = Draw(U("<IMG SRC=\"anim\">"));
  ASSERT_EQ(anim.Drawn.size(), 1u);
  EXPECT_EQ(anim.Drawn[0], TRect(6, 4, 16, 12));
  EXPECT_EQ(Call.XSize, 30);
  EXPECT_EQ(Call.YSize, 20);
  bool cleared = false;
  for (const auto& r : rec.Rects) cleared |= r.Fill == QColor(255, 255, 255) && r.R.left() == 1 && r.R.top() == 0;
  EXPECT_TRUE(cleared);
}

TEST_F(HtmlImages, AlignRaisesTheLinesText) {
  TScopedPictureSource pictures;
  auto& tall = pictures.Source->Named[U("TALL")];
  tall.Width = 20;
  tall.Height = 40;
  Call.Container = FakeContainer();
  auto baseline = [&](const char* In) {
    auto& rec = Draw(U(In));
    EXPECT_EQ(rec.Texts.size(), 1u) << In;
    return rec.Texts.empty() ? 0 : rec.Texts[0].Baseline.y();
  };
  const int bottom = baseline("<IMG SRC=\"tall\">x");
  EXPECT_EQ(baseline("<IMG SRC=\"tall\" ALIGN=\"MIDDLE\">x"), bottom - (40 - Gh) / 2);
  EXPECT_EQ(baseline("<IMG SRC=\"tall\" ALIGN=\"TOP\">x"), bottom - (40 - Gh));
  EXPECT_EQ(baseline("<IMG SRC=\"tall\" ALIGN=\"BOTTOM\">x"), bottom);
  EXPECT_EQ(Call.YSize, 40);
  // Text 15 or 16 pixels high beside a 40-pixel picture: raised by 12.
  ASSERT_TRUE(Gh == 15 || Gh == 16) << Gh;
  EXPECT_EQ(bottom - baseline("<IMG SRC=\"tall\" ALIGN=\"MIDDLE\">x"), 12);
}

TEST_F(HtmlImages, ImagesThatDoNotFitStartTheNextLine) {
  auto wide = MakeImages(60, 20);
  Call.Images = wide.get();
  Call.Rect = TRect(0, 0, 100, 200);
  auto& rec = Draw(U("abcdefgh<IMG SRC=\"IDX:0\">"));
  ASSERT_EQ(rec.Images.size(), 1u);
  EXPECT_EQ(rec.Images[0].Target.topLeft(), QPoint(1, Gh));
  EXPECT_EQ(Call.YSize, Gh + 20);
  // Wider than the whole line: it stays and overflows.
  auto wider = MakeImages(120, 20);
  Call.Images = wider.get();
  auto& over = Draw(U("ab<IMG SRC=\"IDX:0\">"));
  ASSERT_EQ(over.Images.size(), 1u);
  EXPECT_EQ(over.Images[0].Target.top(), 0);
  EXPECT_EQ(Call.YSize, 20);
}

TEST_F(HtmlImages, ImageInsideAnAnchorIsHitAndShowsItsAlt) {
  auto images = MakeImages(16, 16, 2);
  Call.Images = images.get();
  const QString text = U("<A HREF=\"go\" TITLE=\"t\"><IMG SRC=\"IDX:0\" ALT=\"IDX:1\"></A>");
  THtmlCall c = Call;
  EXPECT_TRUE(c.Hit(&Canvas, text, 8, 8));
  EXPECT_EQ(c.AnchorVal, U("go"));
  EXPECT_EQ(c.AnchorTitle, U("t"));
  EXPECT_FALSE(c.Hit(&Canvas, text, 30, 8));
  EXPECT_FALSE(c.Hit(&Canvas, U("<IMG SRC=\"IDX:0\">"), 8, 8));  // not in an anchor
}

TEST_F(HtmlImages, ShellIcons) {
  auto fake = std::make_unique<TFakeShellIcons>();
  TFakeShellIcons* icons = fake.get();
  SetShellIcons(std::move(fake));
  auto restore = qScopeGuard([] { SetShellIcons(nullptr); });
  const struct {
    const char* Text;
    int XSize;
    const char* Asked;
  } rows[] = {
      {"<IMG SRC=\"SSYS:/Data/Report.txt\">", 16, "/Data/Report.txt@16"},
      {"<IMG SRC=\"lsys:notes.TXT\">", 32, "notes.TXT@32"},
      {"<IMG SRC=\"SSYS:3\">", 0, ""},  // an index into a system list: no picture
      {"<IMG SRC=\"SSYS:\">", 0, ""},
  };
  for (const auto& r : rows) {
    icons->Asked.clear();
    auto& rec = Draw(U(r.Text));
    EXPECT_EQ(Call.XSize, r.XSize) << r.Text;
    icons->Asked.removeDuplicates();  // asked once per pass
    EXPECT_EQ(icons->Asked.join(QLatin1Char(',')), U(r.Asked)) << r.Text;
    EXPECT_EQ(rec.Images.empty(), r.XSize == 0) << r.Text;
  }
  Attach(144);
  Draw(U("<IMG SRC=\"SSYS:a.txt\">"));
  EXPECT_EQ(Call.XSize, 24);
}

// ---------------------------------------------------------- inline controls

TEST_F(HtmlImages, CheckControlDrawsHitsAndTakesSixteenPixels) {
  const QString text = U("<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"true\" WIDTH=\"20\">");
  Draw(text);
  EXPECT_EQ(Call.XSize, 16);
  EXPECT_EQ(Call.YSize, std::max(Gh, 16));
  const int lineH = Call.YSize;
  THtmlCall c = Call;
  EXPECT_TRUE(c.Hit(&Canvas, text, 9, 8));
  EXPECT_EQ(c.AnchorVal, U("ctrl"));
  EXPECT_EQ(c.ControlID, U("c1"));
  EXPECT_EQ(c.ControlType, U("CHECK"));
  EXPECT_EQ(c.ControlValue, U("true"));
  EXPECT_EQ(c.ControlRect, TRect(1, 0, 17, 16));
  EXPECT_FALSE(c.Hit(&Canvas, text, 30, 8));
  EXPECT_EQ(c.ControlRect, TRect(0, 0, 0, 0));

  // Checked and unchecked boxes differ inside the box, and only there.
  const QImage on = Pixels(text, THtmlCall());
  const QImage off = Pixels(U("<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"FALSE\" WIDTH=\"20\">"), THtmlCall());
  EXPECT_NE(on, off);
  for (int y = 0; y < on.height(); ++y)
    for (int x = 0; x < on.width(); ++x)
      if (on.pixel(x, y) != off.pixel(x, y)) {
        EXPECT_TRUE(x >= 3 && x < 16 && y > lineH - 16 && y < lineH) << x << "," << y;
      }
}

TEST_F(HtmlImages, ControlsFollowAnActiveThemeAndFallBackToTheClassicLook) {
  const QString text = U("<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"true\" WIDTH=\"20\">"
                         "<CONTROL TYPE=\"BUTTON\" VALUE=\"Go\" WIDTH=\"60\">");
  const QImage classic = Pixels(text, THtmlCall());
  {
    auto fake = std::make_unique<TFakeStyles>();
    TFakeStyles* styles = fake.get();
    const TScopedService themed(SetVisualStyles, std::move(fake));
    const auto unbind = qScopeGuard([] { FreeThemeLibrary(); });
    const QImage drawn = Pixels(text, THtmlCall());
    // The theme draws the checked box and the button; the classic frames are left out.
    ASSERT_EQ(styles->Log.size(), 2u);
    EXPECT_EQ(styles->Log[0].ClassList, U("button"));
    EXPECT_EQ(styles->Log[0].Part, 3);
    EXPECT_EQ(styles->Log[0].State, 5);
    EXPECT_EQ(styles->Log[1].Part, 1);
    EXPECT_NE(drawn, classic);
    // A theme without data for the class still gets the classic look.
    styles->Log.clear();
    styles->Active = false;
    EXPECT_EQ(Pixels(text, THtmlCall()), classic);
    EXPECT_TRUE(styles->Log.empty());
  }
  EXPECT_EQ(Pixels(text, THtmlCall()), classic);
}

TEST_F(HtmlImages, ControlsOfEveryType) {
  const struct {
    const char* Text;
    const char* Shown;
    int XSize;
  } rows[] = {
      {"<CONTROL TYPE=\"PASSWORD\" VALUE=\"abc\" WIDTH=\"80\">", "***", 80},
      {"<CONTROL TYPE=\"EDIT\" VALUE=\"a&amp;amp;b\" WIDTH=\"80\">", "a&b", 80},
      {"<CONTROL TYPE=\"MASK\" VALUE=\"12\" WIDTH=\"50\">", "12", 50},
      {"<CONTROL TYPE=\"COMBO\" VALUE=\"pick\" WIDTH=\"90\">", "pick", 90},
      {"<CONTROL TYPE=\"BUTTON\" VALUE=\"Go\" WIDTH=\"60\">", "Go", 60},
      {"<CONTROL TYPE=\"RADIO\" VALUE=\"TRUE\" WIDTH=\"60\">", "", 16},
      {"<CONTROL TYPE=\"EDIT\" VALUE=\"x\">", "", 0},
      {"<CONTROL TYPE=\"WHAT\" VALUE=\"x\" WIDTH=\"30\">", "", 30},
      {"<CONTROL TYPE=\"EDIT\" VALUE=\"x\" WIDTH=\"-30\">", "x", 0},
  };
  for (const auto& r : rows) {
    auto& rec = Draw(U(r.Text));
    QString shown;
    for (const auto& t : rec.Texts) shown += t.Text;
    EXPECT_EQ(shown, U(r.Shown)) << r.Text;
    EXPECT_EQ(Call.XSize, r.XSize) << r.Text;
  }
  // Line heights: 23-pixel boxes, a taller HEIGHT, the 25-pixel button and combo.
  Draw(U("<CONTROL TYPE=\"EDIT\" VALUE=\"x\" WIDTH=\"40\">"));
  EXPECT_EQ(Call.YSize, std::max(Gh + 10, 23));
  Draw(U("<CONTROL TYPE=\"EDIT\" VALUE=\"x\" WIDTH=\"40\" HEIGHT=\"40\">"));
  EXPECT_EQ(Call.YSize, std::max(Gh + 10, 38));
  Draw(U("<CONTROL TYPE=\"BUTTON\" VALUE=\"x\" WIDTH=\"40\">"));
  EXPECT_EQ(Call.YSize, 25);

  // A pressed button looks different from a released one under the mouse.
  THtmlCall down;
  down.ControlDown = true;
  down.X = 20;
  down.Y = 12;
  THtmlCall up = down;
  up.ControlDown = false;
  const QString button = U("<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"60\">");
  EXPECT_NE(Pixels(button, down), Pixels(button, up));
}

// A control's box height raises the line only: a CHECK control after a 40-pixel
// image keeps the line 40 pixels high. Before, the box height replaced the line
// height and the next line was drawn over the image.
TEST_F(HtmlImages, ControlKeepsTheLineAsHighAsItsContent) {
  auto tall = MakeImages(40, 40);
  Call.Images = tall.get();
  Draw(U("<IMG SRC=\"IDX:0\"><CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\" WIDTH=\"16\"><BR>next"));
  EXPECT_EQ(Call.YSize, 40 + Gh);
  auto& rec = Draw(U("<IMG SRC=\"IDX:0\"><CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\" WIDTH=\"16\"><BR>next"));
  ASSERT_EQ(rec.Texts.size(), 1u);
  EXPECT_GT(rec.Texts[0].Baseline.y(), 40);
  Canvas.Font()->SetSize(30);
  Draw(U("Big<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"x\" WIDTH=\"40\">"));
  EXPECT_EQ(Call.YSize, std::max(Canvas.TextHeight(U("Big")), Canvas.TextHeight(U("gh")) + 10));
}

TEST_F(HtmlImages, ControlsSoughtByID) {
  const QString text = U("a<CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"one\" WIDTH=\"40\">"
                         "<CONTROL TYPE=\"EDIT\" ID=\"e2\" VALUE=\"two\" WIDTH=\"50\">"
                         "<CONTROL TYPE=\"EDIT\" VALUE=\"no id\" WIDTH=\"30\">");
  const int a = Canvas.TextWidth(U("a"));
  THtmlCall c;
  EXPECT_TRUE(c.Hit(&Canvas, text, -100, -100, U("e2")));
  EXPECT_EQ(c.ControlValue, U("two"));
  EXPECT_EQ(c.ControlRect.Left, 1 + a + 40);
  EXPECT_EQ(c.ControlRect.Right, 1 + a + 90);
  // Without an ID sought, a control without ID is not hit wherever the point is.
  THtmlCall none;
  EXPECT_FALSE(none.Hit(&Canvas, text, -100, -100));
  EXPECT_TRUE(none.AnchorVal.isEmpty());
  // A painting call forgets the ID.
  THtmlCall paint;
  paint.ControlID = U("e2");
  paint.Draw(&Canvas, text);
  EXPECT_TRUE(paint.ControlID.isEmpty());
}

// <BODY>: a colour fills the whole rectangle; a picture is tiled over it, and
// the caller's clip region is back afterwards.
TEST_F(HtmlImages, BodyBackground) {
  TScopedPictureSource pictures;
  auto& tile = pictures.Source->Named[U("TILE")];
  tile.Width = 30;
  tile.Height = 20;
  Call.Container = FakeContainer();
  Call.Rect = TRect(0, 0, 70, 50);
  Draw(U("<BODY BACKGROUND=\"tile\">x"));
  EXPECT_EQ(tile.Drawn.size(), 9u);
  EXPECT_EQ(tile.Drawn.back(), TRect(60, 40, 90, 60));

  IntersectClipRect(Canvas.Handle(), 0, 0, 40, 40);
  Draw(U("<BODY BACKGROUND=\"tile\">x"));
  TRect clip;
  GetClipBox(Canvas.Handle(), &clip);
  EXPECT_EQ(clip, TRect(0, 0, 40, 40));
  SelectClipRgn(Canvas.Handle(), nullptr);

  THtmlCall c;
  c.Rect = TRect(10, 10, 60, 40);
  const QImage body = Pixels(U("<BODY BGCOLOR=\"clYellow\">x</FONT>y"), c, 100, 60);
  EXPECT_EQ(body.pixel(12, 12), qRgb(255, 255, 0));
  EXPECT_EQ(body.pixel(58, 38), qRgb(255, 255, 0));
  EXPECT_EQ(body.pixel(62, 12), qRgb(255, 255, 255));
  const QImage hex = Pixels(U("<BODY BGCOLOR=\"#00FF00\">x"), c, 100, 60);
  EXPECT_EQ(hex.pixel(12, 12), qRgb(0, 255, 0));
}

}  // namespace
