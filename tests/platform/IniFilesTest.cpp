#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/rtl/IniFiles.h"

namespace {

QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
  return f.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QString Joined(TStrings& s) {
  QStringList l;
  for (int i = 0; i < s.Count(); ++i) l << s[i];
  return l.join(u'|');
}

class IniTest : public ::testing::Test {
 protected:
  QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  QTemporaryDir dir;
};

class IniFileTest : public IniTest {};
class IniFileReadingTest : public IniTest {};
class MemIniFileTest : public IniTest {};
class RegistryIniFileTest : public IniTest {};

// A file with comments, blanks around "=", mixed case and a repeated section.
const QByteArray kHandWritten =
    "; settings\r\n"
    "stray=outside\r\n"
    "[Print]\r\n"
    "  ColumnSpacing = 20  \r\n"
    "FontName=Arial Narrow\r\n"
    "no value line\r\n"
    "\r\n"
    "[ Grid ]\r\n"
    "Col0=64\r\n"
    "[print]\r\n"
    "TitleText=a=b \"q\"\r\n";

}  // namespace

// ---------------------------------------------------------------------------
// TIniFile

TEST_F(IniFileTest, TextAfterWrites) {
  const QString path = Path("a.ini");
  TIniFile ini(path);
  ini.WriteString("Print", "FontName", "Arial");
  EXPECT_EQ(ReadBytes(path), "[Print]\r\nFontName=Arial\r\n");  // written at once
  ini.WriteInteger("Print", "FontSize", 10);
  ini.WriteBool("Grid", "Save", true);
  ini.WriteString("Print", "TitleText", " a = \"b\" ;c ");  // kept as it is
  ini.WriteBool("Grid", "Stretch", false);
  ini.WriteString("PRINT", "fontname", "Tahoma");  // keeps its place and spelling
  EXPECT_EQ(ReadBytes(path),
            "[Print]\r\nFontName=Tahoma\r\nFontSize=10\r\nTitleText= a = \"b\" ;c \r\n"
            "\r\n[Grid]\r\nSave=1\r\nStretch=0\r\n");
  ini.DeleteKey("print", "FONTSIZE");
  ini.EraseSection("grid");
  EXPECT_EQ(ReadBytes(path), "[Print]\r\nFontName=Tahoma\r\nTitleText= a = \"b\" ;c \r\n");
  ini.EraseSection("Print");
  EXPECT_EQ(ReadBytes(path), "");
  ini.EraseSection("Missing");  // nothing to do, no error
  ini.DeleteKey("Missing", "x");
}

TEST_F(IniFileTest, EditsOnlyTheLinesConcerned) {
  const QString path = Path("hand.ini");
  WriteBytes(path, kHandWritten);
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadInteger("PRINT", "columnspacing", 0), 20);
  EXPECT_EQ(ini.ReadString("grid", "COL0", ""), "64");
  EXPECT_EQ(ini.ReadString("Print", "TitleText", "-"), "-");  // the first [Print] only
  EXPECT_EQ(ini.ReadString("Print", "stray", "-"), "-");
  ini.WriteString("Print", "ColumnSpacing", "30");
  ini.WriteString("Grid", "Col1", "80");
  QByteArray expected = kHandWritten;
  expected.replace("  ColumnSpacing = 20  \r\n", "ColumnSpacing=30\r\n");
  expected.replace("Col0=64\r\n", "Col0=64\r\nCol1=80\r\n");
  EXPECT_EQ(ReadBytes(path), expected);
  // A new key of a section set off by a blank line goes before that line.
  ini.WriteString("print", "RowSpacing", "5");
  expected.replace("no value line\r\n\r\n", "no value line\r\nRowSpacing=5\r\n\r\n");
  EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(IniFileTest, ListsAndLookups) {
  const QString path = Path("hand.ini");
  WriteBytes(path, kHandWritten);
  TIniFile ini(path);
  TStringList list;
  list.Add("old");
  ini.ReadSections(&list);
  EXPECT_EQ(Joined(list), "Print|Grid");
  ini.ReadSection("print", &list);
  EXPECT_EQ(Joined(list), "ColumnSpacing|FontName");
  ini.ReadSectionValues("Print", &list);
  EXPECT_EQ(Joined(list), "ColumnSpacing=20|FontName=Arial Narrow");
  ini.ReadSection("none", &list);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(ini.SectionExists("GRID"));
  EXPECT_FALSE(ini.SectionExists("none"));
  EXPECT_TRUE(ini.ValueExists("grid", "col0"));
  EXPECT_FALSE(ini.ValueExists("grid", "col9"));
  // A missing file reads as empty.
  TIniFile missing(Path("none.ini"));
  EXPECT_EQ(missing.ReadString("a", "b", "dflt"), "dflt");
  EXPECT_FALSE(missing.SectionExists("a"));
  EXPECT_FALSE(QFile::exists(Path("none.ini")));
}

