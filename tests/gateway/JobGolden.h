// The golden job files are kept indented for reading.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QString>

// A golden job file as written: no whitespace between its elements and
// nothing after the root.
inline QByteArray Compact_Golden(const QString& Path) {
  QFile f(Path);
  if (!f.open(QIODevice::ReadOnly)) return QByteArray("<missing golden>");
  QString Text = QString::fromUtf8(f.readAll());
  Text.replace(QRegularExpression(QStringLiteral(">\\s+<")), QStringLiteral("><"));
  return Text.trimmed().toUtf8();
}
