#include "controls/ProXPVS.h"

namespace {

bool gLoaded = false;

bool Bound() { return gLoaded || LoadThemeLibrary(); }

}  // namespace

bool LoadThemeLibrary() {
  if (gLoaded) return true;
  gLoaded = VisualStyles().LibraryAvailable();
  return gLoaded;
}

void FreeThemeLibrary() { gLoaded = false; }

bool ThemeLibraryLoaded() { return gLoaded; }

bool IsThemeActive() { return Bound() && VisualStyles().IsThemeActive(); }

bool IsAppThemed() { return Bound() && VisualStyles().IsAppThemed(); }

bool GetCurrentThemeName(QString& FileName, QString& ColorName, QString& SizeName) {
  return Bound() && VisualStyles().GetCurrentThemeName(FileName, ColorName, SizeName);
}

HTHEME OpenThemeData(HWND Wnd, const QString& ClassList) {
  return Bound() ? VisualStyles().OpenThemeData(Wnd, ClassList) : nullptr;
}

void CloseThemeData(HTHEME Theme) {
  if (Theme != nullptr && Bound()) VisualStyles().CloseThemeData(Theme);
}

bool DrawThemeBackground(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect& R,
                         const TRect* Clip) {
  return Theme != nullptr && Bound() &&
         VisualStyles().DrawThemeBackground(Theme, DC, PartId, StateId, R, Clip);
}

bool DrawThemedPart(HWND Wnd, const QString& ClassList, HDC DC, int PartId, int StateId,
                    const TRect& R) {
  HTHEME theme = OpenThemeData(Wnd, ClassList);
  if (theme == nullptr) return false;
  const bool drawn = DrawThemeBackground(theme, DC, PartId, StateId, R, nullptr);
  CloseThemeData(theme);
  return drawn;
}
