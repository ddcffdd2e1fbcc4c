// The visual-styles API as the grid library uses it: bound once at start-up
// (LoadThemeLibrary) and released at shutdown (FreeThemeLibrary). While it is
// not bound (no library on the system), every call answers "nothing themed":
// IsThemeActive false, OpenThemeData nullptr, DrawThemeBackground false, and
// the callers draw the classic look instead.
#pragma once

#include <QString>

#include "platform/ui/UxTheme.h"

// Binds the library when the system has it; a second call does nothing while it
// is bound. True when it is bound afterwards.
bool LoadThemeLibrary();
void FreeThemeLibrary();
bool ThemeLibraryLoaded();

// The bound functions; each binds the library first when that has not happened.
bool IsThemeActive();
bool IsAppThemed();
bool GetCurrentThemeName(QString& FileName, QString& ColorName, QString& SizeName);
HTHEME OpenThemeData(HWND Wnd, const QString& ClassList);
void CloseThemeData(HTHEME Theme);
bool DrawThemeBackground(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect& R,
                         const TRect* Clip);

// Opens the theme data of ClassList for Wnd, draws one part and closes the data
// again. False (nothing drawn) when there is no theme data.
bool DrawThemedPart(HWND Wnd, const QString& ClassList, HDC DC, int PartId, int StateId,
                    const TRect& R);
