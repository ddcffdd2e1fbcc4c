// Precompiled header of the layers above platform/: the standard library, the Qt
// core types and the platform headers that nearly every unit includes. The
// platform headers declare Qt's widget classes only forward, so nothing of
// QtGui/QtWidgets reaches the layers through this header.
#pragma once
#include "core.h"

#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/gdi/Graphics.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/XMLDoc.h"
