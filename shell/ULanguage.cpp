#include "shell/ULanguage.h"

#include <QFile>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "shell/UComon.h"

// The built-in texts live in a resource of this static library; the
// initialiser has to be pulled in explicitly or the linker drops it.
static void InitTextResource() { Q_INIT_RESOURCE(ULanguage); }

std::unique_ptr<TStringList> SL_Language;
int Num_Language_Str = 0;

namespace {

constexpr int kNumTexts = 4200;
const QChar kPilcrow(0x00B6);

QString Unescape(const QString& S) {
  QString R;
  R.reserve(S.size());
  for (int i = 0; i < S.size(); ++i) {
    const QChar c = S.at(i);
    if (c != QLatin1Char('\\') || i + 1 >= S.size()) {
      R += c;
      continue;
    }
    const QChar e = S.at(++i);
    if (e == QLatin1Char('t')) R += QLatin1Char('\t');
    else if (e == QLatin1Char('n')) R += QLatin1Char('\n');
    else if (e == QLatin1Char('r')) R += QLatin1Char('\r');
    else R += e;
  }
  return R;
}

// The built-in English texts, read once from the resource file. Its lines are
// "<number><TAB>"<text>"" (comment lines start with "#"); the quotes keep the
// leading and trailing blanks that many texts need.
const std::vector<QString>& DefaultTexts() {
  static const std::vector<QString> texts = [] {
    InitTextResource();
    std::vector<QString> t(kNumTexts, QStringLiteral(" "));
    QFile f(QStringLiteral(":/shell/texts/DefaultTexts.txt"));
    if (!f.open(QIODevice::ReadOnly))
      throw EFOpenError(QStringLiteral("The built-in texts are missing"));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
      const QString& line = lines.at(i);
      if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
      const int tab = line.indexOf(QLatin1Char('\t'));
      bool ok = false;
      const int n = tab > 0 ? line.left(tab).toInt(&ok) : -1;
      const QString quoted = tab > 0 ? line.mid(tab + 1) : QString();
      if (!ok || n < 0 || n >= kNumTexts || quoted.size() < 2 ||
          !quoted.startsWith(QLatin1Char('"')) || !quoted.endsWith(QLatin1Char('"')))
        throw EReadError(QStringLiteral("Built-in texts: bad line %1").arg(i + 1));
      t[n] = Unescape(quoted.mid(1, quoted.size() - 2));
    }
    return t;
  }();
  return texts;
}

// A whole decimal number with an optional sign; false for anything else.
bool ReadDecimal(const QString& S, int& Value) {
  if (S.isEmpty()) return false;
  int i = (S.at(0) == QLatin1Char('+') || S.at(0) == QLatin1Char('-')) ? 1 : 0;
  if (i == S.size()) return false;
  for (int k = i; k < S.size(); ++k)
    if (S.at(k) < QLatin1Char('0') || S.at(k) > QLatin1Char('9')) return false;
  bool ok = false;
  Value = S.toInt(&ok, 10);
  return ok;
}

}  // namespace

void Fill_Default_Texts() {
  if (!SL_Language) SL_Language = std::make_unique<TStringList>();
  const std::vector<QString>& texts = DefaultTexts();
  SL_Language->BeginUpdate();
  SL_Language->Clear();
  for (const QString& t : texts) SL_Language->Add(t);
  SL_Language->EndUpdate();
  Num_Language_Str = kNumTexts;
}

void Load_Lang_File(const QString& Path) {
  if (!SL_Language) Fill_Default_Texts();
  TStringList file;
  file.LoadFromFile(Path);
  for (int i = 0; i < file.Count(); ++i) {
    const QString line = Trim(file[i]);
    if (!line.startsWith(QLatin1String("STR"))) continue;
    // The number is everything between "STR" and the first "=", blanks
    // removed, so "STR12=x" and "STR12 = x" both address text 12.
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq < 0) continue;
    int n = -1;
    if (!ReadDecimal(Trim(line.mid(3, eq - 3)), n)) continue;
    if (n < 0 || n >= Num_Language_Str) continue;
    QString text = Trim(line.mid(eq + 1));
    const int remark = text.indexOf(QLatin1String("/#/"));
    if (remark >= 0) text = Trim(text.left(remark));
    // A line whose text is empty (or only a remark) leaves the entry alone.
    if (text.isEmpty()) continue;
    if (text.startsWith(kPilcrow)) text.remove(0, 1);
    const int pil = text.indexOf(kPilcrow);
    if (pil >= 0) text.truncate(pil);
    SL_Language->SetStrings(n, text);
  }
}

void Load_Language() {
  Fill_Default_Texts();
  const QString path = Dir_Language + QLatin1Char('/') + Name_Language + QLatin1String(".lng");
  if (FileExists(path)) {
    Load_Lang_File(path);
    return;
  }
  Name_Language = QStringLiteral("English");
  const QString english = Dir_Language + QLatin1String("/English.lng");
  if (FileExists(english)) Load_Lang_File(english);
}
