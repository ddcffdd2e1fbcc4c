// The desktop's visual-styles library (themed drawing of buttons, check boxes,
// combo and spin buttons) and the version facts that decide whether it is used.
//
// This system has no visual styles: the real service reports them inactive, so
// every themed branch of the controls falls back to the classic look drawn by
// DrawFrameControl / DrawEdge. Tests replace the service (SetVisualStyles) with
// one that claims an active theme and records what it was asked to draw;
// SetVisualStyles(nullptr) restores the real one.
#pragma once

#include <QString>
#include <memory>

#include "platform/rtl/Types.h"
#include "platform/ui/WinApi.h"
#include "platform/gdi/WinGdi.h"

// Theme data opened for a window and a class list ("button", "combobox" ...).
using HTHEME = void*;

class IVisualStyles {
 public:
  virtual ~IVisualStyles() = default;
  // Whether the library can be loaded at all.
  virtual bool LibraryAvailable() = 0;
  virtual bool IsThemeActive() = 0;
  virtual bool IsAppThemed() = 0;
  // File name, colour-scheme name and size name of the running theme; false
  // when no theme runs.
  virtual bool GetCurrentThemeName(QString& FileName, QString& ColorName, QString& SizeName) = 0;
  // nullptr when the class has no theme data.
  virtual HTHEME OpenThemeData(HWND Wnd, const QString& ClassList) = 0;
  virtual void CloseThemeData(HTHEME Theme) = 0;
  virtual bool DrawThemeBackground(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect& R,
                                   const TRect* Clip) = 0;
  // Major file version of the common-controls library.
  virtual int CommonControlsMajorVersion() = 0;
  // The platform version (major, minor): 6.1 stands for "Windows 7".
  virtual void PlatformVersion(int& Major, int& Minor) = 0;
  // Whether the system library offers GetLocaleInfoEx (a Vista-or-later test).
  virtual bool HasLocaleInfoEx() = 0;
};

// The real service: no library, no active theme, common controls 6 and the
// fixed version 6.1, so every "XP or later" and "Vista or later" test holds.
class TNoVisualStyles : public IVisualStyles {
 public:
  bool LibraryAvailable() override { return false; }
  bool IsThemeActive() override { return false; }
  bool IsAppThemed() override { return false; }
  bool GetCurrentThemeName(QString&, QString&, QString&) override { return false; }
  HTHEME OpenThemeData(HWND, const QString&) override { return nullptr; }
  void CloseThemeData(HTHEME) override {}
  bool DrawThemeBackground(HTHEME, HDC, int, int, const TRect&, const TRect*) override {
    return false;
  }
  int CommonControlsMajorVersion() override { return 6; }
  void PlatformVersion(int& Major, int& Minor) override { Major = 6; Minor = 1; }
  bool HasLocaleInfoEx() override { return true; }
};

IVisualStyles& VisualStyles();
std::unique_ptr<IVisualStyles> SetVisualStyles(std::unique_ptr<IVisualStyles> Styles);
