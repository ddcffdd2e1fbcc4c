#include "platform/rtl/IniFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringList>
#include <cstring>

#include "platform/rtl/Encodings.h"

namespace {

// How a file was read, so that it is written back the same way.
enum IniEncoding { encUtf8 = 0, encUtf8Bom, encUtf16LE, encUtf16BE };

struct IniText {
  QStringList lines;
  int encoding = encUtf8;
};

bool SameName(const QString& a, const QString& b) {
  return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

QStringList SplitLines(const QString& text) {
  QStringList lines;
  qsizetype start = 0;
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text[i];
    if (c != u'\r' && c != u'\n') continue;
    lines << text.mid(start, i - start);
    if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < n) lines << text.mid(start);
  return lines;
}

// The text after the file's byte-order mark. A further mark right after it is
// text (a zero-width no-break space), as it is for every other reader of the
// file: Qt's decoders would drop it as a second mark, so that a rewritten
// file, holding one mark less, read differently (its first line could become
// a section header).
QString DecodeAfterMark(const QByteArray& data, QStringConverter::Encoding encoding) {
  QStringDecoder dec(encoding, QStringConverter::Flag::ConvertInitialBom);
  return dec(data);
}

// Reads the file's lines; false when it does not exist. Raises EFOpenError
// when it exists but cannot be read.
bool ReadIniText(const QString& path, IniText& out) {
  out = IniText();
  if (path.isEmpty() || !QFileInfo(path).isFile()) return false;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly))
    throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, f.errorString()));
  const QByteArray data = f.readAll();
  const auto starts = [&](const char* bom, int n) {
    return data.size() >= n && std::memcmp(data.constData(), bom, n) == 0;
  };
  QString text;
  if (starts("\xEF\xBB\xBF", 3)) {
    out.encoding = encUtf8Bom;
    text = DecodeAfterMark(data.mid(3), QStringConverter::Utf8);
  } else if (starts("\xFF\xFE", 2)) {
    out.encoding = encUtf16LE;
    text = DecodeAfterMark(data.mid(2), QStringConverter::Utf16LE);
  } else if (starts("\xFE\xFF", 2)) {
    out.encoding = encUtf16BE;
    text = DecodeAfterMark(data.mid(2), QStringConverter::Utf16BE);
  } else {
    QStringDecoder dec(QStringConverter::Utf8);
    text = dec(data);
    if (dec.hasError()) text = TEncoding::ANSI()->GetString(data);
  }
  out.lines = SplitLines(text);
  return true;
}

// Writes the lines, each ended by CR LF; returns the failure text, "" on success.
QString WriteIniText(const QString& path, const QStringList& lines, int encoding) {
  QString text;
  for (const QString& l : lines) text += l + QLatin1String("\r\n");
  QByteArray bytes;
  switch (encoding) {
    case encUtf8Bom:
      bytes = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
      break;
    case encUtf16LE:
    case encUtf16BE: {
      const bool le = encoding == encUtf16LE;
      bytes = le ? QByteArray("\xFF\xFE", 2) : QByteArray("\xFE\xFF", 2);
      for (QChar c : std::as_const(text)) {
        const char lo = static_cast<char>(c.unicode() & 0xFF);
        const char hi = static_cast<char>(c.unicode() >> 8);
        bytes.append(le ? lo : hi);
        bytes.append(le ? hi : lo);
      }
      break;
    }
    default:
      bytes = text.toUtf8();
  }
  QSaveFile f(path);
  f.setDirectWriteFallback(true);
  if (!f.open(QIODevice::WriteOnly)) return f.errorString();
  if (f.write(bytes) != bytes.size() || !f.commit()) return f.errorString();
  return QString();
}

// "[Name]" (blanks around it and inside the brackets ignored).
bool IsHeader(const QString& line, QString* name = nullptr) {
  const QString s = Trim(line);
  if (s.size() < 2 || s.front() != u'[' || s.back() != u']') return false;
  if (name) *name = Trim(s.mid(1, s.size() - 2));
  return true;
}

