#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Encodings.h"

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly));
  return f.readAll();
}

QByteArray ReadN(TStream& s, int n) {
  QByteArray b(n, '\0');
  b.resize(s.Read(b.data(), n));
  return b;
}

template <typename E>
QString MessageOf(const std::function<void()>& op) {
  try {
    op();
  } catch (const E& e) {
    return e.Message();
  }
  return "no exception";
}

}  // namespace

TEST(MemoryStream, ReadWriteSeek) {
  TMemoryStream ms;
  ms.WriteBuffer("abcdef", 6);
  EXPECT_EQ(ms.Position(), 6);
  EXPECT_EQ(ms.Seek(1, soFromBeginning), 1);
  EXPECT_EQ(ReadN(ms, 2), "bc");
  EXPECT_EQ(ms.Seek(1, soFromCurrent), 4);
  EXPECT_EQ(ReadN(ms, 9), "ef");  // a short read at the end
  EXPECT_EQ(ReadN(ms, 1), "");
  EXPECT_EQ(ms.Seek(-2, soFromEnd), 4);
  ms.WriteBuffer("XYZ", 3);  // overwrites and grows
  EXPECT_EQ(ms.Bytes(), "abcdXYZ");
  ms.SetPosition(10);  // past the end: writing fills the gap with zeros
  ms.WriteBuffer("!", 1);
  EXPECT_EQ(ms.Bytes(), QByteArray("abcdXYZ\0\0\0!", 11));
  ms.SetSize(3);
  EXPECT_EQ(ms.Position(), 3);
  EXPECT_EQ(ms.Size(), 3);
  EXPECT_EQ(memcmp(ms.Memory(), "abc", 3), 0);
  ms.SetPosition(-1);  // before the start: nothing is read or written
  EXPECT_EQ(ReadN(ms, 1), "");
  EXPECT_EQ(ms.Write("q", 1), 0);
  ms.Clear();
  EXPECT_EQ(ms.Size(), 0);
  EXPECT_EQ(ms.Position(), 0);
}

TEST(MemoryStream, ReadBufferAndWriteBufferFailWithTheFrameworkMessages) {
  TMemoryStream ms;
  ms.WriteBuffer("ab", 2);
  ms.SetPosition(0);
  char buf[4];
  EXPECT_EQ(MessageOf<EReadError>([&] { ms.ReadBuffer(buf, 3); }), "Stream read error");
  ms.SetPosition(-5);
  EXPECT_EQ(MessageOf<EWriteError>([&] { ms.WriteBuffer("x", 1); }), "Stream write error");
  EXPECT_NO_THROW(ms.ReadBuffer(buf, 0));
}

TEST(MemoryStream, CopyFromTakesAllOrACountFromThePosition) {
  TMemoryStream src, dst;
  src.WriteBuffer("0123456789", 10);
  src.SetPosition(7);
  EXPECT_EQ(dst.CopyFrom(&src, 0), 10);  // 0: the whole source from its start
  EXPECT_EQ(dst.Bytes(), "0123456789");
  src.SetPosition(2);
  dst.Clear();
  EXPECT_EQ(dst.CopyFrom(&src, 3), 3);
  EXPECT_EQ(dst.Bytes(), "234");
  EXPECT_EQ(src.Position(), 5);
  EXPECT_THROW(dst.CopyFrom(&src, 6), EReadError);  // only 5 left

  // Larger than the copy buffer.
  TMemoryStream big, copy;
  big.SetSize(200000);
  static_cast<char*>(big.Memory())[199999] = 'z';
  EXPECT_EQ(copy.CopyFrom(&big, 0), 200000);
  EXPECT_EQ(copy.Bytes(), big.Bytes());
}

