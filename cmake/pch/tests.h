// Precompiled header of the test programs: everything the layers see, the Qt
// modules the platform tests drive directly, and GoogleTest.
#pragma once
#include "platform.h"
#include "layers.h"

#include <QtTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/ui/TestHooks.h"
