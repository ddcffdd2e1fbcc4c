// A visual-styles service for tests that claims an active theme and records
// what it is asked to draw.
#pragma once

#include <memory>
#include <vector>

#include "controls/ProXPVS.h"
#include "platform/os/Registry.h"
#include "platform/ui/UxTheme.h"

// A visual-styles service with an active theme of a given colour scheme that
// records the parts it is asked to draw.
class TFakeStyles : public TNoVisualStyles {
 public:
  QString ColorName = "NormalColor";
  bool Active = true;
  struct Drawn { QString ClassList; int Part; int State; TRect R; };
  std::vector<Drawn> Log;
  QString Opened;
  bool LibraryAvailable() override { return true; }
  bool IsThemeActive() override { return Active; }
  bool IsAppThemed() override { return Active; }
  bool GetCurrentThemeName(QString& F, QString& C, QString& S) override {
    if (!Active) return false;
    F = "Luna.msstyles";
    C = ColorName;
    S = "NormalSize";
    return true;
  }
  HTHEME OpenThemeData(HWND, const QString& ClassList) override {
    Opened = ClassList;
    return Active ? this : nullptr;
  }
  bool DrawThemeBackground(HTHEME, HDC, int Part, int State, const TRect& R, const TRect*) override {
    Log.push_back({Opened, Part, State, R});
    return true;
  }
};

// Installs a registry fake of the test's own and the styles fake for its
// lifetime; the real services come back afterwards.
template <class TRegistry>
class TScopedThemeFakes {
 public:
  TScopedThemeFakes() {
    auto reg = std::make_unique<TRegistry>();
    Reg = reg.get();
    SetRegistryStore(std::move(reg));
    auto styles = std::make_unique<TFakeStyles>();
    Styles = styles.get();
    SetVisualStyles(std::move(styles));
  }
  ~TScopedThemeFakes() {
    SetRegistryStore(nullptr);
    SetVisualStyles(nullptr);
    FreeThemeLibrary();
  }
  TScopedThemeFakes(const TScopedThemeFakes&) = delete;
  TScopedThemeFakes& operator=(const TScopedThemeFakes&) = delete;
  TRegistry* Reg = nullptr;
  TFakeStyles* Styles = nullptr;
};