TEST_F(IniFileTest, UnwritableRaises) {
  TIniFile ini(Path("no/such/folder/a.ini"));
  try {
    ini.WriteString("a", "b", "c");
    FAIL() << "no exception";
  } catch (const EIniFileException& e) {
    EXPECT_TRUE(e.Message().contains("Unable to write to")) << e.Message().toStdString();
    EXPECT_TRUE(e.Message().contains(Path("no/such/folder/a.ini")));
  }
}

// ---------------------------------------------------------------------------
// Shared reading rules

TEST_F(IniFileReadingTest, NumberAndSwitchConversions) {
  const QString path = Path("n.ini");
  WriteBytes(path,
             "[N]\r\nlead= 12\r\nhex=$1F\r\nhex0x=0x1f\r\nneg=-3\r\nword=abc\r\nempty=\r\n"
             "big=2147483648\r\non=1\r\noff=0\r\nminus=-1\r\nyes=Y\r\nreal=2.5\r\n");
  TMemIniFile mem(path);
  TIniFile file(path);
  for (TCustomIniFile* ini : {static_cast<TCustomIniFile*>(&mem), static_cast<TCustomIniFile*>(&file)}) {
    // Blanks around values are not part of them, so " 12" reads as "12".
    EXPECT_EQ(ini->ReadInteger("n", "lead", -1), 12);
    EXPECT_EQ(ini->ReadInteger("n", "hex", -1), 31);
    EXPECT_EQ(ini->ReadInteger("n", "hex0x", -1), 31);
    EXPECT_EQ(ini->ReadInteger("n", "neg", 0), -3);
    EXPECT_EQ(ini->ReadInteger("n", "word", -1), -1);
    EXPECT_EQ(ini->ReadInteger("n", "empty", 7), 7);
    EXPECT_EQ(ini->ReadInteger("n", "big", -1), -1);
    EXPECT_EQ(ini->ReadInteger("n", "missing", 42), 42);
    EXPECT_TRUE(ini->ReadBool("n", "on", false));
    EXPECT_FALSE(ini->ReadBool("n", "off", true));
    EXPECT_TRUE(ini->ReadBool("n", "minus", false));
    EXPECT_TRUE(ini->ReadBool("n", "yes", true));  // no number: the default
    EXPECT_FALSE(ini->ReadBool("n", "yes", false));
    EXPECT_DOUBLE_EQ(ini->ReadFloat("n", "real", 0), 2.5);
    EXPECT_DOUBLE_EQ(ini->ReadFloat("n", "word", 1.5), 1.5);
  }
  mem.WriteFloat("n", "f", 0.25);
  EXPECT_EQ(mem.ReadString("n", "f", ""), "0.25");
}

