// Pictures of HTML text: GIF frames and their animation, loading by address,
// the named container and the picture cache.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <vector>

#include "controls/PictureContainer.h"
#include "platform/gdi/WinGdi.h"

namespace {

// One frame of a test GIF: a solid rectangle of one colour of the palette.
struct TGifFrame {
  int Left, Top, Width, Height;
  int ColorIndex;  // 0 black, 1 red, 2 green, 3 blue
  int Delay;       // hundredths of a second
};

// LZW data of a solid block with a minimal code size of 2: every code is 3 bits
// wide because a clear code follows every second pixel, so the table never grows.
QByteArray SolidLzw(int Pixels, int Index) {
  std::vector<int> codes;
  for (int i = 0; i < Pixels; ++i) {
    if (i % 2 == 0) codes.push_back(4);  // clear
    codes.push_back(Index);
  }
  codes.push_back(5);  // end of information
  QByteArray bytes;
  int acc = 0, bits = 0;
  for (int c : codes) {
    acc |= c << bits;
    bits += 3;
    while (bits >= 8) {
      bytes.append(char(acc & 0xFF));
      acc >>= 8;
      bits -= 8;
    }
  }
  if (bits > 0) bytes.append(char(acc & 0xFF));
  return bytes;
}

void AppendWord(QByteArray& b, int v) {
  b.append(char(v & 0xFF));
  b.append(char((v >> 8) & 0xFF));
}

// A GIF with a logical screen of 8 x 6 and the frames given.
QByteArray MakeGif(const std::vector<TGifFrame>& Frames) {
  QByteArray b("GIF89a");
  AppendWord(b, 8);
  AppendWord(b, 6);
  b.append(char(0x81));  // global colour table of 4 entries
  b.append(char(0));     // background index
  b.append(char(0));
  const unsigned char palette[] = {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255};
  b.append(reinterpret_cast<const char*>(palette), sizeof palette);
  for (const TGifFrame& f : Frames) {
    b.append("\x21\xF9\x04", 3);
    b.append(char(0x04));  // disposal 1 (leave in place), no transparency
    AppendWord(b, f.Delay);
    b.append(char(0));
    b.append(char(0));
    b.append(char(0x2C));
    AppendWord(b, f.Left);
    AppendWord(b, f.Top);
    AppendWord(b, f.Width);
    AppendWord(b, f.Height);
    b.append(char(0));
    b.append(char(2));  // minimal code size
    const QByteArray lzw = SolidLzw(f.Width * f.Height, f.ColorIndex);
    b.append(char(lzw.size()));
    b.append(lzw);
    b.append(char(0));
  }
  b.append(char(0x3B));
  return b;
}

const std::vector<TGifFrame> kThreeFrames = {
    {0, 0, 2, 2, 1, 10}, {3, 1, 2, 2, 2, 20}, {5, 3, 2, 2, 3, 30}};

// The colour of the decoded picture at (X, Y).
TColor PixelOf(THTMLPicture& Picture, int X, int Y) {
  return TColor(GetPixel(Picture.Canvas()->Handle(), X, Y));
}

}  // namespace

TEST(HtmlPictureGif, CountsFramesAndShowsTheSelectedOneAtItsOffset) {
  THTMLPicture pic;
  pic.LoadFromBytes(MakeGif(kThreeFrames));
  ASSERT_TRUE(pic.IsGIF());
  EXPECT_EQ(pic.FrameCount(), 3);
  EXPECT_EQ(pic.Frame(), 1);
  EXPECT_EQ(pic.Width(), 8);
  EXPECT_EQ(pic.MaxWidth(), 8);
  EXPECT_EQ(pic.MaxHeight(), 6);
  EXPECT_EQ(PixelOf(pic, 0, 0), clRed);

  int frameChanges = 0;
  pic.OnFrameChange = [&](TObject*) { ++frameChanges; };
  pic.SetFrame(2);
  EXPECT_EQ(frameChanges, 1);
  EXPECT_EQ(pic.FrameXPos(), 3);
  EXPECT_EQ(pic.FrameYPos(), 1);
  EXPECT_EQ(pic.FrameXSize(), 2);
  EXPECT_EQ(PixelOf(pic, 3, 1), clLime);
  // The frames before the selected one are left out of the decoded picture.
  EXPECT_NE(PixelOf(pic, 0, 0), clRed);

  pic.SetFrame(3);
  pic.FrameNext();
  EXPECT_EQ(pic.Frame(), 1);
  pic.FramePrev();
  EXPECT_EQ(pic.Frame(), 3);
  EXPECT_EQ(PixelOf(pic, 5, 3), clBlue);
}

TEST(HtmlPictureGif, FrameTimesAndTheirFlags) {
  THTMLPicture pic;
  pic.LoadFromBytes(MakeGif(kThreeFrames));
  EXPECT_EQ(pic.GetFrameTime(1), 10);
  EXPECT_EQ(pic.GetFrameTime(3), 30);
  EXPECT_EQ(pic.FrameDisposal(), 1);
  EXPECT_FALSE(pic.FrameTransparent());
  EXPECT_EQ(pic.GetFrameTime(4), -1);
}

TEST(HtmlPictureGif, StepWalksTheFramesByTheirDelays) {
  THTMLPicture pic;
  pic.LoadFromBytes(MakeGif(kThreeFrames));
  // Ticks are tenths of a second against delays in hundredths; the first
  // frame shows for two ticks, then each frame for its own delay.
  std::vector<int> frames;
  std::vector<bool> changed;
  for (int tick = 0; tick < 8; ++tick) {
    changed.push_back(pic.Step());
    frames.push_back(pic.Frame());
  }
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 2, 3, 3, 3, 1, 2}));
  EXPECT_EQ(changed, (std::vector<bool>{false, true, false, true, false, false, true, true}));
}

