// The numbered text table: every caption, hint, column header, list item and
// message of the program's own windows is text number n of SL_Language. The
// table starts from the built-in English texts; a language file
// (Dir_Language + "/" + language + ".lng") replaces any of them by number.
#pragma once

#include <QString>
#include <memory>

class TStringList;

// The current texts, 0 to Num_Language_Str - 1. The main window creates it
// empty at start; Fill_Default_Texts creates it when nothing has yet.
extern std::unique_ptr<TStringList> SL_Language;
// Number of texts; 4200 once the built-in texts are filled.
extern int Num_Language_Str;

// Empties SL_Language and fills it with the 4200 built-in English texts
// (a number without a text holds one blank " ").
void Fill_Default_Texts();

// Applies one language file to the table. Entry lines read
//   STR<number> = <text>
// after blanks and control characters at both ends are removed; every other
// line is ignored. "/#/" starts a remark; a text wrapped in pilcrows keeps the
// blanks inside them; a later line for the same number wins; entries with an
// empty text, an unreadable number or a number outside the table are skipped.
// Raises the framework's file errors when the file cannot be read.
void Load_Lang_File(const QString& Path);

// Rebuilds the table for Name_Language: the built-in texts, then its file.
// Without that file Name_Language becomes "English" and English.lng is applied
// when present.
void Load_Language();
