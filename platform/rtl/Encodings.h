// Text encodings of the framework (TEncoding). The "ANSI code page" is a fixed
// Windows-1252 table and the "OEM code page" a fixed CP850 table, so that files
// come out the same on every machine, whatever the system's locale.
#pragma once

#include <QByteArray>
#include <QString>

#include "platform/rtl/SysUtils.h"

// Converts between text and bytes. The standard encodings are shared objects
// that live as long as the program; never delete them.
class TEncoding {
 public:
  TEncoding(const TEncoding&) = delete;
  TEncoding& operator=(const TEncoding&) = delete;
  virtual ~TEncoding() = default;

  // Windows-1252 (the default). Characters outside it become "?".
  static TEncoding* ANSI();
  // 7-bit ASCII; other characters become "?", bytes above 127 read as "?".
  static TEncoding* ASCII();
  static TEncoding* UTF8();
  // UTF-16, little endian.
  static TEncoding* Unicode();
  // UTF-16, big endian.
  static TEncoding* BigEndianUnicode();
  // CP850. Characters outside it become "?".
  static TEncoding* OEM();
  // The encoding used where none is given: ANSI.
  static TEncoding* Default() { return ANSI(); }

  // The byte-order mark's length at the start of Buffer. With AEncoding
  // nullptr: looks for the marks of UTF-8, UTF-16 LE and UTF-16 BE and sets
  // AEncoding to the one found, else to ADefaultEncoding (ANSI when nullptr).
  // With AEncoding given: the length of its own mark when Buffer starts with it,
  // else 0.
  static int GetBufferEncoding(const QByteArray& Buffer, TEncoding*& AEncoding,
                               TEncoding* ADefaultEncoding = nullptr);
  static bool IsStandardEncoding(const TEncoding* AEncoding);

  virtual QByteArray GetBytes(const QString& S) const = 0;
  virtual QString GetString(const QByteArray& Bytes) const = 0;
  QString GetString(const QByteArray& Bytes, int ByteIndex, int ByteCount) const;
  // The byte-order mark written before the text; empty for the 8-bit encodings.
  virtual QByteArray GetPreamble() const { return QByteArray(); }
  // The Windows code page number (1252, 850, 20127, 65001, 1200, 1201).
  virtual int CodePage() const = 0;
  virtual QString EncodingName() const = 0;
  virtual bool IsSingleByte() const { return false; }

 protected:
  TEncoding() = default;
};
