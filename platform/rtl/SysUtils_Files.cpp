// Files and folders: existence, creation, removal, renaming, path routines,
// folder listings (FindFirst/FindNext/FindClose) and file dates.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>

#include "platform/rtl/SysUtils.h"

namespace {

const QString kDelimiters = QStringLiteral("/\\");

inline bool IsDelim(QChar c) { return c == u'/' || c == u'\\'; }

// The path as the file system takes it: a "\" is a folder delimiter.
QString FsPath(const QString& path) {
  QString r = path;
  r.replace(u'\\', u'/');
  return r;
}

QByteArray Native(const QString& path) { return QFile::encodeName(FsPath(path)); }

bool StatPath(const QString& path, struct stat& st) {
  if (path.isEmpty()) return false;
  return ::stat(Native(path).constData(), &st) == 0;
}

TDateTime LocalDateTimeOf(const struct timespec& ts) {
  const qint64 ms = static_cast<qint64>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
  const QDateTime local = QDateTime::fromMSecsSinceEpoch(ms).toLocalTime();
  const QDate d = local.date();
  const QTime t = local.time();
  TDateTime r = 0;  // a time outside the years 1 to 9999 reads as 0
  if (d.year() >= 1 && d.year() <= 9999)
    TryEncodeDateTime(static_cast<Word>(d.year()), static_cast<Word>(d.month()),
                      static_cast<Word>(d.day()), static_cast<Word>(t.hour()),
                      static_cast<Word>(t.minute()), static_cast<Word>(t.second()),
                      static_cast<Word>(t.msec()), r);
  return r;
}

}  // namespace

// ---------------------------------------------------------------------------
// Existence, creation, removal

bool FileExists(const QString& FileName) {
  struct stat st;
  return StatPath(FileName, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const QString& Directory) {
  struct stat st;
  return StatPath(Directory, st) && S_ISDIR(st.st_mode);
}

bool CreateDir(const QString& Dir) {
  if (Dir.isEmpty()) return false;
  return ::mkdir(Native(Dir).constData(), 0777) == 0;
}

bool ForceDirectories(const QString& Dir) {
  if (Dir.isEmpty()) throw EInOutError(QStringLiteral("Unable to create directory"));
  const QString dir = ExcludeTrailingPathDelimiter(FsPath(Dir));
  if (dir.isEmpty() || DirectoryExists(dir)) return true;
  const QString parent = ExtractFileDir(dir);
  if (!parent.isEmpty() && parent != dir && !ForceDirectories(parent)) return false;
  return CreateDir(dir) || DirectoryExists(dir);
}

bool RemoveDir(const QString& Dir) {
  if (Dir.isEmpty()) return false;
  return ::rmdir(Native(Dir).constData()) == 0;
}

bool DeleteFile(const QString& FileName) {
  struct stat st;
  if (FileName.isEmpty() || ::lstat(Native(FileName).constData(), &st) != 0 || S_ISDIR(st.st_mode))
    return false;
  return ::unlink(Native(FileName).constData()) == 0;
}

bool RenameFile(const QString& OldName, const QString& NewName) {
  if (OldName.isEmpty() || NewName.isEmpty()) return false;
  struct stat st;
  // The desktop's rename never replaces an existing entry.
  if (::lstat(Native(NewName).constData(), &st) == 0) return false;
  return ::rename(Native(OldName).constData(), Native(NewName).constData()) == 0;
}

QString GetCurrentDir() { return QDir::currentPath(); }

bool SetCurrentDir(const QString& Dir) { return QDir::setCurrent(FsPath(Dir)); }

// ---------------------------------------------------------------------------
// Path routines (both "/" and "\" are delimiters)

QString ExtractFilePath(const QString& FileName) {
  return FileName.left(LastDelimiter(kDelimiters, FileName));
}

QString ExtractFileDir(const QString& FileName) {
  int i = LastDelimiter(kDelimiters, FileName);  // 1-based
  // Drop the delimiter unless it is the first character or follows another one.
  if (i > 1 && !IsDelimiter(kDelimiters, FileName, i - 1)) --i;
  return FileName.left(i);
}

QString ExtractFileName(const QString& FileName) {
  return FileName.mid(LastDelimiter(kDelimiters, FileName));
}

QString ExtractFileExt(const QString& FileName) {
  const int i = LastDelimiter(QStringLiteral(".") + kDelimiters, FileName);  // 1-based
  if (i > 0 && FileName[i - 1] == u'.') return FileName.mid(i - 1);
  return QString();
}

QString ChangeFileExt(const QString& FileName, const QString& Extension) {
  const int i = LastDelimiter(QStringLiteral(".") + kDelimiters, FileName);  // 1-based
  if (i > 0 && FileName[i - 1] == u'.') return FileName.left(i - 1) + Extension;
  return FileName + Extension;
}

bool IsPathDelimiter(const QString& S, int Index) { return IsDelimiter(kDelimiters, S, Index); }

QString IncludeTrailingPathDelimiter(const QString& S) {
  if (!S.isEmpty() && IsDelim(S.back())) return S;
  return S + PathDelim;
}

QString ExcludeTrailingPathDelimiter(const QString& S) {
  if (!S.isEmpty() && IsDelim(S.back())) return S.left(S.size() - 1);
  return S;
}

QString ExpandFileName(const QString& FileName) {
  if (FileName.isEmpty()) return QString();
  const QString path = FsPath(FileName);
  QString r = QDir::cleanPath(QDir::current().absoluteFilePath(path));
  if (path.endsWith(u'/') && !r.endsWith(u'/')) r += u'/';
  return r;
}

// ---------------------------------------------------------------------------
// File dates

TDateTime FileDateToDateTime(int FileDate) {
  const uint32_t v = static_cast<uint32_t>(FileDate);
  const int date = static_cast<int>(v >> 16);
  const int time = static_cast<int>(v & 0xFFFF);
  return EncodeDateTime((date >> 9) + 1980, (date >> 5) & 15, date & 31, time >> 11,
                        (time >> 5) & 63, (time & 31) * 2, 0);
}

int DateTimeToFileDate(TDateTime DateTime) {
  Word y, mo, d, h, mi, s, ms;
  DecodeDateTime(DateTime, y, mo, d, h, mi, s, ms);
  if (y < 1980 || y > 2107) return 0;
  const uint32_t date = (static_cast<uint32_t>(y - 1980) << 9) | (mo << 5) | d;
  const uint32_t time = (static_cast<uint32_t>(h) << 11) | (mi << 5) | (s / 2);
  return static_cast<int>((date << 16) | time);
}

bool FileAge(const QString& FileName, TDateTime& FileDateTime) {
  struct stat st;
  if (!StatPath(FileName, st) || S_ISDIR(st.st_mode)) return false;
  FileDateTime = LocalDateTimeOf(st.st_mtim);
  return true;
}

// ---------------------------------------------------------------------------
// Folder listings

struct TSearchState {
  struct Entry {
    QString Name;
    int Attr = 0;
    Int64 Size = 0;
    TDateTime Stamp = 0;
  };
  std::vector<Entry> Entries;
  std::size_t Next = 0;
};

namespace {

// "*" any run of characters, "?" one character; everything else as it stands.
bool MatchesMask(QStringView name, QStringView mask) {
  qsizetype n = 0, m = 0, starM = -1, starN = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == u'?' || mask[m] == name[n])) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == u'*') {
      starM = m++;
      starN = n;
    } else if (starM >= 0) {
      m = starM + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == u'*') ++m;
  return m == mask.size();
}

