#include <gtest/gtest.h>

#include <QSet>

#include "platform/rtl/Encodings.h"

namespace {

QByteArray AllBytes() {
  QByteArray b(256, '\0');
  for (int i = 0; i < 256; ++i) b[i] = static_cast<char>(i);
  return b;
}

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

}  // namespace

TEST(CodePageTables, EveryByteSurvivesARoundTrip) {
  for (TEncoding* e : {TEncoding::ANSI(), TEncoding::OEM()}) {
    const QString text = e->GetString(AllBytes());
    ASSERT_EQ(text.size(), 256) << e->CodePage();
    EXPECT_EQ(e->GetBytes(text), AllBytes()) << e->CodePage();
    // No two bytes give the same character.
    QSet<QChar> chars(text.begin(), text.end());
    EXPECT_EQ(chars.size(), 256) << e->CodePage();
  }
}

TEST(CodePageTables, KnownMappings) {
  struct Case {
    TEncoding* enc;
    unsigned char byte;
    char16_t ch;
  } cases[] = {
      {TEncoding::ANSI(), 0x80, 0x20AC},  // euro sign
      {TEncoding::ANSI(), 0x9F, 0x0178},  {TEncoding::ANSI(), 0x92, 0x2019},
      {TEncoding::ANSI(), 0x81, 0x0081},  // undefined in the code page: the control character
      {TEncoding::ANSI(), 0xE9, 0x00E9},  {TEncoding::ANSI(), 0x41, u'A'},
      {TEncoding::OEM(), 0x82, 0x00E9},   // e acute
      {TEncoding::OEM(), 0x9C, 0x00A3},   {TEncoding::OEM(), 0xD5, 0x0131},
      {TEncoding::OEM(), 0xB0, 0x2591},   {TEncoding::OEM(), 0xFF, 0x00A0},
      {TEncoding::OEM(), 0x7F, 0x007F},   {TEncoding::OEM(), 0x0A, 0x000A},
  };
  for (const Case& c : cases) {
    const QByteArray b(1, static_cast<char>(c.byte));
    EXPECT_EQ(c.enc->GetString(b), QString(QChar(c.ch))) << c.enc->CodePage() << " " << int(c.byte);
    EXPECT_EQ(c.enc->GetBytes(QString(QChar(c.ch))), b) << c.enc->CodePage() << " " << int(c.byte);
  }
}

TEST(CodePageTables, CharactersWithoutAByteBecomeQuestionMarks) {
  struct Case {
    TEncoding* enc;
    QString text;
    QByteArray bytes;
  } cases[] = {
      {TEncoding::OEM(), u"\u20ACx"_qs, "?x"},                       // no euro in CP850
      {TEncoding::ANSI(), u"A\u0100B"_qs, "A?B"},                    // A with macron
      {TEncoding::ANSI(), u"\U0001F600."_qs, "?."},                   // one character, one "?"
      {TEncoding::ANSI(), QString(QChar(0)) + "z", QByteArray("\0z", 2)},  // zero is a character
      {TEncoding::ASCII(), u"caf\u00e9"_qs, "caf?"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.enc->GetBytes(c.text), c.bytes) << c.enc->CodePage();
  EXPECT_EQ(TEncoding::ASCII()->GetString("ok\xE9"), "ok?");
}

TEST(UnicodeEncodings, BytesAndMarks) {
  const QString text = u"A\u00e9\u20AC"_qs;
  EXPECT_EQ(TEncoding::Unicode()->GetBytes(text), Hex("4100e900ac20"));
  EXPECT_EQ(TEncoding::BigEndianUnicode()->GetBytes(text), Hex("004100e920ac"));
  EXPECT_EQ(TEncoding::UTF8()->GetBytes(text), Hex("41c3a9e282ac"));
  for (TEncoding* e : {TEncoding::Unicode(), TEncoding::BigEndianUnicode(), TEncoding::UTF8()})
    EXPECT_EQ(e->GetString(e->GetBytes(text)), text);
  EXPECT_EQ(TEncoding::UTF8()->GetPreamble(), Hex("efbbbf"));
  EXPECT_EQ(TEncoding::Unicode()->GetPreamble(), Hex("fffe"));
  EXPECT_EQ(TEncoding::BigEndianUnicode()->GetPreamble(), Hex("feff"));
  EXPECT_TRUE(TEncoding::ANSI()->GetPreamble().isEmpty());
  // Broken input does not vanish silently.
  EXPECT_EQ(TEncoding::Unicode()->GetString(Hex("410042")), u"A\uFFFD"_qs);
  EXPECT_EQ(TEncoding::UTF8()->GetString(Hex("41ff42")), u"A\uFFFDB"_qs);
  EXPECT_EQ(TEncoding::UTF8()->GetString(Hex("41c3a942"), 1, 2), u"\u00e9"_qs);
  EXPECT_THROW(TEncoding::UTF8()->GetString(Hex("41"), 1, 1), EArgumentOutOfRangeException);
}

TEST(UnicodeEncodings, BufferEncodingDetectsByteOrderMarks) {
  struct Case {
    const char* hex;
    TEncoding* defaultEnc;
    TEncoding* found;
    int markSize;
  } cases[] = {
      {"efbbbf41", nullptr, TEncoding::UTF8(), 3},
      {"fffe4100", nullptr, TEncoding::Unicode(), 2},
      {"feff0041", nullptr, TEncoding::BigEndianUnicode(), 2},
      {"4142", nullptr, TEncoding::ANSI(), 0},
      {"4142", TEncoding::UTF8(), TEncoding::UTF8(), 0},
      {"", nullptr, TEncoding::ANSI(), 0},
      {"efbb", nullptr, TEncoding::ANSI(), 0},  // a cut mark is no mark
      {"fe", nullptr, TEncoding::ANSI(), 0},
  };
  for (const Case& c : cases) {
    TEncoding* enc = nullptr;
    EXPECT_EQ(TEncoding::GetBufferEncoding(Hex(c.hex), enc, c.defaultEnc), c.markSize) << c.hex;
    EXPECT_EQ(enc, c.found) << c.hex;
  }
  // With an encoding given, only its own mark counts.
  TEncoding* utf8 = TEncoding::UTF8();
  EXPECT_EQ(TEncoding::GetBufferEncoding(Hex("fffe4100"), utf8), 0);
  EXPECT_EQ(utf8, TEncoding::UTF8());
  EXPECT_EQ(TEncoding::GetBufferEncoding(Hex("efbbbf"), utf8), 3);
}
