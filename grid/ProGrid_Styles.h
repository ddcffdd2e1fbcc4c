// The style presets, XP colour schemes and look names of the string grid.
#pragma once

#include <QString>

#include "controls/ProStyleIF.h"

// The sixteen colour presets of SetStyle, in the order of TProStyle.
enum TProGridStyle {
  gsOffice2003Blue, gsOffice2003Silver, gsOffice2003Olive, gsOffice2003Classic,
  gsOffice2007Luna, gsOffice2007Obsidian, gsWindowsXP, gsWhidbey, gsCustom, gsOffice2007Silver,
  gsWindowsVista, gsWindows7, gsTerminal, gsOffice2010Blue, gsOffice2010Silver,
  gsOffice2010Black
};

// The XP colour schemes of SetTheme.
enum TXPColorScheme { xpNone, xpBlue, xpGreen, xpGray, vistaAero };