void Fill(TSearchRec& F) {
  auto& e = F.FindHandle->Entries[F.FindHandle->Next++];
  F.Name = e.Name;
  F.Attr = e.Attr;
  F.Size = e.Size;
  F.TimeStamp = e.Stamp;
  F.Time = DateTimeToFileDate(e.Stamp);
}

constexpr int kErrorFileNotFound = 2;
constexpr int kErrorPathNotFound = 3;
constexpr int kErrorNoMoreFiles = 18;

}  // namespace

int FindFirst(const QString& Path, int Attr, TSearchRec& F) {
  F.FindHandle.reset();
  const QString path = FsPath(Path);
  QString dir = ExtractFilePath(path);
  const QString mask = ExtractFileName(path);
  if (dir.isEmpty()) dir = QStringLiteral("./");
  F.ExcludeAttr = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);

  DIR* d = ::opendir(Native(dir).constData());
  if (!d) return kErrorPathNotFound;
  auto state = std::make_shared<TSearchState>();
  const bool all = mask == QLatin1String("*") || mask == QLatin1String("*.*");
  while (dirent* de = ::readdir(d)) {
    const QString name = QFile::decodeName(de->d_name);
    if (mask.isEmpty() || !(all || MatchesMask(name, mask))) continue;
    const QByteArray full = Native(dir) + de->d_name;
    struct stat st;
    if (::stat(full.constData(), &st) != 0 && ::lstat(full.constData(), &st) != 0) continue;
    TSearchState::Entry e;
    e.Name = name;
    const bool isDir = S_ISDIR(st.st_mode);
    e.Attr = isDir ? faDirectory : faArchive;
    if (name.startsWith(u'.') && name != QLatin1String(".") && name != QLatin1String(".."))
      e.Attr |= faHidden;
    if (::access(full.constData(), W_OK) != 0) e.Attr |= faReadOnly;
    if (e.Attr & F.ExcludeAttr) continue;
    e.Size = isDir ? 0 : static_cast<Int64>(st.st_size);
    e.Stamp = LocalDateTimeOf(st.st_mtim);
    state->Entries.push_back(std::move(e));
  }
  ::closedir(d);
  if (state->Entries.empty()) return kErrorFileNotFound;
  std::sort(state->Entries.begin(), state->Entries.end(),
            [](const TSearchState::Entry& a, const TSearchState::Entry& b) {
              return a.Name < b.Name;
            });
  F.FindHandle = std::move(state);
  Fill(F);
  return 0;
}

int FindNext(TSearchRec& F) {
  if (!F.FindHandle || F.FindHandle->Next >= F.FindHandle->Entries.size())
    return kErrorNoMoreFiles;
  Fill(F);
  return 0;
}

void FindClose(TSearchRec& F) { F.FindHandle.reset(); }
