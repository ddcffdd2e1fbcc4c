// Golden byte images written by hand in a readable sparse form:
//   size <hex>            length of the image
//   <hex offset>: <hex bytes ...>   bytes from that offset on
// Every byte not listed is 0; "#" starts a remark.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <stdexcept>
#include <vector>

inline QByteArray Load_Golden_Bytes(const QString& Path) {
  QFile f(Path);
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
    throw std::runtime_error("cannot open golden file " + Path.toStdString());
  QByteArray Image;
  bool Sized = false;
  const QStringList Lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
  for (QString Line : Lines) {
    const int Hash = Line.indexOf(QLatin1Char('#'));
    if (Hash >= 0) Line.truncate(Hash);
    Line = Line.trimmed();
    if (Line.isEmpty()) continue;
    bool ok = false;
    if (Line.startsWith(QLatin1String("size "))) {
      Image = QByteArray(Line.mid(5).trimmed().toInt(&ok, 16), '\0');
      if (!ok) throw std::runtime_error("bad size line in " + Path.toStdString());
      Sized = true;
      continue;
    }
    const int Colon = Line.indexOf(QLatin1Char(':'));
    if (!Sized || Colon < 0) throw std::runtime_error("bad line in " + Path.toStdString());
    int Offset = Line.left(Colon).toInt(&ok, 16);
    if (!ok) throw std::runtime_error("bad offset in " + Path.toStdString());
    for (const QString& Digits : Line.mid(Colon + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      const int Value = Digits.toInt(&ok, 16);
      if (!ok || Value > 255 || Offset >= Image.size())
        throw std::runtime_error("bad byte in " + Path.toStdString());
      Image[Offset++] = static_cast<char>(Value);
    }
  }
  return Image;
}

inline QByteArray To_Bytes(const std::vector<uint8_t>& Buffer, int Length) {
  return QByteArray(reinterpret_cast<const char*>(Buffer.data()), Length);
}

// Lists the offsets where two images differ (at most 16), for readable failures.
inline QString Diff_Bytes(const QByteArray& Expected, const QByteArray& Actual) {
  QStringList Out;
  if (Expected.size() != Actual.size())
    Out << QStringLiteral("size %1 expected %2").arg(Actual.size(), 0, 16).arg(Expected.size(), 0, 16);
  const int n = std::min(Expected.size(), Actual.size());
  for (int i = 0; i < n && Out.size() < 16; ++i)
    if (Expected[i] != Actual[i])
      Out << QStringLiteral("%1: %2 expected %3")
                 .arg(i, 3, 16, QLatin1Char('0'))
                 .arg(uint8_t(Actual[i]), 2, 16, QLatin1Char('0'))
                 .arg(uint8_t(Expected[i]), 2, 16, QLatin1Char('0'));
  return Out.join(QLatin1Char('\n'));
}
