// Small helpers shared by the tests.
#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

// Path of a file in the data/ folder next to the test source that asks for it.
#define TEST_DATA(name) \
  (QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/data/") + QStringLiteral(name))
