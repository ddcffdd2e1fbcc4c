// The language switch: Load_Language rebuilds the text table for the language
// named in the settings file. Input: the language name, a NUL byte, then the
// bytes of that language's file (no NUL: the name only, and no file exists).
// A name that cannot be a file name is still handed to Load_Language.
#include "FuzzSupport.h"

#include <QDir>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const QByteArray input = Fuzz::Bytes(Data, Size);
  const int nul = input.indexOf('\0');
  const QString name = QString::fromUtf8(nul >= 0 ? input.left(nul) : input);
  static const QString dir = [] {
    const QString d = Fuzz::ScratchDir() + QStringLiteral("/LANGUAGE");
    QDir().mkpath(d);
    return d;
  }();
  Dir_Language = dir;
  // Only plain names get a file, written inside the scratch folder; the rest
  // of the folder is emptied so that earlier inputs leave nothing behind.
  for (const QString& old : QDir(dir).entryList(QDir::Files)) QFile::remove(dir + QLatin1Char('/') + old);
  const bool plain = !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
                     !name.contains(QChar(0)) && name != QLatin1String(".") && name != QLatin1String("..") &&
                     name.toUtf8().size() < 200;
  if (nul >= 0 && plain) Fuzz::WriteFile(dir + QLatin1Char('/') + name + QStringLiteral(".lng"), input.mid(nul + 1));
  Name_Language = name;
  Load_Language();
  Fuzz::Check("the text table holds 4200 texts", QStringLiteral("4200"), QString::number(SL_Language->Count()));
  Fuzz::Check("Num_Language_Str counts the table", QString::number(SL_Language->Count()),
              QString::number(Num_Language_Str));
  if (!(nul >= 0 && plain) && !FileExists(dir + QLatin1Char('/') + name + QStringLiteral(".lng")))
    Fuzz::Check("a missing language falls back to English", QStringLiteral("English"), Name_Language);
  return 0;
}
