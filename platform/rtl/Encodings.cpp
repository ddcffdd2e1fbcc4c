#include "platform/rtl/Encodings.h"

#include <array>
#include <memory>

namespace {

// Unicode characters of the bytes 0x80..0xFF; the bytes below 0x80 are ASCII.
using THighHalf = std::array<char16_t, 128>;

// Windows-1252. The five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) stand for the C1 control characters of the same value, as
// the system's conversion does, so that every byte survives a round trip.
constexpr THighHalf kWindows1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,  // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,  // B8
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,  // C0
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,  // C8
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,  // D0
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,  // D8
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,  // E0
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,  // E8
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,  // F0
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,  // F8
};

// CP850 (multilingual Latin 1, the OEM code page of western Europe).
constexpr THighHalf kCp850 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  // 88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 90
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,  // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // A0
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,  // B0
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,  // C8
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE,  // D0
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,  // D8
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,  // E0
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,  // E8
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,  // F0
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,  // F8
};

// An 8-bit code page given by its upper half (or none: 7-bit ASCII).
class TSingleByteEncoding final : public TEncoding {
 public:
  TSingleByteEncoding(const THighHalf* high, int codePage, const char* name)
      : FCodePage(codePage), FName(QString::fromLatin1(name)), FToByte(new Byte[0x10000]()) {
    for (int b = 0; b < 0x80; ++b) {
      FToChar[b] = static_cast<char16_t>(b);
      FToByte[b] = static_cast<Byte>(b);
    }
    for (int b = 0x80; b < 0x100; ++b) {
      // An ASCII table reads the upper half as "?" and has no character for it.
      const char16_t c = high != nullptr ? (*high)[b - 0x80] : u'?';
      FToChar[b] = c;
      if (high != nullptr) FToByte[c] = static_cast<Byte>(b);
    }
  }

  QByteArray GetBytes(const QString& S) const override {
    QByteArray out;
    out.reserve(S.size());
    for (qsizetype i = 0; i < S.size(); ++i) {
      const char16_t c = S.at(i).unicode();
      if (QChar::isHighSurrogate(c) && i + 1 < S.size() && S.at(i + 1).isLowSurrogate()) {
        // One character outside the 16-bit range: one "?".
        ++i;
        out.append('?');
        continue;
      }
      const Byte b = FToByte[c];
      // Only U+0000 maps to the byte 0; any other character that gives 0 has no byte.
      out.append(b != 0 || c == 0 ? static_cast<char>(b) : '?');
    }
    return out;
  }

  QString GetString(const QByteArray& Bytes) const override {
    QString out(Bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < Bytes.size(); ++i) d[i] = QChar(FToChar[static_cast<Byte>(Bytes[i])]);
    return out;
  }

  int CodePage() const override { return FCodePage; }
  QString EncodingName() const override { return FName; }
  bool IsSingleByte() const override { return true; }

 private:
  int FCodePage;
  QString FName;
  std::array<char16_t, 256> FToChar{};
  std::unique_ptr<Byte[]> FToByte;  // per UTF-16 unit; 0 = no byte (except for U+0000)
};

class TUTF8Encoding final : public TEncoding {
 public:
  QByteArray GetBytes(const QString& S) const override { return S.toUtf8(); }
  // Bytes that are no valid UTF-8 become U+FFFD.
  QString GetString(const QByteArray& Bytes) const override { return QString::fromUtf8(Bytes); }
  QByteArray GetPreamble() const override { return QByteArray("\xEF\xBB\xBF", 3); }
  int CodePage() const override { return 65001; }
  QString EncodingName() const override { return QStringLiteral("Unicode (UTF-8)"); }
};

class TUTF16Encoding final : public TEncoding {
 public:
  explicit TUTF16Encoding(bool bigEndian) : FBigEndian(bigEndian) {}

  QByteArray GetBytes(const QString& S) const override {
    QByteArray out(S.size() * 2, Qt::Uninitialized);
    char* d = out.data();
    for (qsizetype i = 0; i < S.size(); ++i) {
      const char16_t c = S.at(i).unicode();
      const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
      d[2 * i] = FBigEndian ? hi : lo;
      d[2 * i + 1] = FBigEndian ? lo : hi;
    }
    return out;
  }

  // A lone byte at the end becomes U+FFFD.
  QString GetString(const QByteArray& Bytes) const override {
    const qsizetype n = Bytes.size() / 2;
    QString out(n, Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < n; ++i) {
      const Byte b0 = static_cast<Byte>(Bytes[2 * i]), b1 = static_cast<Byte>(Bytes[2 * i + 1]);
      d[i] = QChar(FBigEndian ? char16_t((b0 << 8) | b1) : char16_t((b1 << 8) | b0));
    }
    if (Bytes.size() % 2 != 0) out.append(QChar::ReplacementCharacter);
    return out;
  }

  QByteArray GetPreamble() const override {
    return FBigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
  }
  int CodePage() const override { return FBigEndian ? 1201 : 1200; }
  QString EncodingName() const override {
    return FBigEndian ? QStringLiteral("Unicode (UTF-16BE)") : QStringLiteral("Unicode (UTF-16LE)");
  }

 private:
  bool FBigEndian;
};

}  // namespace

TEncoding* TEncoding::ANSI() {
  static TSingleByteEncoding e(&kWindows1252, 1252, "Western European (Windows)");
  return &e;
}

TEncoding* TEncoding::OEM() {
  static TSingleByteEncoding e(&kCp850, 850, "Western European (DOS)");
  return &e;
}

TEncoding* TEncoding::ASCII() {
  static TSingleByteEncoding e(nullptr, 20127, "US-ASCII");
  return &e;
}

TEncoding* TEncoding::UTF8() {
  static TUTF8Encoding e;
  return &e;
}

TEncoding* TEncoding::Unicode() {
  static TUTF16Encoding e(false);
  return &e;
}

TEncoding* TEncoding::BigEndianUnicode() {
  static TUTF16Encoding e(true);
  return &e;
}

bool TEncoding::IsStandardEncoding(const TEncoding* AEncoding) {
  return AEncoding != nullptr &&
         (AEncoding == ANSI() || AEncoding == OEM() || AEncoding == ASCII() || AEncoding == UTF8() ||
          AEncoding == Unicode() || AEncoding == BigEndianUnicode());
}

int TEncoding::GetBufferEncoding(const QByteArray& Buffer, TEncoding*& AEncoding,
                                 TEncoding* ADefaultEncoding) {
  if (AEncoding == nullptr) {
    for (TEncoding* e : {UTF8(), Unicode(), BigEndianUnicode()}) {
      const QByteArray mark = e->GetPreamble();
      if (Buffer.startsWith(mark)) {
        AEncoding = e;
        return mark.size();
      }
    }
    AEncoding = ADefaultEncoding != nullptr ? ADefaultEncoding : Default();
    return 0;
  }
  const QByteArray mark = AEncoding->GetPreamble();
  return !mark.isEmpty() && Buffer.startsWith(mark) ? mark.size() : 0;
}

QString TEncoding::GetString(const QByteArray& Bytes, int ByteIndex, int ByteCount) const {
  if (ByteIndex < 0 || ByteCount < 0 || ByteIndex > Bytes.size() - ByteCount)
    throw EArgumentOutOfRangeException(QStringLiteral("Argument out of range"));
  return GetString(Bytes.mid(ByteIndex, ByteCount));
}
