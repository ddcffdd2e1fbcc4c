// The INI reader: TMemIniFile and TIniFile on the input as the file.
// Round trips: what TMemIniFile::UpdateFile writes reads back to the same
// sections, keys and values; a value TIniFile writes into the file reads back
// unchanged, and the rest of the file keeps its values.
#include "FuzzSupport.h"

#include <QFile>

#include "platform/rtl/Classes.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SysUtils.h"

namespace {

// Every section with its keys and values, as read through the common interface;
// sections without keys left out when SkipEmpty.
QString Dump(const TCustomIniFile& Ini, bool SkipEmpty = false) {
  QString out;
  TStringList sections;
  Ini.ReadSections(&sections);
  for (int s = 0; s < sections.Count(); ++s) {
    TStringList keys;
    Ini.ReadSection(sections[s], &keys);
    if (SkipEmpty && keys.Count() == 0) continue;
    out += QStringLiteral("[%1]\n").arg(sections[s]);
    for (int k = 0; k < keys.Count(); ++k)
      out += QStringLiteral("%1=%2\n").arg(keys[k], Ini.ReadString(sections[s], keys[k], QStringLiteral("<none>")));
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const QString in = Fuzz::ScratchDir() + QStringLiteral("/in.ini");
  const QString out = Fuzz::ScratchDir() + QStringLiteral("/out.ini");
  Fuzz::WriteFile(in, Fuzz::Bytes(Data, Size));
  QFile::remove(out);

  TMemIniFile mem(in);
  const QString read = Dump(mem);
  (void)mem.ReadInteger(QStringLiteral("Grid"), QStringLiteral("ColCount"), 0);
  (void)mem.ReadFloat(QStringLiteral("Grid"), QStringLiteral("Zoom"), 1.0);
  (void)mem.ReadBool(QStringLiteral("Grid"), QStringLiteral("Visible"), true);
  mem.Rename(out, false);
  mem.UpdateFile();
  TMemIniFile back(out);
  Fuzz::Check("what TMemIniFile writes reads back the same", read, Dump(back));

  // The file read line by line (a repeated section is not merged here, as the
  // system's own reader does not merge it either).
  TIniFile file(in);
  (void)Dump(file);
  // One value written into the file: it reads back, and so does everything else.
  const QString value = Trim(Fuzz::Text(Data, Size).section(QLatin1Char('\n'), 0, 0).remove(QLatin1Char('\r')));
  try {
    file.WriteString(QStringLiteral("Fuzz"), QStringLiteral("Key"), value);
  } catch (const EIniFileException&) {
    return 0;  // a text the form cannot hold is refused before anything is written
  }
  Fuzz::Check("a value written reads back", value, file.ReadString(QStringLiteral("Fuzz"), QStringLiteral("Key"), QStringLiteral("<none>")));
  TMemIniFile after(in);
  after.DeleteKey(QStringLiteral("Fuzz"), QStringLiteral("Key"));
  TMemIniFile before(out);
  before.DeleteKey(QStringLiteral("Fuzz"), QStringLiteral("Key"));
  Fuzz::Check("writing one value keeps the others", Dump(before, true), Dump(after, true));
  return 0;
}