// "key=value" inside a section.
bool IsKeyLine(const QString& line, QString* key = nullptr, QString* value = nullptr) {
  const QString s = Trim(line);
  if (s.isEmpty() || s.front() == u';' || IsHeader(s)) return false;
  const qsizetype eq = s.indexOf(u'=');
  if (eq <= 0) return false;
  const QString k = Trim(s.left(eq));
  if (k.isEmpty()) return false;
  if (key) *key = k;
  if (value) *value = Trim(s.mid(eq + 1));
  return true;
}

int FindHeader(const QStringList& lines, const QString& section, int from = 0) {
  QString name;
  for (int i = from; i < lines.size(); ++i)
    if (IsHeader(lines[i], &name) && SameName(name, section)) return i;
  return -1;
}

int SectionEnd(const QStringList& lines, int header) {
  int i = header + 1;
  while (i < lines.size() && !IsHeader(lines[i])) ++i;
  return i;
}

int FindKey(const QStringList& lines, int header, int end, const QString& ident,
            QString* key = nullptr, QString* value = nullptr) {
  QString k;
  QString v;
  for (int i = header + 1; i < end; ++i) {
    if (IsKeyLine(lines[i], &k, &v) && SameName(k, ident)) {
      if (key) *key = k;
      if (value) *value = v;
      return i;
    }
  }
  return -1;
}

// The lines of a file for reading: a missing or unreadable file has none.
QStringList LinesForReading(const QString& path) {
  IniText t;
  try {
    ReadIniText(path, t);
  } catch (const Exception&) {
    return QStringList();
  }
  return t.lines;
}

void Fill(TStrings* Strings, const QStringList& items) {
  if (!Strings) return;
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    for (const QString& s : items) Strings->Add(s);
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

}  // namespace

// ---------------------------------------------------------------------------
// TCustomIniFile

bool TCustomIniFile::SectionExists(const QString& Section) const {
  TStringList keys;
  ReadSection(Section, &keys);
  return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const QString& Section, const QString& Ident) const {
  TStringList keys;
  ReadSection(Section, &keys);
  return keys.IndexOf(Trim(Ident)) >= 0;
}

int TCustomIniFile::ReadInteger(const QString& Section, const QString& Ident, int Default) const {
  return StrToIntDef(ReadString(Section, Ident, QString()), Default);
}

void TCustomIniFile::WriteInteger(const QString& Section, const QString& Ident, int Value) {
  WriteString(Section, Ident, QString::number(Value));
}

