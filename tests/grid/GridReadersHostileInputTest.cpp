// The grid's readers of stored texts and streams under damaged input: they
// either read what they can or raise the framework's error, and never touch
// memory they do not own (the sanitizer build checks that).
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <random>

#include "controls/PictureContainer.h"
#include "grid/ProGrid.h"
#include "platform/rtl/IniFiles.h"

namespace {

// Deterministic damaged variants of a valid input: bytes flipped, cut short,
// bytes inserted.
std::vector<QByteArray> Variants(const QByteArray& Valid, int Count) {
  std::mt19937 rng(12345);
  std::vector<QByteArray> out;
  for (int i = 0; i < Count; ++i) {
    QByteArray v = Valid;
    switch (i % 3) {
      case 0:
        for (int k = 0; k < 3 && !v.isEmpty(); ++k) v[int(rng() % v.size())] = char(rng());
        break;
      case 1:
        v.truncate(int(rng() % (v.size() + 1)));
        break;
      default:
        v.insert(int(rng() % (v.size() + 1)), QByteArray(int(rng() % 8), char(rng())));
    }
    out.push_back(v);
  }
  return out;
}

QByteArray Utf16(const QString& S) {
  return QByteArray(reinterpret_cast<const char*>(S.utf16()), S.size() * 2);
}

}  // namespace

TEST(GridReadersHostileInput, GridTextStream) {
  const QByteArray valid = Utf16("3,2\r\ncw 0,64\r\ncw 1,70\r\n1,0,x\r\n0,1,a\t\bb\r\n");
  for (const QByteArray& bytes : Variants(valid, 300)) {
    TProStringGrid g(nullptr);
    TMemoryStream stream;
    stream.WriteBuffer(bytes);
    stream.SetPosition(0);
    try {
      g.LoadFromStream(&stream);
    } catch (const Exception&) {
    }
    EXPECT_LE(stream.Position(), stream.Size());
  }
}

TEST(GridReadersHostileInput, ColumnStatesAndSortTexts) {
  const QByteArray valid = "3#64,80,100#2,0,1#1,0,1";
  for (const QByteArray& bytes : Variants(valid, 300)) {
    TProStringGrid g(nullptr);
    g.SetColCount(3);
    const QString before = g.ColumnStatesToString();
    try {
      g.StringToColumnStates(QString::fromLatin1(bytes));
    } catch (const EConvertError&) {
      EXPECT_EQ(g.ColumnStatesToString(), before);
    }
  }
  struct TNoSortGrid : TProStringGrid {
    TNoSortGrid() : TProStringGrid(nullptr) {}
    void QSort() override {}
    void QSortIndexed() override {}
  };
  for (const QByteArray& bytes : Variants("i;u1;d4", 200)) {
    TNoSortGrid g;
    try {
      g.SortSettings()->LoadFromString(QString::fromLatin1(bytes));
    } catch (const Exception&) {
    }
  }
}

TEST(GridReadersHostileInput, PrintSettingsSection) {
  QTemporaryDir dir;
  TProStringGrid source(nullptr);
  source.PrintSettings()->TitleLines()->Add("Title");
  const QString file = dir.filePath("p.ini");
  source.SavePrintSettings(file, "P");
  TFileStream in(file, fmOpenRead);
  const QByteArray valid = in.ReadRest();
  int i = 0;
  for (const QByteArray& bytes : Variants(valid, 120)) {
    const QString name = dir.filePath(QString("v%1.ini").arg(i++));
    {
      TFileStream out(name, fmCreate);
      out.WriteBuffer(bytes);
    }
    TProStringGrid g(nullptr);
    try {
      g.LoadPrintSettings(name, "P");
    } catch (const Exception&) {
    }
    const TPrintSettings& p = *g.PrintSettings();
    EXPECT_GE(int(p.Borders()), int(pbNoborder));
    EXPECT_LE(int(p.Borders()), int(pbCustom));
    EXPECT_LE(int(p.Orientation()), int(poLandscape));
  }
}

TEST(GridReadersHostileInput, PictureData) {
  // A small three-frame GIF built by hand: header, palette, three frames.
  QByteArray gif("GIF89a\x08\x00\x06\x00\x81\x00\x00", 13);
  gif.append(QByteArray("\x00\x00\x00\xff\x00\x00\x00\xff\x00\x00\x00\xff", 12));
  for (int k = 0; k < 3; ++k) {
    gif.append(QByteArray("\x21\xf9\x04\x04\x0a\x00\x00\x00\x2c", 9));
    gif.append(QByteArray("\x00\x00\x00\x00\x02\x00\x02\x00\x00\x02\x03\x0c\x09\x0a\x00", 15));
  }
  gif.append(char(0x3b));
  for (const QByteArray& bytes : Variants(gif, 300)) {
    THTMLPicture pic;
    try {
      pic.LoadFromBytes(bytes);
      for (int tick = 0; tick < 6; ++tick) pic.Step();
      pic.GetFrameTime(2);
      pic.FramePrev();
    } catch (const Exception&) {
    }
  }
}
