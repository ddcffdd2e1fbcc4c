#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include "platform/rtl/Classes.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

QString Text(int n) { return SL_Language->Strings(n); }

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray Utf16(const QString& s, bool bigEndian) {
  QByteArray out = bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
  for (QChar c : s) {
    const char hi = static_cast<char>(c.unicode() >> 8), lo = static_cast<char>(c.unicode() & 0xFF);
    out.append(bigEndian ? hi : lo).append(bigEndian ? lo : hi);
  }
  return out;
}

struct ParseCase {
  const char* name;
  QByteArray file;
  std::vector<std::pair<int, QString>> expect;  // texts after loading
};

}  // namespace

TEST(LanguageFile, EntriesAreAppliedByTheLineRules) {
  const QString pil = QString(QChar(0x00B6));
  const QString d100 = QStringLiteral("Create New Configuration");
  const QString d101 = QStringLiteral("Create New Configuration");
  const ParseCase cases[] = {
      {"canonical line", "STR100 = New caption\r\n", {{100, "New caption"}, {101, d101}, {10, "Use Step1 to open or create new configuration"}}},
      {"blank before = optional", "STR12=Twelve\nSTR5=Five\n", {{12, "Twelve"}, {1, "Step 1"}, {5, "Five"}}},
      {"blanks around the number", "STR  13\t= Thirteen\n", {{13, "Thirteen"}}},
      {"empty text keeps the entry", "STR100 =   \n", {{100, d100}}},
      {"remark ends the text", "STR100 = Hello world  /#/ said twice\n", {{100, "Hello world"}}},
      {"remark only keeps the entry", "STR100 = /#/ nothing\n", {{100, d100}}},
      {"pilcrows keep inner blanks", "STR9 = \xB6 Two ends \xB6 dropped\n", {{9, " Two ends "}}},
      {"pilcrows in UTF-8", QByteArray("\xEF\xBB\xBF") + ("STR9 = " + pil + " x " + pil + "\n").toUtf8(), {{9, " x "}}},
      {"pilcrow without closing one", "STR9 = \xB6Open end  \n", {{9, "Open end"}}},
      {"last number applied, outside ignored", "STR4199 = Last\nSTR4200 = Over\nSTR-1 = Under\n",
       {{4199, "Last"}, {4198, " "}, {0, "Begin"}}},
      {"lower-case str ignored", "str100 = lower\nStr101 = mixed\n", {{100, d100}, {101, d101}}},
      {"not an entry", "STRx = word\nSTR 1 2 = two\nSTR100 no equals\n; STR101 = remark\n",
       {{100, d100}, {101, d101}, {1, "Step 1"}}},
      {"leading blanks and tabs before STR", " \t STR100 = Indented\n", {{100, "Indented"}}},
      {"later line wins", "STR100 = first\nSTR100 = second\n", {{100, "second"}}},
      {"CR only separators", "STR100 = a\rSTR101 = b\r", {{100, "a"}, {101, "b"}}},
      {"UTF-8 with BOM", "\xEF\xBB\xBFSTR100 = Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC\r\n", {{100, "Größe €"}}},
      {"UTF-16 LE with BOM", Utf16("STR100 = Ελληνικά\r\nSTR101 = 日本\r\n", false),
       {{100, "Ελληνικά"}, {101, "日本"}}},
      {"UTF-16 BE with BOM", Utf16("STR100 = Ελληνικά\r\n", true), {{100, "Ελληνικά"}}},
      {"Windows-1252 without BOM", "STR100 = Caf\xE9 \x80 \x93ok\x94\r\n", {{100, "Café € “ok”"}}},
  };
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = dir.filePath(QStringLiteral("t.lng"));
    WriteFile(path, c.file);
    Fill_Default_Texts();
    Load_Lang_File(path);
    EXPECT_EQ(SL_Language->Count(), 4200);
    for (const auto& [n, text] : c.expect) EXPECT_EQ(Text(n), text) << "text " << n;
  }
}

TEST(LanguageFile, UnreadableFileRaisesTheFrameworkError) {
  Fill_Default_Texts();
  EXPECT_THROW(Load_Lang_File(QStringLiteral("/nonexistent/folder/x.lng")), Exception);
  EXPECT_EQ(Text(100), "Create New Configuration");
}

TEST(LanguageFile, SwitchRebuildsFromEnglishAndMissingFileFallsBackToEnglish) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  Dir_Language = dir.path();
  WriteFile(dir.filePath("Italiano.lng"), "STR100 = Crea Configurazione\nSTR101 = Nuova\n");
  WriteFile(dir.filePath("Deutsch.lng"), "STR100 = Neue Konfiguration\n");

  Name_Language = QStringLiteral("Italiano");
  Load_Language();
  EXPECT_EQ(Name_Language, "Italiano");
  EXPECT_EQ(Text(100), "Crea Configurazione");
  EXPECT_EQ(Text(101), "Nuova");

  Name_Language = QStringLiteral("Deutsch");
  Load_Language();
  EXPECT_EQ(Text(100), "Neue Konfiguration");
  EXPECT_EQ(Text(101), "Create New Configuration");  // English, not Italian

  // The language's file is gone: English, built-in texts.
  Name_Language = QStringLiteral("Klingon");
  Load_Language();
  EXPECT_EQ(Name_Language, "English");
  EXPECT_EQ(Text(100), "Create New Configuration");

  // ... and English.lng is applied when present.
  WriteFile(dir.filePath("English.lng"), "STR100 = Make a configuration\n");
  Name_Language = QStringLiteral("Klingon");
  Load_Language();
  EXPECT_EQ(Name_Language, "English");
  EXPECT_EQ(Text(100), "Make a configuration");
  Dir_Language.clear();
}

