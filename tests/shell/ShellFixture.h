// A program folder of its own for each test, with the main window and the
// shell's windows created in their order, as the program block creates them.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "controls/LbButton.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/IniFiles.h"
#include "platform/ui/TestHooks.h"
#include "shell/UAbout.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/USoftOptions.h"
#include "shell/UVarneltoeFirmWare.h"

class ShellFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FDir.isValid());
    Set_Program_Folder(FDir.path());
    TRegistryIniFile::SetStoreFileName(FDir.filePath(QStringLiteral("registry.ini")));
    Name_Project = Dir_Project = QStringLiteral("stale");
  }
  void TearDown() override {
    Stop();
    Set_Program_Folder(QString());
    TRegistryIniFile::SetStoreFileName(QString());
    Name_Project.clear();
    Dir_Project.clear();
  }

  // Starts the program: the main window, then the new-configuration, open,
  // about and options windows.
  void Start() {
    Make(FVarneltoeFirmWare);
    Make(FNew_Project);
    Make(FOpenConf);
    Make(FAbout);
    Make(FSoftOptions);
  }
  // Ends it without closing the main window (nothing is saved).
  void Stop() {
    Free(FSoftOptions);
    Free(FAbout);
    Free(FOpenConf);
    Free(FNew_Project);
    Free(FVarneltoeFirmWare);
  }
  // Closes the main window as the user does, then ends the program.
  void CloseAndStop() {
    FVarneltoeFirmWare->Btn_Close->Click();
    Stop();
  }

  // Starts the program with the configuration Name open (its folder made).
  void StartWithConfiguration(const QString& Name) {
    MakeDir(QStringLiteral("PROJECTS/") + Name);
    Start();
    Name_Project = Name;
    Dir_Project = Dir_Projects + QLatin1Char('/') + Name;
    Set_Files();
  }

  QString Path(const QString& Relative) const { return FDir.filePath(Relative); }
  void MakeDir(const QString& Relative) const { ASSERT_TRUE(QDir().mkpath(Path(Relative))); }
  void WriteFile(const QString& Relative, const QByteArray& Bytes) const {
    QFile f(Path(Relative));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Bytes);
  }
  QByteArray ReadFile(const QString& Relative) const {
    QFile f(Path(Relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  static QString Text(int n) { return SL_Language->Strings(n); }

  // Creates a window as the program block does, and frees it again.
  template <typename T>
  static void Make(T*& Instance) {
    Instance = new T(nullptr);
    Instance->AfterConstruction();
  }
  template <typename T>
  static void Free(T*& Instance) {
    if (!Instance) return;
    T* form = Instance;
    form->BeforeDestruction();
    delete form;
    Instance = nullptr;
  }

  QTemporaryDir FDir;
};
