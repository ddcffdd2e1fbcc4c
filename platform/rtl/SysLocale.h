// The system locale's script facts that text drawing asks for, and the
// bidirectional mode of controls.
#pragma once

// How a control treats right-to-left scripts.
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

struct TSysLocale {
  // The user's language is written right to left (Arabic, Hebrew, Persian, Urdu ...).
  bool MiddleEast = false;
  // The user's language is Chinese, Japanese or Korean.
  bool FarEast = false;
};

// Read from the system's locale at start-up; tests set it (and restore it).
extern TSysLocale SysLocale;