bool TCustomIniFile::ReadBool(const QString& Section, const QString& Ident, bool Default) const {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const QString& Section, const QString& Ident, bool Value) {
  WriteString(Section, Ident, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

double TCustomIniFile::ReadFloat(const QString& Section, const QString& Ident,
                                 double Default) const {
  const QString s = ReadString(Section, Ident, QString());
  double v = 0;
  return !s.isEmpty() && TryStrToFloat(s, v) ? v : Default;
}

void TCustomIniFile::WriteFloat(const QString& Section, const QString& Ident, double Value) {
  WriteString(Section, Ident, FloatToStr(Value));
}

void TCustomIniFile::CheckWrite(const QString& Section, const QString& Ident,
                                const QString& Value) {
  const auto fail = [&](const QString& why) {
    throw EIniFileException(QStringLiteral("Cannot store key \"%1\" of section \"%2\": %3")
                                .arg(Ident, Section, why));
  };
  const auto hasBreak = [](const QString& s) {
    return s.contains(u'\r') || s.contains(u'\n');
  };
  if (hasBreak(Section) || hasBreak(Ident) || hasBreak(Value))
    fail(QStringLiteral("line breaks cannot be stored in an INI file"));
  const QString key = Trim(Ident);
  if (key.isEmpty()) fail(QStringLiteral("the key is empty"));
  if (key.contains(u'=')) fail(QStringLiteral("a key cannot contain \"=\""));
  if (key.startsWith(u'[') || key.startsWith(u';'))
    fail(QStringLiteral("a key cannot start with \"[\" or \";\""));
  if (Section.contains(u']')) fail(QStringLiteral("a section name cannot contain \"]\""));
}

// ---------------------------------------------------------------------------
// TIniFile

QString TIniFile::ReadString(const QString& Section, const QString& Ident,
                             const QString& Default) const {
  const QStringList lines = LinesForReading(FileName());
  const int h = FindHeader(lines, Trim(Section));
  if (h < 0) return Default;
  QString value;
  return FindKey(lines, h, SectionEnd(lines, h), Trim(Ident), nullptr, &value) >= 0
             ? value : Default;
}

namespace {
IniText ReadForWriting(const QString& path) {
  IniText t;
  try {
    ReadIniText(path, t);
  } catch (const Exception& e) {
    throw EIniFileException(QStringLiteral("Unable to write to \"%1\". %2").arg(path, e.Message()));
  }
  return t;
}

void WriteBack(const QString& path, const IniText& t) {
  const QString error = WriteIniText(path, t.lines, t.encoding);
  if (!error.isEmpty())
    throw EIniFileException(QStringLiteral("Unable to write to \"%1\". %2").arg(path, error));
}
}  // namespace

void TIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value) {
  CheckWrite(Section, Ident, Value);
  const QString section = Trim(Section);
  const QString ident = Trim(Ident);
  IniText t = ReadForWriting(FileName());
  const QStringList before = t.lines;
  QStringList& lines = t.lines;
  const int h = FindHeader(lines, section);
  if (h < 0) {
    // A new section goes to the end, after a blank line.
    if (!lines.isEmpty() && !Trim(lines.last()).isEmpty()) lines << QString();
    lines << u'[' + section + u']' << ident + u'=' + Value;
  } else {
    const int end = SectionEnd(lines, h);
    QString key;
    const int k = FindKey(lines, h, end, ident, &key);
    if (k >= 0) {
      lines[k] = key + u'=' + Value;
    } else {
      // A new key follows the section's last line, before its blank lines.
      int at = end;
      while (at > h + 1 && Trim(lines[at - 1]).isEmpty()) --at;
      lines.insert(at, ident + u'=' + Value);
    }
  }
  if (lines != before || !QFileInfo::exists(FileName())) WriteBack(FileName(), t);
}

void TIniFile::ReadSection(const QString& Section, TStrings* Strings) const {
  const QStringList lines = LinesForReading(FileName());
  QStringList keys;
  const int h = FindHeader(lines, Trim(Section));
  if (h >= 0) {
    QString key;
    for (int i = h + 1, end = SectionEnd(lines, h); i < end; ++i)
      if (IsKeyLine(lines[i], &key)) keys << key;
  }
  Fill(Strings, keys);
}

void TIniFile::ReadSections(TStrings* Strings) const {
  QStringList names;
  QString name;
  for (const QString& l : LinesForReading(FileName())) {
    if (!IsHeader(l, &name)) continue;
    bool seen = false;
    for (const QString& n : names) seen = seen || SameName(n, name);
    if (!seen) names << name;
  }
  Fill(Strings, names);
}

void TIniFile::ReadSectionValues(const QString& Section, TStrings* Strings) const {
  const QStringList lines = LinesForReading(FileName());
  QStringList items;
  const int h = FindHeader(lines, Trim(Section));
  if (h >= 0) {
    QString key;
    QString value;
    for (int i = h + 1, end = SectionEnd(lines, h); i < end; ++i)
      if (IsKeyLine(lines[i], &key, &value)) items << key + u'=' + value;
  }
  Fill(Strings, items);
}

void TIniFile::EraseSection(const QString& Section) {
  if (!QFileInfo::exists(FileName())) return;
  IniText t = ReadForWriting(FileName());
  bool changed = false;
  for (int h; (h = FindHeader(t.lines, Trim(Section))) >= 0;) {
    const int end = SectionEnd(t.lines, h);
    t.lines.erase(t.lines.begin() + h, t.lines.begin() + end);
    changed = true;
  }
  if (!changed) return;
  // The blank line that set off a removed last section goes with it.
  while (!t.lines.isEmpty() && Trim(t.lines.last()).isEmpty()) t.lines.removeLast();
  WriteBack(FileName(), t);
}

void TIniFile::DeleteKey(const QString& Section, const QString& Ident) {
  if (!QFileInfo::exists(FileName())) return;
  IniText t = ReadForWriting(FileName());
  const int h = FindHeader(t.lines, Trim(Section));
  if (h < 0) return;
  const int k = FindKey(t.lines, h, SectionEnd(t.lines, h), Trim(Ident));
  if (k < 0) return;
  t.lines.removeAt(k);
  WriteBack(FileName(), t);
}

// ---------------------------------------------------------------------------
// TMemIniFile

struct TMemIniFile::TSection {
  struct Entry {
    QString key;    // the whole line when hasValue is false
    QString value;
    bool hasValue = true;
  };
  QString name;
  std::vector<Entry> entries;

  Entry* Find(const QString& key) {
    for (Entry& e : entries)
      if (e.hasValue && SameName(e.key, key)) return &e;
    return nullptr;
  }
};

TMemIniFile::TMemIniFile(const QString& FileName) : TCustomIniFile(FileName) {
  IniText t;
  if (ReadIniText(FileName, t)) {
    FEncoding = t.encoding;
    LoadLines(t.lines);
  }
}

TMemIniFile::~TMemIniFile() = default;

TMemIniFile::TSection* TMemIniFile::FindSection(const QString& Name) {
  for (auto& s : FSections)
    if (SameName(s->name, Name)) return s.get();
  return nullptr;
}

const TMemIniFile::TSection* TMemIniFile::FindSection(const QString& Name) const {
  return const_cast<TMemIniFile*>(this)->FindSection(Name);
}

void TMemIniFile::LoadLines(const QStringList& lines) {
  FSections.clear();
  TSection* current = nullptr;
  QString name;
  QString key;
  QString value;
  for (const QString& line : lines) {
    const QString s = Trim(line);
    if (s.isEmpty() || s.front() == u';') continue;
    if (IsHeader(s, &name)) {
      current = FindSection(name);  // a repeated section continues the first one
      if (!current) {
        FSections.push_back(std::make_unique<TSection>());
        current = FSections.back().get();
        current->name = name;
      }
    } else if (current) {
      if (IsKeyLine(s, &key, &value))
        current->entries.push_back({key, value, true});
      else
        current->entries.push_back({s, QString(), false});
    }
  }
}

QStringList TMemIniFile::Lines() const {
  QStringList lines;
  for (const auto& s : FSections) {
    lines << u'[' + s->name + u']';
    for (const auto& e : s->entries) lines << (e.hasValue ? e.key + u'=' + e.value : e.key);
    lines << QString();
  }
  return lines;
}

QString TMemIniFile::ReadString(const QString& Section, const QString& Ident,
                                const QString& Default) const {
  const auto* s = FindSection(Trim(Section));
  if (!s) return Default;
  const auto* e = const_cast<TMemIniFile::TSection*>(s)->Find(Trim(Ident));
  return e ? e->value : Default;
}

void TMemIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value) {
  CheckWrite(Section, Ident, Value);
  const QString name = Trim(Section);
  auto* s = FindSection(name);
  if (!s) {
    FSections.push_back(std::make_unique<TMemIniFile::TSection>());
    s = FSections.back().get();
    s->name = name;
  }
  if (auto* e = s->Find(Trim(Ident)))
    e->value = Value;
  else
    s->entries.push_back({Trim(Ident), Value, true});
}

