// What the grid's text editor and its edit-with-button editors share about
// typed, pasted and completed text (ProGrid_EditText.cpp).
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include "controls/BaseGrid.h"

class TCustomEdit;
class TProStringGrid;
class TStrings;

// Whether Ch may be typed into an editor of the text kind Kind (edNumeric,
// edPositiveNumeric, edFloat, edPositiveFloat, the case kinds and
// edValidChars; every other kind takes everything). The case kinds change Ch.
// A refused character beeps unless Silent comes back true.
bool AcceptTypedChar(TEditorType Kind, QChar& Ch, const QString& Text, int SelStart, const QString& SelText,
                     bool Ctrl, const QString& ValidChars, bool& Silent);

// Text with Pasted in place of its selection; a selection ends up over the
// pasted text, otherwise the caret follows it (SelFrom, SelLen).
QString InsertPastedText(const QString& Text, int SelStart, int SelLength, const QString& Pasted, int& SelFrom,
                         int& SelLen);

// A clipboard text of one line ending in a line break loses the break.
void DropSoleTrailingBreak(QString& Value);

// The first entry (in list order) that starts with Prefix, or an empty text
// with Index -1; an empty Prefix completes nothing.
QString CompleteFromList(const QString& Prefix, const QStringList& Entries, bool CaseSensitive, int& Index);

QStringList ListOf(TStrings* S);

// Lookup completion of an editor's text before the caret from the grid's
// lookup items, when Enabled (typing that allows it), nothing is selected and
// the grid's Lookup is on: the text keeps what stands before the caret,
// followed by the rest of the first item that starts with it (at most 255
// characters), and the completed part is selected. False when nothing completes.
bool CompleteFromLookup(TCustomEdit* Edit, TProStringGrid* Grid, bool Enabled);
