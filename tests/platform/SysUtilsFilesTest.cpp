// Files and folders: path routines, file operations and folder listings.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <cmath>

#include "platform/rtl/SysUtils.h"

namespace {

void Touch(const QString& path, const QByteArray& data = "x") {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(data);
}

// Every entry FindFirst/FindNext report for the mask, as "name:attr".
QStringList List(const QString& path, int attr) {
  QStringList r;
  TSearchRec sr;
  if (FindFirst(path, attr, sr) == 0) {
    do {
      QString flags;
      if (sr.Attr & faDirectory) flags += u'D';
      if (sr.Attr & faHidden) flags += u'H';
      if (sr.Attr & faSysFile) flags += u'S';
      r << sr.Name + u':' + flags;
    } while (FindNext(sr) == 0);
    FindClose(sr);
  }
  return r;
}

}  // namespace

TEST(PathRoutines, BothDelimiters) {
  struct {
    const char* name;
    const char* path;
    const char* dir;
    const char* file;
    const char* ext;
  } cases[] = {
      {"/a/b/c.txt", "/a/b/", "/a/b", "c.txt", ".txt"},
      {"C:\\cfg\\PROJECTS\\p1\\ParGen.xml", "C:\\cfg\\PROJECTS\\p1\\", "C:\\cfg\\PROJECTS\\p1",
       "ParGen.xml", ".xml"},
      {"dir\\sub/file.tar.gz", "dir\\sub/", "dir\\sub", "file.tar.gz", ".gz"},
      {"/a.b/c", "/a.b/", "/a.b", "c", ""},
      {"/file", "/", "/", "file", ""},
      {"file", "", "", "file", ""},
      {"/a/b/", "/a/b/", "/a/b", "", ""},
      {".hidden", "", "", ".hidden", ".hidden"},
      {"", "", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString n = QString::fromLatin1(c.name);
    EXPECT_EQ(ExtractFilePath(n), c.path);
    EXPECT_EQ(ExtractFileDir(n), c.dir);
    EXPECT_EQ(ExtractFileName(n), c.file);
    EXPECT_EQ(ExtractFileExt(n), c.ext);
  }
  EXPECT_EQ(ChangeFileExt("a/b.c/d.txt", ".bak"), "a/b.c/d.bak");
  EXPECT_EQ(ChangeFileExt("a\\b.c\\d", ".bak"), "a\\b.c\\d.bak");
  EXPECT_EQ(ChangeFileExt("d.txt", ""), "d");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\a\\"), "C:\\a\\");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("a\\"), "a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/a"), "/a");
}

TEST(PathRoutines, ExpandFileName) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  // The working folder comes back however the test ends (before the folder goes).
  const auto restore = qScopeGuard([saved = GetCurrentDir()] { SetCurrentDir(saved); });
  ASSERT_TRUE(SetCurrentDir(tmp.path()));
  const QString base = QDir(tmp.path()).canonicalPath();
  EXPECT_EQ(QDir(ExpandFileName(".")).canonicalPath(), base);
  EXPECT_EQ(ExpandFileName("x/../y/./z.txt"), GetCurrentDir() + "/y/z.txt");
  EXPECT_EQ(ExpandFileName("a\\b\\"), GetCurrentDir() + "/a/b/");
  EXPECT_EQ(ExpandFileName("/p/q/../r"), "/p/r");
}

TEST(FileRoutines, CreateRenameDelete) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const QString root = tmp.path() + "/";

  EXPECT_TRUE(ForceDirectories(root + "a/b\\c"));  // "\" is a folder delimiter
  EXPECT_TRUE(DirectoryExists(root + "a/b/c"));
  EXPECT_TRUE(ForceDirectories(root + "a/b/c/"));  // already there
  EXPECT_THROW(ForceDirectories(""), EInOutError);
  EXPECT_FALSE(CreateDir(root + "a"));  // exists
  EXPECT_FALSE(CreateDir(root + "x/y"));  // parent missing
  EXPECT_TRUE(CreateDir(root + "x"));

  Touch(root + "a/f.txt");
  EXPECT_TRUE(FileExists(root + "a/f.txt"));
  EXPECT_TRUE(FileExists(root + "a\\f.txt"));
  EXPECT_FALSE(FileExists(root + "a"));  // a folder is no file
  EXPECT_FALSE(DirectoryExists(root + "a/f.txt"));
  EXPECT_FALSE(FileExists(""));

  Touch(root + "g.txt");
  EXPECT_FALSE(RenameFile(root + "g.txt", root + "a/f.txt")) << "never replaces";
  EXPECT_TRUE(FileExists(root + "g.txt"));
  EXPECT_TRUE(RenameFile(root + "g.txt", root + "x/h.txt"));
  EXPECT_TRUE(FileExists(root + "x/h.txt"));
  EXPECT_TRUE(RenameFile(root + "x", root + "x2"));  // folders too
  EXPECT_TRUE(FileExists(root + "x2/h.txt"));

  EXPECT_FALSE(DeleteFile(root + "x2"));  // not a folder
  EXPECT_FALSE(RemoveDir(root + "x2"));   // not empty
  EXPECT_TRUE(DeleteFile(root + "x2/h.txt"));
  EXPECT_FALSE(DeleteFile(root + "x2/h.txt"));
  EXPECT_TRUE(RemoveDir(root + "x2"));
  EXPECT_FALSE(DirectoryExists(root + "x2"));
}