void TMemIniFile::ReadSection(const QString& Section, TStrings* Strings) const {
  QStringList keys;
  if (const auto* s = FindSection(Trim(Section)))
    for (const auto& e : s->entries)
      if (e.hasValue) keys << e.key;
  Fill(Strings, keys);
}

void TMemIniFile::ReadSections(TStrings* Strings) const {
  QStringList names;
  for (const auto& s : FSections) names << s->name;
  Fill(Strings, names);
}

void TMemIniFile::ReadSectionValues(const QString& Section, TStrings* Strings) const {
  QStringList items;
  if (const auto* s = FindSection(Trim(Section)))
    for (const auto& e : s->entries) items << (e.hasValue ? e.key + u'=' + e.value : e.key);
  Fill(Strings, items);
}

void TMemIniFile::EraseSection(const QString& Section) {
  const QString name = Trim(Section);
  std::erase_if(FSections, [&](const auto& s) { return SameName(s->name, name); });
}

void TMemIniFile::DeleteKey(const QString& Section, const QString& Ident) {
  auto* s = FindSection(Trim(Section));
  if (!s) return;
  const QString key = Trim(Ident);
  for (auto it = s->entries.begin(); it != s->entries.end(); ++it) {
    if (it->hasValue && SameName(it->key, key)) {
      s->entries.erase(it);
      return;
    }
  }
}