TEST_F(IniFileReadingTest, FileEncodings) {
  // Without a mark: UTF-8 when valid, else the ANSI code page.
  WriteBytes(Path("ansi.ini"), "[S]\r\nk=Gr\xF6\xDF" "e \x80\r\n");
  EXPECT_EQ(TIniFile(Path("ansi.ini")).ReadString("S", "k", ""),
            QString::fromUtf8("Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC"));
  TIniFile ansi(Path("ansi.ini"));
  ansi.WriteString("S", "j", "1");  // written back as UTF-8
  EXPECT_EQ(ReadBytes(Path("ansi.ini")), "[S]\r\nk=Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC\r\nj=1\r\n");

  // A UTF-16 file stays UTF-16.
  const QString text = QString::fromUtf8("[S]\r\nk=\xE6\xB8\xAC\r\n");
  QByteArray u16("\xFF\xFE", 2);
  for (QChar c : text) {
    u16.append(static_cast<char>(c.unicode() & 0xFF));
    u16.append(static_cast<char>(c.unicode() >> 8));
  }
  WriteBytes(Path("u16.ini"), u16);
  TMemIniFile mem(Path("u16.ini"));
  EXPECT_EQ(mem.ReadString("s", "K", ""), QString::fromUtf8("\xE6\xB8\xAC"));
  mem.UpdateFile();
  QByteArray expected = u16;
  expected.append("\r\0\n\0", 4);  // the blank line after the section
  EXPECT_EQ(ReadBytes(Path("u16.ini")), expected);
}

// A byte-order mark repeated after the file's own one is text (a zero-width
// no-break space) to every reader: here it keeps "[]" on the first line from
// being a section header. Writing another value must not drop it, or the
// rewritten file gains a section and "k" moves into it.
TEST_F(IniFileReadingTest, RepeatedMarksStayTextWhenAValueIsWritten) {
  struct Case {
    const char* name;
    QByteArray bytes;
    QByteArray kept;     // the marks and "[]": unchanged at the start of the file
    QByteArray written;  // the end of the file after writing [Fuzz] Key=x
  };
  const auto u16le = [](const QString& s) {
    QByteArray b;
    for (QChar c : s) b.append(static_cast<char>(c.unicode() & 0xFF)).append(static_cast<char>(c.unicode() >> 8));
    return b;
  };
  const auto u16be = [](const QString& s) {
    QByteArray b;
    for (QChar c : s) b.append(static_cast<char>(c.unicode() >> 8)).append(static_cast<char>(c.unicode() & 0xFF));
    return b;
  };
  const QString added = QStringLiteral("\r\n\r\n[Fuzz]\r\nKey=x\r\n");
  const QByteArray mark16("\xFF\xFE", 2);
  const Case cases[] = {
      // The input the fuzzer found, shrunk: three marks, "[]", a lone CR, "k=".
      {"utf16le", mark16 + mark16 + mark16 + u16le(QStringLiteral("[]\rk=")),
       mark16 + mark16 + mark16 + u16le(QStringLiteral("[]")), u16le(QStringLiteral("k=") + added)},
      {"utf16be", QByteArray("\xFE\xFF\xFE\xFF", 4) + u16be(QStringLiteral("[]\r\nk=")),
       QByteArray("\xFE\xFF\xFE\xFF", 4) + u16be(QStringLiteral("[]")), u16be(QStringLiteral("k=") + added)},
      {"utf8", QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF[]\r\nk="), QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF[]"),
       QByteArray("k=") + added.toUtf8()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = Path("marks.ini");
    WriteBytes(path, c.bytes);
    TStringList sections;
    TMemIniFile(path).ReadSections(&sections);
    EXPECT_EQ(sections.Count(), 0);

    TIniFile ini(path);
    ini.WriteString("Fuzz", "Key", "x");
    EXPECT_EQ(ini.ReadString("Fuzz", "Key", ""), "x");
    TMemIniFile after(path);
    after.ReadSections(&sections);
    EXPECT_EQ(Joined(sections), "Fuzz");
    EXPECT_EQ(after.ReadString("", "k", "<none>"), "<none>");
    // Every mark is still there; only the new lines were added.
    const QByteArray bytes = ReadBytes(path);
    EXPECT_TRUE(bytes.startsWith(c.kept)) << bytes.toHex().constData();
    EXPECT_TRUE(bytes.endsWith(c.written)) << bytes.toHex().constData();
  }
}

