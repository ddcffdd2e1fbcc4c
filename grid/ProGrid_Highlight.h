// Highlight and error-mark tags in mini-HTML text.
#pragma once

#include <QString>

// S with every occurrence of Text (in its tag-free text) wrapped in <hi>..</hi>;
// DoCase compares case-sensitively. An empty Text changes nothing.
QString HilightText(bool DoCase, const QString& S, const QString& Text);
// S without its <hi> and </hi> tags, in any letter case.
QString UnHilightText(const QString& S);
// The same with the error tag <e>.
QString MarkText(bool DoCase, const QString& S, const QString& Text);
QString UnMarkText(const QString& S);
