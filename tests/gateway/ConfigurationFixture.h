// A configuration folder in a temporary directory, made the open configuration
// of the program state for the length of one test.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "shell/UComon.h"

class ConfigurationFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FTemp.isValid());
    FSaved = {Dir_Exe, Dir_Master, Dir_Project, Name_Project};
    Dir_Exe = FTemp.path();
    Dir_Master = Dir_Exe + QStringLiteral("/MASTER");
    Name_Project = QStringLiteral("Plant 1");
    Dir_Project = Dir_Exe + QStringLiteral("/PROJECTS/Plant 1");
    ASSERT_TRUE(QDir().mkpath(Dir_Project + QStringLiteral("/bin")));
    Set_Files();
  }
  void TearDown() override {
    Dir_Exe = FSaved[0];
    Dir_Master = FSaved[1];
    Dir_Project = FSaved[2];
    Name_Project = FSaved[3];
    Set_Files();
  }

  static void Write_File(const QString& Path, const QByteArray& Content) {
    QFile f(Path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << Path.toStdString();
    ASSERT_EQ(f.write(Content), Content.size());
  }
  static QByteArray Read_File(const QString& Path) {
    QFile f(Path);
    if (!f.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
    return f.readAll();
  }
  // Copies the files of a data folder into the configuration folder.
  void Use_Data(const QString& Folder) {
    const QDir Source(Folder);
    for (const QString& Name : Source.entryList(QDir::Files))
      Write_File(Dir_Project + QLatin1Char('/') + Name, Read_File(Source.filePath(Name)));
  }
  QString Bank1() const { return Dir_Project + QStringLiteral("/bin/bank1.bin"); }
  QString Bank2() const { return Dir_Project + QStringLiteral("/bin/bank2.bin"); }

  QTemporaryDir FTemp;
  std::array<QString, 4> FSaved;
};
