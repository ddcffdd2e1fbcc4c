// Precompiled header of the layers above platform/: the standard library, the Qt
// core types and the platform headers that nearly every unit includes. The
// platform headers declare Qt's widget classes only forward, so nothing of
// QtGui/QtWidgets reaches the layers through this header.
#pragma once
#include "core.h"

#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/SysUtils.h"
#include "platform/Types.h"
#include "platform/XMLDoc.h"
