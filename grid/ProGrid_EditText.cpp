// Typed, pasted and completed text of the grid's editors (ProGrid_EditText_p.h).
#include "grid/ProGrid_EditText_p.h"

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"
#include "platform/rtl/Classes.h"

bool AcceptTypedChar(TEditorType Kind, QChar& Ch, const QString& Text, int SelStart, const QString& SelText,
                     bool Ctrl, const QString& ValidChars, bool& Silent) {
  const ushort c = Ch.unicode();
  const bool control = c == 8 || c == 9 || c == 13 || c == 27;
  switch (Kind) {
    case edNumeric:
    case edPositiveNumeric:
      if (control || Ch.isDigit()) return true;
      return Kind == edNumeric && Ch == u'-' && !Text.contains(u'-') && SelStart == 0;
    case edFloat:
    case edPositiveFloat: {
      if (control || Ch.isDigit()) return true;
      const QChar dec = GetDecimalSeparator();
      const QChar thou = GetThousandSeparator();
      if (Ch == dec) {
        Silent = true;
        return !Text.contains(dec) || SelText.contains(dec);
      }
      if (Ch == u'-' && Kind == edFloat) return (SelStart == 0 && !Text.contains(u'-')) || SelText.contains(u'-');
      if (Ch == thou || Ch == u',' || Ch == u'.') {
        Silent = true;
        return false;
      }
      Silent = !Ctrl;
      return Ctrl;
    }
    case edCapital:
    case edUpperCase:
      Ch = Ch.toUpper();
      return true;
    case edLowerCase:
      Ch = Ch.toLower();
      return true;
    case edValidChars:
      if (c == 8 || c == 13) return true;
      if (!ValidChars.isEmpty()) return ValidChars.contains(Ch);
      return c <= 255 && c >= 32;
    default:
      return true;
  }
}

QString InsertPastedText(const QString& Text, int SelStart, int SelLength, const QString& Pasted, int& SelFrom,
                         int& SelLen) {
  const QString n = Text.left(SelStart) + Pasted + Text.mid(SelStart + SelLength);
  if (SelLength > 0) {
    SelFrom = SelStart;
    SelLen = int(Pasted.size());
  } else {
    SelFrom = SelStart + int(Pasted.size());
    SelLen = 0;
  }
  return n;
}

void DropSoleTrailingBreak(QString& Value) {
  const qsizetype lf = Value.indexOf(u'\n');
  if (lf >= 0 && lf == Value.size() - 1) Value.chop(Value.endsWith(QStringLiteral("\r\n")) ? 2 : 1);
}

QString CompleteFromList(const QString& Prefix, const QStringList& Entries, bool CaseSensitive, int& Index) {
  Index = -1;
  if (Prefix.isEmpty()) return QString();
  const Qt::CaseSensitivity cs = CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
  for (int i = 0; i < Entries.size(); ++i)
    if (Entries[i].startsWith(Prefix, cs)) {
      Index = i;
      return Entries[i];
    }
  return QString();
}

QStringList ListOf(TStrings* S) {
  QStringList r;
  for (int i = 0; i < S->Count(); ++i) r << S->Strings(i);
  return r;
}

bool CompleteFromLookup(TCustomEdit* Edit, TProStringGrid* Grid, bool Enabled) {
  if (!Enabled || Edit->SelLength() != 0 || !Grid->Lookup() || Grid->LookupItems()->Count() == 0) return false;
  const int n = Edit->SelStart();
  const QString prefix = Edit->Text().left(n);
  int index = -1;
  const QString entry = CompleteFromList(prefix, ListOf(Grid->LookupItems()), Grid->LookupCaseSensitive(), index);
  if (index < 0) return false;
  Edit->SetText(prefix + entry.mid(n, 255));
  Edit->SetSelStart(n);
  Edit->SetSelLength(int(Edit->Text().size()) - n);
  return true;
}
