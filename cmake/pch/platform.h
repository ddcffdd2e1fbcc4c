// Precompiled header of platform/: the shared one plus the Qt modules the
// stand-in framework is written on.
#pragma once
#include "core.h"
#include <QtCore>
#include <QtGui>
#include <QtWidgets>