void TMemIniFile::UpdateFile() {
  const QString error = WriteIniText(FFileName, Lines(), FEncoding);
  if (!error.isEmpty())
    throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(FFileName, error));
}

void TMemIniFile::Clear() { FSections.clear(); }

void TMemIniFile::GetStrings(TStrings* List) const { Fill(List, Lines()); }

void TMemIniFile::SetStrings(TStrings* List) {
  QStringList lines;
  if (List)
    for (int i = 0; i < List->Count(); ++i) lines << List->Strings(i);
  LoadLines(lines);
}

void TMemIniFile::Rename(const QString& FileName, bool Reload) {
  FFileName = FileName;
  if (!Reload) return;
  IniText t;
  if (ReadIniText(FileName, t)) {
    FEncoding = t.encoding;
    LoadLines(t.lines);
  } else {
    FEncoding = encUtf8;
    FSections.clear();
  }
}

// ---------------------------------------------------------------------------
// TRegistryIniFile

namespace {
QString& StoreFileOverride() {
  static QString name;
  return name;
}
}  // namespace

QString TRegistryIniFile::StoreFileName() {
  if (!StoreFileOverride().isEmpty()) return StoreFileOverride();
  QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (folder.isEmpty()) folder = QDir::homePath() + QStringLiteral("/.config");
  return folder + QStringLiteral("/zidi/registry.ini");
}

void TRegistryIniFile::SetStoreFileName(const QString& Value) { StoreFileOverride() = Value; }

TRegistryIniFile::TRegistryIniFile(const QString& FileName) : TCustomIniFile(FileName) {
  QString key = FileName;
  key.replace(u'/', u'\\');
  while (key.startsWith(u'\\')) key.remove(0, 1);
  while (key.endsWith(u'\\')) key.chop(1);
  FKey = key;
  FStore = std::make_unique<TIniFile>(StoreFileName());
}

TRegistryIniFile::~TRegistryIniFile() = default;

QString TRegistryIniFile::SectionName(const QString& Section) const {
  const QString s = Trim(Section);
  if (FKey.isEmpty()) return s;
  return s.isEmpty() ? FKey : FKey + u'\\' + s;
}

void TRegistryIniFile::PrepareWrite() const {
  QDir().mkpath(QFileInfo(FStore->FileName()).absolutePath());
}

QString TRegistryIniFile::ReadString(const QString& Section, const QString& Ident,
                                     const QString& Default) const {
  return FStore->ReadString(SectionName(Section), Ident, Default);
}

void TRegistryIniFile::WriteString(const QString& Section, const QString& Ident,
                                   const QString& Value) {
  CheckWrite(Section, Ident, Value);
  PrepareWrite();
  FStore->WriteString(SectionName(Section), Ident, Value);
}

void TRegistryIniFile::ReadSection(const QString& Section, TStrings* Strings) const {
  FStore->ReadSection(SectionName(Section), Strings);
}

void TRegistryIniFile::ReadSections(TStrings* Strings) const {
  TStringList all;
  FStore->ReadSections(&all);
  const QString prefix = FKey.isEmpty() ? QString() : FKey + u'\\';
  QStringList names;
  for (int i = 0; i < all.Count(); ++i) {
    const QString s = all[i];
    if (!s.startsWith(prefix, Qt::CaseInsensitive)) continue;
    const QString sub = s.mid(prefix.size()).section(u'\\', 0, 0);
    if (sub.isEmpty()) continue;
    bool seen = false;
    for (const QString& n : names) seen = seen || SameName(n, sub);
    if (!seen) names << sub;
  }
  Fill(Strings, names);
}

void TRegistryIniFile::ReadSectionValues(const QString& Section, TStrings* Strings) const {
  FStore->ReadSectionValues(SectionName(Section), Strings);
}

void TRegistryIniFile::EraseSection(const QString& Section) {
  const QString name = SectionName(Section);
  TStringList all;
  FStore->ReadSections(&all);
  for (int i = 0; i < all.Count(); ++i) {
    const QString s = all[i];
    if (SameName(s, name) || s.startsWith(name + u'\\', Qt::CaseInsensitive))
      FStore->EraseSection(s);
  }
}

void TRegistryIniFile::DeleteKey(const QString& Section, const QString& Ident) {
  FStore->DeleteKey(SectionName(Section), Ident);
}
