#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Encodings.h"

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
  return f.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

const QStringList kLines = {u"Gr\u00fc\u00dfe"_qs, u"\u20AC 5"_qs, ""};

}  // namespace

TEST(StringListFiles, SavedBytesPerEncodingMarkAndLineBreak) {
  struct Case {
    TEncoding* enc;
    bool bom;
    QString lineBreak;
    QByteArray bytes;
  } cases[] = {
      {nullptr, true, "\r\n", Hex("4772fcdf650d0a8020350d0a0d0a")},  // ANSI: no mark exists
      {TEncoding::UTF8(), true, "\r\n", Hex("efbbbf4772c3bcc39f650d0ae282ac20350d0a0d0a")},
      {TEncoding::UTF8(), false, "\n", Hex("4772c3bcc39f650ae282ac20350a0a")},
      {TEncoding::Unicode(), true, "\r\n",
       Hex("fffe47007200fc00df0065000d000a00ac20200035000d000a000d000a00")},
      {TEncoding::BigEndianUnicode(), true, "\n",
       Hex("feff0047007200fc00df0065000a20ac00200035000a000a")},
      {TEncoding::OEM(), true, "\r\n", Hex("477281e1650d0a3f20350d0a0d0a")},
  };
  QTemporaryDir dir;
  const QString path = dir.filePath("lines.txt");
  for (const Case& c : cases) {
    TStringList sl;
    sl.AddStrings(kLines);
    sl.SetWriteBOM(c.bom);
    sl.SetLineBreak(c.lineBreak);
    sl.SaveToFile(path, c.enc);
    EXPECT_EQ(ReadAll(path).toHex(), c.bytes.toHex()) << (c.enc ? c.enc->CodePage() : 0);
  }
}

TEST(StringListFiles, LoadDetectsMarkAndSavesBackTheSameBytes) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.txt");
  const QString copy = dir.filePath("b.txt");
  for (TEncoding* enc : {TEncoding::UTF8(), TEncoding::Unicode(), TEncoding::BigEndianUnicode()}) {
    for (bool bom : {true, false}) {
      TStringList out;
      out.AddStrings(kLines);
      out.SetWriteBOM(bom);
      out.SaveToFile(path, enc);

      TStringList in;
      // Without a mark the caller names the encoding; with one the mark decides.
      in.LoadFromFile(path, bom ? TEncoding::ANSI() : enc);
      EXPECT_EQ(in.ToStringList(), kLines) << enc->CodePage() << " " << bom;
      EXPECT_EQ(in.Encoding(), enc);
      EXPECT_EQ(in.WriteBOM(), bom);
      in.SaveToFile(copy);  // the encoding and mark of the load
      EXPECT_EQ(ReadAll(copy), ReadAll(path)) << enc->CodePage() << " " << bom;
    }
  }
}

TEST(StringListFiles, WithoutMarkTheDefaultIsAnsi) {
  QTemporaryDir dir;
  const QString path = dir.filePath("plain.txt");
  WriteAll(path, Hex("4772c3bc0a80"));  // UTF-8 "Grü" without a mark, then a 1252 euro
  TStringList sl;
  sl.LoadFromFile(path);
  EXPECT_EQ(sl.ToStringList(), (QStringList{u"Gr\u00c3\u00bc"_qs, u"\u20AC"_qs}));
  EXPECT_EQ(sl.Encoding(), TEncoding::ANSI());
  EXPECT_FALSE(sl.WriteBOM());
  sl.SetDefaultEncoding(TEncoding::OEM());
  sl.LoadFromFile(path);
  EXPECT_EQ(sl.Strings(0), u"Gr\u251c\u255d"_qs);
  // Mixed line ends, and a file that ends without one.
  WriteAll(path, "a\r\nb\rc\nd");
  sl.LoadFromFile(path);
  EXPECT_EQ(sl.ToStringList(), (QStringList{"a", "b", "c", "d"}));
  WriteAll(path, "");
  sl.LoadFromFile(path);
  EXPECT_EQ(sl.Count(), 0);
}

TEST(StringListFiles, StreamsReadFromTheirPositionAndLoadIsOneChange) {
  TMemoryStream ms;
  ms.WriteBuffer(QByteArray("skip\xEF\xBB\xBFx\r\ny"));
  ms.SetPosition(4);
  TStringList sl;
  int changes = 0;
  sl.OnChange = [&](TObject*) { ++changes; };
  sl.LoadFromStream(&ms);
  EXPECT_EQ(sl.ToStringList(), (QStringList{"x", "y"}));
  EXPECT_EQ(sl.Encoding(), TEncoding::UTF8());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(ms.Position(), ms.Size());

  TMemoryStream out;
  out.WriteBuffer(QByteArray("head"));
  sl.SaveToStream(&out);
  EXPECT_EQ(out.Bytes(), QByteArray("head\xEF\xBB\xBFx\r\ny\r\n"));
}

TEST(StringListFiles, MissingFileAndFolderGiveTheFrameworkErrors) {
  QTemporaryDir dir;
  TStringList sl;
  sl.Add("keep");
  const QString missing = dir.filePath("none.txt");
  try {
    sl.LoadFromFile(missing);
    FAIL() << "no exception";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), QString("Cannot open file \"%1\". No such file or directory").arg(missing));
  }
  EXPECT_EQ(sl.ToStringList(), QStringList{"keep"});  // a failed load loses nothing
  const QString noFolder = dir.filePath("no/such/folder.txt");
  try {
    sl.SaveToFile(noFolder);
    FAIL() << "no exception";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(),
              QString("Cannot create file \"%1\". No such file or directory").arg(noFolder));
  }
}
