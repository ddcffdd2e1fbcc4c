// Colours that value kinds of cell graphics keep in the graphic's object
// slots: stored as plain values, never objects, never freed.
#pragma once

#include <QtGlobal>

#include "platform/gdi/Graphics.h"

inline TObject* ColorSlot(TColor Color) { return reinterpret_cast<TObject*>(quintptr(uint32_t(Color))); }

inline TColor SlotColor(TObject* Slot) { return TColor(uint32_t(reinterpret_cast<quintptr>(Slot))); }
