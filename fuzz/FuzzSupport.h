// Shared parts of the fuzz targets: the Qt application for targets that make
// controls, a scratch folder for readers that take a path, the input as text,
// and the failure of a round-trip property (which libFuzzer reports as a crash).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

#include "platform/rtl/SysUtils.h"

namespace Fuzz {

// Creates the offscreen Qt application and the platform's application object
// once; dialogs nobody answers return their cancel result.
void InitApplication();

// Handles the events that are waiting, as the program's event loop does between
// two user actions. Targets that show or change controls call it at the end of
// every input: Qt posts events for them (such as a repaint request per control
// shown) that nothing else delivers, and the queue kept every one of them
// (growing by a few kilobytes an input, out of reach of the leak checker).
void ProcessEvents();

// The process's scratch folder (removed at exit; in /dev/shm when there is
// one), without trailing "/".
const QString& ScratchDir();

// Writes Bytes to Path, replacing it; aborts when that fails (a broken harness,
// not a finding).
void WriteFile(const QString& Path, const QByteArray& Bytes);
QByteArray ReadFile(const QString& Path);

// The input as bytes / as UTF-8 text (bad sequences become U+FFFD).
inline QByteArray Bytes(const uint8_t* Data, size_t Size) {
  return QByteArray(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
}
inline QString Text(const uint8_t* Data, size_t Size) { return QString::fromUtf8(Bytes(Data, Size)); }

// The input's text split into lines at "\n" (a missing line reads as "").
class TLines {
 public:
  TLines(const uint8_t* Data, size_t Size) : FLines(Text(Data, Size).split(QLatin1Char('\n'))) {}
  QString operator[](int Index) const { return Index < FLines.size() ? FLines.at(Index) : QString(); }
  // Line Index and every line after it, joined again with "\n".
  QString From(int Index) const { return FLines.mid(Index).join(QLatin1Char('\n')); }
  // Character Pos of line Index, Default when the line is shorter.
  QChar CharAt(int Index, int Pos, QChar Default) const {
    const QString line = (*this)[Index];
    return Pos < line.size() ? line.at(Pos) : Default;
  }

 private:
  QStringList FLines;
};

// A round-trip property does not hold: prints what differs and aborts, so that
// libFuzzer saves the input as a crash.
[[noreturn]] void Fail(const char* Property, const QString& Expected, const QString& Actual);

// Fail unless Expected == Actual.
inline void Check(const char* Property, const QString& Expected, const QString& Actual) {
  if (Expected != Actual) Fail(Property, Expected, Actual);
}

// Regional settings for number and date targets: the system's, or with Comma
// a "," decimal, "." thousand and "dd.MM.yyyy" date locale.
TFormatSettings Locale(bool Comma);

}  // namespace Fuzz