TEST(FileRoutines, FileAgeAndPackedDates) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  Touch(tmp.path() + "/f");
  TDateTime age = 0;
  ASSERT_TRUE(FileAge(tmp.path() + "/f", age));
  EXPECT_LT(std::fabs(age - Now()), 1.0 / 24) << "written just now";
  EXPECT_FALSE(FileAge(tmp.path() + "/missing", age));
  EXPECT_FALSE(FileAge(tmp.path(), age));

  const TDateTime t = EncodeDateTime(2026, 12, 10, 14, 35, 27, 0);
  const int packed = DateTimeToFileDate(t);
  // Two-second resolution: 27 s comes back as 26 s.
  EXPECT_DOUBLE_EQ(FileDateToDateTime(packed), EncodeDateTime(2026, 12, 10, 14, 35, 26, 0));
  EXPECT_EQ(DateTimeToFileDate(EncodeDate(1979, 12, 31)), 0);
}

TEST(FindFirst, FilesAlwaysFoldersAndHiddenOnRequest) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const QString root = tmp.path() + "/";
  Touch(root + "b.lng", "12345");
  Touch(root + "a.lng");
  Touch(root + "A.LNG");
  Touch(root + "c.txt");
  Touch(root + ".h.lng");
  ASSERT_TRUE(CreateDir(root + "dir.lng"));
  ASSERT_TRUE(CreateDir(root + ".hdir"));

  EXPECT_EQ(List(root + "*.lng", 0), QStringList({"a.lng:", "b.lng:"}));
  EXPECT_EQ(List(root + "*.lng", faAnyFile & ~faDirectory & ~faHidden),
            QStringList({"a.lng:", "b.lng:"}));
  EXPECT_EQ(List(root + "*.lng", faDirectory), QStringList({"a.lng:", "b.lng:", "dir.lng:D"}));
  EXPECT_EQ(List(root + "*.lng", faHidden), QStringList({".h.lng:H", "a.lng:", "b.lng:"}));
  EXPECT_EQ(List(root + "*", faDirectory),
            QStringList({".:D", "..:D", "A.LNG:", "a.lng:", "b.lng:", "c.txt:", "dir.lng:D"}));
  EXPECT_EQ(List(root + "*.*", faAnyFile),
            QStringList({".:D", "..:D", ".h.lng:H", ".hdir:DH", "A.LNG:", "a.lng:", "b.lng:",
                         "c.txt:", "dir.lng:D"}));
  EXPECT_EQ(List(root + "?.lng", 0), QStringList({"a.lng:", "b.lng:"}));  // case as stored
  EXPECT_EQ(List(root + "b*", 0), QStringList({"b.lng:"}));
  EXPECT_EQ(List(root + "c.txt", 0), QStringList({"c.txt:"}));

  TSearchRec sr;
  ASSERT_EQ(FindFirst(root + "b.lng", faAnyFile, sr), 0);
  EXPECT_EQ(sr.Size, 5);
  EXPECT_TRUE(sr.Attr & faArchive);
  EXPECT_FALSE(sr.Attr & faReadOnly);
  EXPECT_NE(sr.Time, 0);
  EXPECT_EQ(FindNext(sr), 18);
  FindClose(sr);

  EXPECT_EQ(FindFirst(root + "*.none", faAnyFile, sr), 2);
  EXPECT_EQ(FindFirst(root + "missing/*", faAnyFile, sr), 3);
  EXPECT_EQ(List(root.chopped(1) + "\\*.txt", 0), QStringList({"c.txt:"}));  // "\" in the path
}
