#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/ui/Forms.h"
#include "platform/ui/TestHooks.h"

namespace Fuzz {

void InitApplication() {
  static bool done = false;
  if (done) return;
  done = true;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "fuzz";
  static char* argv[] = {name, nullptr};
  Application->Initialize(argc, argv);
  TestHooks::SetTestMode(true, [](const QString&) {});
}

void ProcessEvents() { Application->ProcessMessages(); }

const QString& ScratchDir() {
  static const std::unique_ptr<QTemporaryDir> dir = [] {
    // In memory when the system offers it: the readers and writers sync their
    // files, which on a disk costs most of the time of a run.
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    auto d = std::make_unique<QTemporaryDir>(base + QStringLiteral("/zidi-fuzz-XXXXXX"));
    if (!d->isValid()) {
      std::fprintf(stderr, "fuzz: no scratch folder\n");
      std::abort();
    }
    return d;
  }();
  static const QString path = dir->path();
  return path;
}

void WriteFile(const QString& Path, const QByteArray& Bytes) {
  QFile f(Path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(Bytes) != Bytes.size()) {
    std::fprintf(stderr, "fuzz: cannot write %s\n", qPrintable(Path));
    std::abort();
  }
}

QByteArray ReadFile(const QString& Path) {
  QFile f(Path);
  if (!f.open(QIODevice::ReadOnly)) return QByteArray();
  return f.readAll();
}

void Fail(const char* Property, const QString& Expected, const QString& Actual) {
  auto shown = [](const QString& s) {
    QString r;
    for (const QChar c : s)
      r += c.unicode() < 0x20 || c.unicode() == 0x7F ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'))
                                                       : QString(c);
    return r.toUtf8();
  };
  std::fprintf(stderr, "\n== property failed: %s\n   expected: \"%s\"\n   actual:   \"%s\"\n", Property,
               shown(Expected).constData(), shown(Actual).constData());
  std::abort();
}

TFormatSettings Locale(bool Comma) {
  TFormatSettings s = TFormatSettings::Create();
  if (Comma) {
    s.DecimalSeparator = u',';
    s.ThousandSeparator = u'.';
    s.DateSeparator = u'.';
    s.ShortDateFormat = QStringLiteral("dd.MM.yyyy");
  }
  return s;
}

}  // namespace Fuzz