TEST(HtmlPictureGif, OneFrameNeverSteps) {
  THTMLPicture pic;
  pic.LoadFromBytes(MakeGif({{0, 0, 2, 2, 1, 10}}));
  EXPECT_EQ(pic.FrameCount(), 1);
  for (int tick = 0; tick < 5; ++tick) EXPECT_FALSE(pic.Step());
  EXPECT_EQ(pic.Frame(), 1);
}

TEST(HtmlPicture, OtherPicturesHaveNoFramesAndKeepTheirSize) {
  TBitmap bmp(64, 48);
  THTMLPicture pic;
  pic.LoadFromBytes(bmp.SaveToBytes());
  EXPECT_FALSE(pic.Empty());
  EXPECT_FALSE(pic.IsGIF());
  EXPECT_EQ(pic.FrameCount(), -1);
  EXPECT_EQ(pic.Width(), 64);
  EXPECT_EQ(pic.Height(), 48);
  EXPECT_EQ(pic.MaxWidth(), 64);
  EXPECT_FALSE(pic.Step());
  // The size follows the data.
  pic.SetWidth(10);
  EXPECT_EQ(pic.Width(), 64);
}

TEST(HtmlPicture, DataNoDecoderReadsRaisesAndLoadFromFileStaysEmpty) {
  THTMLPicture pic;
  EXPECT_THROW(
      {
        try {
          pic.LoadFromBytes(QByteArray("not a picture"));
        } catch (const Exception& e) {
          EXPECT_EQ(e.Message(), "Could not load image. Invalid format");
          throw;
        }
      },
      Exception);
  EXPECT_TRUE(pic.Empty());
  EXPECT_TRUE(pic.SaveToBytes().isEmpty());

  QTemporaryDir dir;
  const QString junk = dir.filePath("junk.gif");
  {
    TFileStream f(junk, fmCreate);
    f.WriteBuffer(QByteArray("GIF8 but nothing else"));
  }
  THTMLPicture fromFile;
  fromFile.LoadFromFile(junk);
  EXPECT_TRUE(fromFile.Empty());
  fromFile.LoadFromFile(dir.filePath("missing.gif"));
  EXPECT_TRUE(fromFile.Empty());
  EXPECT_EQ(fromFile.Width(), 0);
}

TEST(HtmlPicture, LoadFromUrlReadsFilesAndNeverDownloads) {
  QTemporaryDir dir;
  const QString path = dir.filePath("anim.gif");
  {
    TFileStream f(path, fmCreate);
    f.WriteBuffer(MakeGif(kThreeFrames));
  }
  THTMLPicture local;
  local.LoadFromURL("file://" + path);
  EXPECT_FALSE(local.Empty());
  EXPECT_EQ(local.ID(), "file://" + path);
  EXPECT_EQ(local.FrameCount(), 3);

  // A network address is remembered but not fetched, whatever Asynch says, and
  // no download is ever left running.
  for (bool asynch : {false, true}) {
    THTMLPicture remote;
    remote.SetAsynch(asynch);
    remote.LoadFromURL("http://127.0.0.1/logo.gif");
    EXPECT_TRUE(remote.Empty());
    EXPECT_FALSE(remote.Busy());
    EXPECT_EQ(remote.ID(), "http://127.0.0.1/logo.gif");
    EXPECT_EQ(remote.URL(), "http://127.0.0.1/logo.gif");
  }
}

TEST(HtmlPicture, AssignCopiesTheDataAndStartsAtTheFirstFrame) {
  THTMLPicture src;
  src.LoadFromBytes(MakeGif(kThreeFrames));
  src.SetFrame(3);
  THTMLPicture dst;
  int changes = 0;
  dst.OnChange = [&](TObject*) { ++changes; };
  dst.Assign(&src);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(dst.SaveToBytes(), src.SaveToBytes());
  EXPECT_EQ(dst.Frame(), 1);
  EXPECT_EQ(PixelOf(dst, 0, 0), clRed);
  dst.Assign(nullptr);
  EXPECT_TRUE(dst.Empty());
  EXPECT_TRUE(dst.SaveToBytes().isEmpty());
}

TEST(PictureContainer, FindsByNameIgnoringCase) {
  TPictureContainer container(nullptr);
  TPictureItem* item = container.Items()->Add();
  item->SetName("LOGO");
  item->Picture()->LoadFromBytes(MakeGif(kThreeFrames));
  container.Items()->Add()->SetName("other");
  EXPECT_EQ(container.FindPicture("logo"), item->Picture());
  EXPECT_EQ(container.FindPicture("none"), nullptr);
  EXPECT_FALSE(container.Items()->Animate());
  EXPECT_TRUE(container.Items()->Animate());
}

TEST(PictureCache, FindsByExactIdAndOwnsItsPictures) {
  THTMLPictureCache cache;
  THTMLPicture* a = cache.AddPicture();
  a->SetID("http://a");
  cache.AddPicture()->SetID("http://b");
  EXPECT_EQ(cache.FindPicture("http://a"), a);
  EXPECT_EQ(cache.FindPicture("HTTP://A"), nullptr);
  cache.SetPicture(1, new THTMLPicture);
  EXPECT_EQ(cache.FindPicture("http://b"), nullptr);
  EXPECT_THROW(cache.GetPicture(2), EListError);
  cache.ClearPictures();
  EXPECT_EQ(cache.Count(), 0);
}