TEST(FileStream, CreateOpenModesAndSize) {
  QTemporaryDir dir;
  const QString path = dir.filePath("data.bin");
  {
    TFileStream f(path, fmCreate);
    f.WriteBuffer("hello world", 11);
    EXPECT_EQ(f.Size(), 11);
    f.SetPosition(6);
    EXPECT_EQ(ReadN(f, 5), "world");  // fmCreate reads too
  }
  {
    TFileStream f(path, fmOpenWrite | fmShareDenyNone);  // keeps the bytes
    f.WriteBuffer("J", 1);
    char c;
    EXPECT_THROW(f.ReadBuffer(&c, 1), EReadError);  // opened for writing only
  }
  EXPECT_EQ(ReadAll(path), "Jello world");
  {
    TFileStream f(path, fmOpenRead | fmShareDenyWrite);
    EXPECT_EQ(f.Seek(-5, soFromEnd), 6);
    EXPECT_EQ(ReadN(f, 10), "world");
    EXPECT_THROW(f.WriteBuffer("x", 1), EWriteError);
    EXPECT_EQ(f.FileName(), path);
  }
  {
    TFileStream f(path, fmOpenReadWrite);
    f.SetSize(5);
    EXPECT_EQ(f.Position(), 5);
    f.WriteBuffer("!", 1);
  }
  EXPECT_EQ(ReadAll(path), "Jello!");
  {
    TFileStream f(path, fmCreate);  // empties an existing file
  }
  EXPECT_EQ(ReadAll(path).size(), 0);
}

TEST(FileStream, OpenAndCreateFailuresNameTheFileAndTheReason) {
  QTemporaryDir dir;
  const QString missing = dir.filePath("missing.bin");
  EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream f(missing, fmOpenRead); }),
            QString("Cannot open file \"%1\". No such file or directory").arg(missing));
  EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream f(missing, fmOpenReadWrite); }),
            QString("Cannot open file \"%1\". No such file or directory").arg(missing));
  EXPECT_FALSE(QFile::exists(missing));  // opening never creates
  EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream f(dir.path(), fmOpenRead); }),
            QString("Cannot open file \"%1\". Is a directory").arg(dir.path()));
  EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream f("", fmOpenRead); }),
            "Cannot open file \"\". No such file or directory");
  const QString inMissingFolder = dir.filePath("nope/x.bin");
  EXPECT_EQ(MessageOf<EFCreateError>([&] { TFileStream f(inMissingFolder, fmCreate); }),
            QString("Cannot create file \"%1\". No such file or directory").arg(inMissingFolder));
  EXPECT_EQ(MessageOf<EFCreateError>([&] { TFileStream f(dir.path(), fmCreate); }),
            QString("Cannot create file \"%1\". Is a directory").arg(dir.path()));
  // Both are stream errors.
  EXPECT_THROW(TFileStream(missing, fmOpenRead), EStreamError);
}

TEST(FileStream, MemoryStreamFilesRoundTrip) {
  QTemporaryDir dir;
  const QString path = dir.filePath("m.bin");
  TMemoryStream ms;
  ms.WriteBuffer(QByteArray("\0\1\2\xFF", 4));
  ms.SaveToFile(path);
  TMemoryStream back;
  back.WriteBuffer("old content", 11);
  back.LoadFromFile(path);
  EXPECT_EQ(back.Bytes(), QByteArray("\0\1\2\xFF", 4));
  EXPECT_EQ(back.Position(), 0);
  EXPECT_THROW(back.LoadFromFile(dir.filePath("none")), EFOpenError);
}

TEST(StringStream, EncodesDecodesAndReads) {
  TStringStream ansi(u"caf\u00e9"_qs);
  EXPECT_EQ(ansi.Bytes(), "caf\xE9");
  EXPECT_EQ(ansi.Position(), 0);
  TStringStream utf8(u"\u00e9t\u00e9"_qs, TEncoding::UTF8());
  EXPECT_EQ(utf8.Size(), 5);
  EXPECT_EQ(utf8.ReadString(2), u"\u00e9"_qs);
  EXPECT_EQ(utf8.ReadString(100), u"t\u00e9"_qs);
  EXPECT_EQ(utf8.ReadString(1), "");
  utf8.WriteString("!");
  EXPECT_EQ(utf8.DataString(), u"\u00e9t\u00e9!"_qs);
}
