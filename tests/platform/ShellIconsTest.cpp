// The shell's icons of files and folders.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "platform/gdi/Graphics.h"
#include "platform/os/ShellIcons.h"

namespace {

// Makes an empty file (or one holding Content) and returns its path.
QString MakeFile(const QTemporaryDir& Dir, const char* Name, const QByteArray& Content = {}) {
  const QString path = Dir.filePath(QString::fromUtf8(Name));
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(Content);
  return path;
}

TEST(ShellIcons, IconsOfFilesFoldersAndNamesAtBothSizes) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = MakeFile(dir, "notes.txt", "x");
  for (const QString& name : {dir.path(), file, QStringLiteral("missing/report.pdf"), QStringLiteral("noext")})
    for (int size : {SmallShellIconSize, LargeShellIconSize}) {
      std::unique_ptr<TIcon> icon = ShellIcons().Icon(name, size);
      ASSERT_TRUE(icon) << name.toStdString() << " " << size;
      EXPECT_EQ(icon->Width(), size);
      EXPECT_EQ(icon->Height(), size);
      EXPECT_FALSE(icon->Empty());
    }
  EXPECT_FALSE(ShellIcons().Icon(QString(), 16));
  EXPECT_FALSE(ShellIcons().Icon(file, 0));
}

// A folder and a file do not share their icon.
TEST(ShellIcons, FolderAndFileDiffer) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = MakeFile(dir, "a.bin");
  auto folder = ShellIcons().Icon(dir.path(), 16);
  auto plain = ShellIcons().Icon(file, 16);
  ASSERT_TRUE(folder && plain);
  EXPECT_NE(folder->ToImage(), plain->ToImage());
}

}  // namespace
