// A visual-styles service for tests that claims an active theme and records
// what it is asked to draw.
#pragma once

#include <vector>

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