// Only blanks and control characters around a value are dropped: a no-break
// space or another Unicode space at either end belongs to the value.
TEST_F(IniFileReadingTest, UnicodeSpacesAroundValuesAreKept) {
  const QString values[] = {
      QString::fromUtf8("[N]nle\xCF\x9E\xC2\xA0"),  // the value the fuzzer found
      QString::fromUtf8("\xC2\xA0x"),
      QString::fromUtf8("x\xE2\x80\x83"),
      QString::fromUtf8("\xE3\x80\x80"),
  };
  const QString path = Path("spaces.ini");
  for (const QString& v : values) {
    SCOPED_TRACE(v.toStdString());
    QFile::remove(path);
    TIniFile ini(path);
    ini.WriteString("S", "k", v);
    ini.WriteString(QString::fromUtf8("\xC2\xA0T"), QString::fromUtf8("j\xC2\xA0"), v);
    EXPECT_EQ(ini.ReadString("S", "k", "<none>"), v);
    EXPECT_EQ(ini.ReadString(QString::fromUtf8("\xC2\xA0T"), QString::fromUtf8("j\xC2\xA0"), "<none>"), v);
    EXPECT_EQ(ini.ReadString("T", "j", "<none>"), "<none>");
    TMemIniFile mem(path);
    EXPECT_EQ(mem.ReadString("S", "k", "<none>"), v);
    mem.Rename(Path("copy.ini"), false);
    mem.UpdateFile();
    EXPECT_EQ(TMemIniFile(Path("copy.ini")).ReadString("S", "k", "<none>"), v);
  }
  // Blanks and control characters around a value are still not part of it.
  WriteBytes(path, "[S]\r\nk= \t\x01v\x02 \r\n");
  EXPECT_EQ(TIniFile(path).ReadString("S", "k", ""), "v");
}

TEST_F(IniFileReadingTest, TextsTheFileCannotHoldAreRefused) {
  const QString path = Path("r.ini");
  TIniFile ini(path);
  ini.WriteString("S", "k", "v");
  const QByteArray before = ReadBytes(path);
  TMemIniFile mem(path);
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"S", "k", "two\r\nlines"}, {"S", "k", "lf\n"}, {"S", "k\n", "v"}, {"S\r", "k", "v"},
      {"S", "", "v"},             {"S", "  ", "v"},   {"S", "a=b", "v"}, {"S", "[x", "v"},
      {"S", ";c", "v"},           {"a]b", "k", "v"},
  };
  for (const Case& c : cases) {
    EXPECT_THROW(ini.WriteString(c.section, c.key, c.value), EIniFileException) << c.key;
    EXPECT_THROW(mem.WriteString(c.section, c.key, c.value), EIniFileException) << c.key;
  }
  EXPECT_EQ(ReadBytes(path), before);
  mem.UpdateFile();
  EXPECT_EQ(ReadBytes(path), "[S]\r\nk=v\r\n\r\n");
}

// ---------------------------------------------------------------------------
// TMemIniFile

TEST_F(MemIniFileTest, WritesOnlyOnUpdate) {
  const QString path = Path("m.ini");
  TMemIniFile mem(path);
  mem.WriteInteger("Print", "ColumnSpacing", 20);
  mem.WriteString("Print", "Centered", "Y");
  mem.WriteString("Grid", "Col0", "64");
  mem.WriteString("print", "CENTERED", "N");  // same key, keeps its place
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_EQ(mem.ReadString("PRINT", "centered", ""), "N");
  mem.UpdateFile();
  EXPECT_EQ(ReadBytes(path),
            "[Print]\r\nColumnSpacing=20\r\nCentered=N\r\n\r\n[Grid]\r\nCol0=64\r\n\r\n");

  // Changes stay in memory until the next update; a TIniFile sees the file.
  mem.EraseSection("PRINT");
  mem.WriteString("Grid", "Col1", "80");
  TIniFile file(path);
  EXPECT_EQ(file.ReadString("Print", "Centered", ""), "N");
  EXPECT_EQ(file.ReadString("Grid", "Col1", "-"), "-");
  mem.DeleteKey("grid", "col0");
  mem.UpdateFile();
  EXPECT_EQ(ReadBytes(path), "[Grid]\r\nCol1=80\r\n\r\n");

  // A second object reads what the first wrote.
  TMemIniFile again(path);
  EXPECT_EQ(again.ReadInteger("grid", "col1", 0), 80);
}

