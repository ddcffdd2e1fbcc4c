// Scrolling of the string grid: the drag-scroll directions and events, and the
// flat-scroll-bar functions of the common controls the grid looks up.
#pragma once

#include <QString>
#include <functional>

#include "platform/rtl/Types.h"
#include "platform/ui/WinApi.h"

class TObject;

// The directions a drag over the grid's edges scrolls in.
enum TDragScrollDirectionItem { dsdUp, dsdDown, dsdLeft, dsdRight };
using TDragScrollDirection = TSet<TDragScrollDirectionItem, 8>;

// The scroll hint's text for column or row ARow; the handler may change it.
using TScrollHintEvent = std::function<void(TObject* Sender, int ARow, QString& hintstr)>;
// One drag-scroll step: the handler may change the direction or refuse the step.
using TDragScrollEvent = std::function<void(TObject* Sender, int TopRow, int LeftCol,
                                            TDragScrollDirection& DragScrollDir, bool& CanScroll)>;
// The in-cell scroll bar of the cell moved.
using TScrollCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, int ScrollPosition,
                                            int ScrollMin, int ScrollMax)>;

// Properties of the flat scroll bars (FlatSB_SetScrollProp).
constexpr int WSB_PROP_CYVSCROLL = 0x00000001;
constexpr int WSB_PROP_CXHSCROLL = 0x00000002;
constexpr int WSB_PROP_CYHSCROLL = 0x00000004;
constexpr int WSB_PROP_CXVSCROLL = 0x00000008;
constexpr int WSB_PROP_VBKGCOLOR = 0x00000040;
constexpr int WSB_PROP_HBKGCOLOR = 0x00000080;
constexpr int WSB_PROP_VSTYLE = 0x00000100;
constexpr int WSB_PROP_HSTYLE = 0x00000200;
// Flat-bar styles.
constexpr int FSB_REGULAR_MODE = 0;
constexpr int FSB_ENCARTA_MODE = 1;
constexpr int FSB_FLAT_MODE = 2;

// The flat-scroll-bar functions of the common controls, each empty when the
// library does not offer it. This platform's common controls offer none, so the
// grids keep their standard bars; a test may install a table of its own.
struct TFlatScrollBarApi {
  std::function<BOOL(HWND)> InitializeFlatSB;
  std::function<void(HWND)> UninitializeFlatSB;
  std::function<BOOL(HWND, int Index, int NewValue, BOOL Redraw)> FlatSB_SetScrollProp;
  std::function<BOOL(HWND, int Bar, BOOL Show)> FlatSB_ShowScrollBar;
  std::function<int(HWND, int Bar, const SCROLLINFO& Info, BOOL Redraw)> FlatSB_SetScrollInfo;
};

// The functions the grids look up at the moment of each call.
const TFlatScrollBarApi& FlatScrollBarApi();
// Replaces the table; returns the one it replaced.
TFlatScrollBarApi SetFlatScrollBarApi(TFlatScrollBarApi Api);