TEST(DefaultTexts, TableHoldsTheBlocksTheGapsAndTheQuotedWording) {
  Fill_Default_Texts();
  ASSERT_EQ(Num_Language_Str, 4200);
  ASSERT_EQ(SL_Language->Count(), 4200);

  // Blocks of the windows: first and last number hold text, and so does every
  // number between them but one; every number outside them is a single blank.
  const std::pair<int, int> blocks[] = {
      {0, 68},      {100, 110},   {200, 207},   {300, 321},   {400, 1177},  {1200, 1237},
      {1300, 1305}, {1400, 1438}, {1500, 1593}, {1600, 1608}, {1700, 1760}, {1800, 1808},
      {1900, 1958}, {2000, 2063}, {2100, 2193}, {2200, 2221}, {2300, 2403}, {2500, 2591},
      {2600, 2679}, {2700, 2765}, {2800, 2898}, {2900, 2974}, {3000, 3031}, {3100, 3125},
      {3200, 3212}, {3300, 3347}, {3400, 3443}, {3500, 3566}, {3600, 3643}, {3700, 3742},
      {3800, 3889}, {3900, 3986}, {4000, 4060}, {4100, 4115}};
  int blanks = 0, blanksInBlocks = 0, outsideTexts = 0;
  for (int n = 0; n < 4200; ++n) {
    bool inBlock = false;
    for (const auto& [a, b] : blocks) inBlock = inBlock || (n >= a && n <= b);
    const bool blank = Text(n) == QLatin1String(" ");
    blanks += blank;
    if (inBlock && blank) ++blanksInBlocks;
    if (!inBlock && !blank) ++outsideTexts;
  }
  EXPECT_EQ(blanks, 1731);
  EXPECT_EQ(blanksInBlocks, 1);
  EXPECT_EQ(outsideTexts, 0);
  for (const auto& [a, b] : blocks) {
    EXPECT_NE(Text(a), " ") << a;
    EXPECT_NE(Text(b), " ") << b;
  }
  for (int n : {69, 99, 111, 199, 208, 299, 322, 399, 4116, 4199}) EXPECT_EQ(Text(n), " ") << n;

  // One text of every block, as the windows quote it; blanks at the ends count.
  const std::pair<int, const char*> quoted[] = {
      {9, "None Configuration Opened "},
      {11, "Opened Configuration of the Converter : "},
      {18, "Error! Project not Valid"},
      // The main window's hint for its BACnet EDE button, in full.
      {66, "Create the BACnet EDE File for Actual Configuration"},
      {106, "Error! Name project is not valid because directory already exists"},
      {202, "List of Avaliable Configurations"},
      {306, " / "},
      {423, "MQTT "},
      {935, "Error Modbus Master!! Two Stop Bits can be selected only with None Parity"},
      {1136, "Error OPC UA Server!! Port must be between 0 and 65535, and different from 10000"},
      {1174, "Error Secondary DNS!! DNS 1 must be between 0 and 255"},
      {1236, "Device Not Found!"},
      {1300, "Row Already used. Do you want to overwrite the values?"},
      {1427, "Error row %d!! Position Must be Between 0 and %d"},
      {1572, "!! [Modbus Read] NPoint must be between 1 and "},
      {1604, "User Part"},
      {1741, "!! [BACnet in Read] Length with variable \"Life Safety Point\" must be 1 or 2"},
      {1807, "Select Unit"},
      {1950, " or None"},
      {2062, "OnCMD"},
      {2157, "Select the BACnet Type in the \"Set Communication\" section"},
      {2214, "!! The Variable is only in read"},
      {2399, "!! [Modbus Read] Poll Time must be between 1 and 100000000"},
      {2578, "!! [Receive PDO] Address Byte8 must be between 0 and "},
      {2674, "!! [SDO Write] Poll Time must be between 0 and 100000000"},
      {2748, "Insert the position of array where write the byte 4 of CANopen SDO Request"},
      {2856, "!! [MQTT Publish] Position must be beetween 0 and "},
      {2906, "Description of Keyword"},
      {3024, "!! ID must be 0 or 63"},
      {3123, " Byte = "},
      {3212, "!! Default Value must be between 0 and 255"},
      {3309, "Exit without save the 1939 Receive Frames List"},
      {3440, "!! Num Byte must be between 0 and "},
      {3557, "!! [KNX in Write] Bit Mode must be \"No\" or between 0 and 7"},
      {3632, "!! PGN must be between 0x00000 and 0x1FFFF"},
      {3738, "!! Source Address must be between 0 and 239"},
      {3844, "!! OID string cannot contains number major of $FFFFFFFF between two \".\""},
      {3979, "!! [SNMP Write] Descrtiption is not correct (allowed characters are \"a\"..\"z\", "
             "\"A\"..\"Z\" and \"0\"..\"9\"). First character must be a letter and must be lowercase"},
      {4038, "Error!! The Total Number of Input Bytes must be between 0 and "},
      {4115, "Error!! No Valid Connection found"},
  };
  for (const auto& [n, text] : quoted) EXPECT_EQ(Text(n), QString::fromUtf8(text)) << "text " << n;
}
