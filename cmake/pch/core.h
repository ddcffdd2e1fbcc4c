// The part of the precompiled headers (layers.h, tests.h) that every unit shares:
// the standard library and the Qt core types that the public headers use.
#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
