// Private helpers shared by the string grid's feature files.
#pragma once

#include <QString>

// The text without mini-HTML tags (everything from "<" to the next ">").
QString GridTextWithoutTags(const QString& S);