TEST_F(MemIniFileTest, RewritesAHandWrittenFile) {
  const QString path = Path("hand.ini");
  WriteBytes(path, kHandWritten);
  TMemIniFile mem(path);
  TStringList list;
  mem.ReadSections(&list);
  EXPECT_EQ(Joined(list), "Print|Grid");
  mem.ReadSection("print", &list);  // a repeated section continues the first
  EXPECT_EQ(Joined(list), "ColumnSpacing|FontName|TitleText");
  EXPECT_EQ(mem.ReadString("Print", "TitleText", ""), "a=b \"q\"");
  EXPECT_TRUE(mem.SectionExists("grid"));
  EXPECT_TRUE(mem.ValueExists("PRINT", "fontname"));
  mem.ReadSectionValues("print", &list);
  EXPECT_EQ(Joined(list), "ColumnSpacing=20|FontName=Arial Narrow|no value line|TitleText=a=b \"q\"");
  mem.UpdateFile();
  EXPECT_EQ(ReadBytes(path),
            "[Print]\r\nColumnSpacing=20\r\nFontName=Arial Narrow\r\nno value line\r\n"
            "TitleText=a=b \"q\"\r\n\r\n[Grid]\r\nCol0=64\r\n\r\n");
  mem.GetStrings(&list);
  EXPECT_EQ(list.Count(), 9);
  TStringList lines;
  lines.SetText("[A]\r\nx=1\r\n");
  mem.SetStrings(&lines);
  EXPECT_EQ(mem.ReadString("a", "x", ""), "1");
  EXPECT_FALSE(mem.SectionExists("Print"));
}

TEST_F(MemIniFileTest, UnwritableRaises) {
  TMemIniFile mem(Path("no/folder/m.ini"));
  mem.WriteString("a", "b", "c");
  EXPECT_THROW(mem.UpdateFile(), EFCreateError);
  mem.Rename(Path("m.ini"), false);
  EXPECT_EQ(mem.FileName(), Path("m.ini"));
  mem.UpdateFile();
  EXPECT_EQ(ReadBytes(Path("m.ini")), "[a]\r\nb=c\r\n\r\n");
}

// ---------------------------------------------------------------------------
// TRegistryIniFile

TEST_F(RegistryIniFileTest, RegistryStoreKeepsKeysAsSectionsOfOneFile) {
  const QString store = Path("cfg/zidi/registry.ini");
  TRegistryIniFile::SetStoreFileName(store);
  struct Restore {
    ~Restore() { TRegistryIniFile::SetStoreFileName(QString()); }
  } restore;
  {
    TRegistryIniFile reg("\\Software\\Maker\\Grid\\");
    reg.WriteInteger("Columns", "Col0", 64);
    reg.WriteInteger("Columns", "Col1", 80);
    reg.WriteString("Print\\Fonts", "Name", "Arial");
    TRegistryIniFile other("Software/Maker/Other");
    other.WriteBool("X", "On", true);
    EXPECT_EQ(ReadBytes(store),
              "[Software\\Maker\\Grid\\Columns]\r\nCol0=64\r\nCol1=80\r\n\r\n"
              "[Software\\Maker\\Grid\\Print\\Fonts]\r\nName=Arial\r\n\r\n"
              "[Software\\Maker\\Other\\X]\r\nOn=1\r\n");
  }
  TRegistryIniFile reg("software\\maker\\GRID");
  EXPECT_EQ(reg.ReadInteger("columns", "col1", 0), 80);
  TStringList list;
  reg.ReadSections(&list);
  EXPECT_EQ(Joined(list), "Columns|Print");
  reg.ReadSection("Columns", &list);
  EXPECT_EQ(Joined(list), "Col0|Col1");
  reg.EraseSection("print");  // with everything below it
  reg.ReadSections(&list);
  EXPECT_EQ(Joined(list), "Columns");
  EXPECT_EQ(TRegistryIniFile("Software\\Maker\\Other").ReadBool("x", "on", false), true);
  TRegistryIniFile::SetStoreFileName(QString());
  EXPECT_TRUE(TRegistryIniFile::StoreFileName().endsWith("/zidi/registry.ini"));
}
