// TStrings and TStringList: string lists with the framework's text forms.
#include <QStringList>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Encodings.h"

namespace {

bool IsStandardLineBreak(const QString& lb) {
  return lb == QLatin1String("\r\n") || lb == QLatin1String("\n") || lb == QLatin1String("\r");
}

// S in quotes, quotes inside doubled (the framework's AnsiQuotedStr).
QString QuotedWith(const QString& S, QChar quote) {
  QString doubled = S;
  doubled.replace(quote, QString(2, quote));
  return quote + doubled + quote;
}

bool IsBlankOrControl(QChar c) { return c.unicode() <= u' '; }

}  // namespace

// ------------------------------------------------------------------- TStrings

void TStrings::Error(const QString& Msg, int Data) {
  QString text = Msg;
  text.replace(QLatin1String("%d"), QString::number(Data));
  throw EStringListError(text);
}

int TStrings::Add(const QString& S) {
  const int result = GetCount();
  Insert(result, S);
  return result;
}

int TStrings::AddObject(const QString& S, TObject* AObject) {
  const int result = Add(S);
  PutObject(result, AObject);
  return result;
}

void TStrings::AddStrings(TStrings* Strings) {
  DuringUpdate(this, [&] {
    for (int i = 0; i < Strings->Count(); ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
  });
}

void TStrings::AddStrings(const QStringList& Strings) {
  DuringUpdate(this, [&] {
    for (const QString& s : Strings) Add(s);
  });
}

void TStrings::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TStrings*>(Source);
  if (src == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  DuringUpdate(this, [&] {
    Clear();
    FNameValueSeparator = src->FNameValueSeparator;
    FQuoteChar = src->FQuoteChar;
    FDelimiter = src->FDelimiter;
    FLineBreak = src->FLineBreak;
    FStrictDelimiter = src->FStrictDelimiter;
    FWriteBOM = src->FWriteBOM;
    FDefaultEncoding = src->FDefaultEncoding;
    AddStrings(src);
  });
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount <= 0) return;
  --FUpdateCount;
  if (FUpdateCount == 0) SetUpdateState(false);
}

bool TStrings::Equals(TStrings* Strings) const {
  if (Strings == nullptr) return false;
  const int n = GetCount();
  if (n != Strings->GetCount()) return false;
  for (int i = 0; i < n; ++i)
    if (Get(i) != Strings->Get(i)) return false;
  return true;
}

void TStrings::Exchange(int Index1, int Index2) {
  DuringUpdate(this, [&] {
    const QString s = Get(Index1);
    TObject* o = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s);
    PutObject(Index2, o);
  });
}

int TStrings::IndexOf(const QString& S) const {
  for (int i = 0; i < GetCount(); ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(const QString& Name) const {
  for (int i = 0; i < GetCount(); ++i) {
    const QString s = Get(i);
    const qsizetype p = s.indexOf(FNameValueSeparator);
    if (p >= 0 && CompareStrings(s.left(p), Name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const {
  for (int i = 0; i < GetCount(); ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

void TStrings::InsertObject(int Index, const QString& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  // Both positions are checked before the line leaves its place, so that a bad
  // target cannot lose it.
  const QString s = Get(CurIndex);
  if (NewIndex < 0 || NewIndex >= GetCount()) Error(ListIndexErrorText(NewIndex), NewIndex);
  TObject* o = GetObject(CurIndex);
  DuringUpdate(this, [&] {
    Delete(CurIndex);
    InsertObject(NewIndex, s, o);
  });
}

TObject* TStrings::GetObject(int) const { return nullptr; }

void TStrings::Put(int Index, const QString& S) {
  TObject* o = GetObject(Index);
  DuringUpdate(this, [&] {
    Delete(Index);
    InsertObject(Index, S, o);
  });
}

void TStrings::PutObject(int, TObject*) {}

int TStrings::CompareStrings(const QString& S1, const QString& S2) const {
  return AnsiCompareText(S1, S2);
}

QString TStrings::GetTextStr() const {
  QString result;
  const int n = GetCount();
  for (int i = 0; i < n; ++i) {
    result += Get(i);
    result += FLineBreak;
  }
  return result;
}

void TStrings::SetTextStr(const QString& Value) {
  DuringUpdate(this, [&] {
    Clear();
    const qsizetype n = Value.size();
    if (IsStandardLineBreak(FLineBreak) || FLineBreak.isEmpty()) {
      qsizetype p = 0;
      while (p < n) {
        qsizetype start = p;
        while (p < n && Value[p] != u'\r' && Value[p] != u'\n') ++p;
        Add(Value.mid(start, p - start));
        if (p < n && Value[p] == u'\r') ++p;
        if (p < n && Value[p] == u'\n') ++p;
      }
    } else {
      qsizetype p = 0;
      while (p < n) {
        qsizetype q = Value.indexOf(FLineBreak, p);
        if (q < 0) q = n;
        Add(Value.mid(p, q - p));
        p = q + FLineBreak.size();
      }
    }
  });
}

QString TStrings::CommaText() const {
  return DelimitedTextWith(QLatin1Char(','), QLatin1Char('"'));
}

void TStrings::SetCommaText(const QString& Value) {
  SetDelimitedTextWith(Value, QLatin1Char(','), QLatin1Char('"'));
}

QString TStrings::DelimitedText() const { return DelimitedTextWith(FDelimiter, FQuoteChar); }

void TStrings::SetDelimitedText(const QString& Value) {
  SetDelimitedTextWith(Value, FDelimiter, FQuoteChar);
}

QString TStrings::DelimitedTextWith(QChar delimiter, QChar quoteChar) const {
  const int n = GetCount();
  if (n == 1 && Get(0).isEmpty()) return QString(2, quoteChar);
  QString result;
  for (int i = 0; i < n; ++i) {
    QString s = Get(i);
    bool quote = false;
    for (QChar c : s) {
      if (c == quoteChar || c == delimiter || (!FStrictDelimiter && IsBlankOrControl(c))) {
        quote = true;
        break;
      }
    }
    if (quote) s = QuotedWith(s, quoteChar);
    if (i > 0) result += delimiter;
    result += s;
  }
  return result;
}

void TStrings::SetDelimitedTextWith(const QString& Value, QChar delimiter, QChar quoteChar) {
  // Translated from the framework's character walk: p is a 0-based index into
  // Value, and its end stands for the terminating zero character.
  const qsizetype n = Value.size();
  const bool strict = FStrictDelimiter;
  auto skipBlanks = [&](qsizetype& p) {
    if (!strict)
      while (p < n && IsBlankOrControl(Value[p])) ++p;
  };
  DuringUpdate(this, [&] {
    Clear();
    qsizetype p = 0;
    skipBlanks(p);
    while (p < n) {
      QString s;
      if (Value[p] == quoteChar) {
        // A quoted item; a doubled quote stands for one. An item whose closing
        // quote is missing runs to the end of the text.
        ++p;
        while (p < n) {
          if (Value[p] == quoteChar) {
            if (p + 1 < n && Value[p + 1] == quoteChar) {
              s += quoteChar;
              p += 2;
              continue;
            }
            ++p;
            break;
          }
          s += Value[p++];
        }
      } else {
        const qsizetype start = p;
        if (!strict) {
          while (p < n && !IsBlankOrControl(Value[p]) && Value[p] != delimiter) ++p;
        } else {
          while (p < n && Value[p] != delimiter) ++p;
        }
        s = Value.mid(start, p - start);
      }
      Add(s);
      skipBlanks(p);
      if (p < n && Value[p] == delimiter) {
        // A delimiter at the very end stands before one more, empty item.
        if (p + 1 == n) Add(QString());
        ++p;
        skipBlanks(p);
      }
    }
  });
}

QString TStrings::ExtractName(const QString& S) const {
  const qsizetype p = S.indexOf(FNameValueSeparator);
  return p >= 0 ? S.left(p) : QString();
}

QString TStrings::Names(int Index) const { return ExtractName(Get(Index)); }

QString TStrings::Values(const QString& Name) const {
  const int i = IndexOfName(Name);
  if (i < 0) return QString();
  const QString s = Get(i);
  return s.mid(s.indexOf(FNameValueSeparator) + 1);
}

void TStrings::SetValues(const QString& Name, const QString& Value) {
  int i = IndexOfName(Name);
  if (!Value.isEmpty()) {
    if (i < 0) i = Add(QString());
    Put(i, Name + FNameValueSeparator + Value);
  } else if (i >= 0) {
    Delete(i);
  }
}

QString TStrings::ValueFromIndex(int Index) const {
  if (Index < 0) return QString();
  const QString s = Get(Index);
  const qsizetype p = s.indexOf(FNameValueSeparator);
  return p >= 0 ? s.mid(p + 1) : QString();
}

void TStrings::SetValueFromIndex(int Index, const QString& Value) {
  if (!Value.isEmpty()) {
    if (Index < 0) Index = Add(QString());
    Put(Index, Names(Index) + FNameValueSeparator + Value);
  } else if (Index >= 0) {
    Delete(Index);
  }
}

QStringList TStrings::ToStringList() const {
  QStringList result;
  result.reserve(GetCount());
  for (int i = 0; i < GetCount(); ++i) result.append(Get(i));
  return result;
}

TEncoding* TStrings::DefaultEncoding() const {
  return FDefaultEncoding != nullptr ? FDefaultEncoding : TEncoding::Default();
}

void TStrings::LoadFromFile(const QString& FileName, TEncoding* Encoding) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream, Encoding);
}

void TStrings::LoadFromStream(TStream* Stream, TEncoding* Encoding) {
  const QByteArray buffer = Stream->ReadRest();
  // A byte-order mark decides; the given encoding applies only without one.
  TEncoding* found = nullptr;
  int markSize = TEncoding::GetBufferEncoding(buffer, found, nullptr);
  if (markSize == 0) {
    found = Encoding != nullptr ? Encoding : DefaultEncoding();
  }
  const QString text = found->GetString(buffer.mid(markSize));
  DuringUpdate(this, [&] {
    SetTextStr(text);
    FWriteBOM = markSize > 0;
    FEncoding = found;
  });
}

void TStrings::SaveToFile(const QString& FileName, TEncoding* Encoding) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream, Encoding);
}

void TStrings::SaveToStream(TStream* Stream, TEncoding* Encoding) {
  if (Encoding == nullptr) Encoding = FEncoding != nullptr ? FEncoding : DefaultEncoding();
  if (FWriteBOM) {
    const QByteArray mark = Encoding->GetPreamble();
    if (!mark.isEmpty()) Stream->WriteBuffer(mark);
  }
  Stream->WriteBuffer(Encoding->GetBytes(GetTextStr()));
}

// ---------------------------------------------------------------- TStringList

namespace {
const QString kSortedListError = QStringLiteral("Operation not allowed on sorted list");
const QString kDuplicateString = QStringLiteral("String list does not allow duplicates");
}  // namespace

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (FOwnsObjects)
    for (TStringItem& item : FList) delete std::exchange(item.FObject, nullptr);
}

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) Error(ListIndexErrorText(Index), Index);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating) {
    Changing();
  } else {
    Changed();
  }
}

int TStringList::Add(const QString& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const QString& S, TObject* AObject) {
  int result;
  if (!FSorted) {
    result = GetCount();
  } else if (Find(S, result)) {
    switch (FDuplicates) {
      case dupIgnore:
        return result;
      case dupError:
        Error(kDuplicateString, 0);
      case dupAccept:
        break;
    }
  }
  InsertItem(result, S, AObject);
  return result;
}

void TStringList::Assign(TPersistent* Source) {
  TStrings::Assign(Source);
  if (auto* src = dynamic_cast<TStringList*>(Source); src != nullptr && src != this) {
    FCaseSensitive = src->FCaseSensitive;
    FDuplicates = src->FDuplicates;
    FSorted = src->FSorted;
  }
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  std::vector<TStringItem> old;
  old.swap(FList);
  // The list is empty before any object is freed, so that a destructor that
  // looks at the list finds a consistent one.
  if (FOwnsObjects)
    for (TStringItem& item : old) delete item.FObject;
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  TObject* obj = FList[static_cast<size_t>(Index)].FObject;
  FList.erase(FList.begin() + Index);
  if (FOwnsObjects) delete obj;
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
  Changed();
}

bool TStringList::Find(const QString& S, int& Index) const {
  bool result = false;
  int L = 0, H = GetCount() - 1;
  while (L <= H) {
    const int I = (L + H) >> 1;
    const int C = CompareStrings(FList[static_cast<size_t>(I)].FString, S);
    if (C < 0) {
      L = I + 1;
    } else {
      H = I - 1;
      if (C == 0) {
        result = true;
        if (FDuplicates != dupAccept) L = I;
      }
    }
  }
  Index = L;
  return result;
}

int TStringList::IndexOf(const QString& S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  int result;
  return Find(S, result) ? result : -1;
}

void TStringList::Insert(int Index, const QString& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const QString& S, TObject* AObject) {
  if (FSorted) Error(kSortedListError, 0);
  if (Index < 0 || Index > GetCount()) Error(ListIndexErrorText(Index), Index);
  InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const QString& S, TObject* AObject) {
  Changing();
  FList.insert(FList.begin() + Index, TStringItem{S, AObject});
  Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  // Moved in place: a sorted list refuses before anything moves, and an owned
  // object is not freed on the way.
  if (FSorted) Error(kSortedListError, 0);
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  Changing();
  TStringItem item = std::move(FList[static_cast<size_t>(CurIndex)]);
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, std::move(item));
  Changed();
}

QString TStringList::Get(int Index) const {
  CheckIndex(Index);
  return FList[static_cast<size_t>(Index)].FString;
}

TObject* TStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return FList[static_cast<size_t>(Index)].FObject;
}

void TStringList::Put(int Index, const QString& S) {
  if (FSorted) Error(kSortedListError, 0);
  CheckIndex(Index);
  Changing();
  FList[static_cast<size_t>(Index)].FString = S;
  Changed();
}

void TStringList::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  FList[static_cast<size_t>(Index)].FObject = AObject;
  Changed();
}

void TStringList::SetCapacityImpl(int NewCapacity) {
  if (NewCapacity < GetCount()) Error(QStringLiteral("List capacity out of bounds (%d)"), NewCapacity);
  FList.reserve(static_cast<size_t>(NewCapacity));
}

int TStringList::CompareStrings(const QString& S1, const QString& S2) const {
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  if (FSorted) {
    // Sort does nothing on a list already marked sorted.
    FSorted = false;
    SetSorted(true);
  }
}

void TStringList::Sort() {
  CustomSort([](TStringList* list, int i1, int i2) {
    return list->CompareStrings(list->FList[static_cast<size_t>(i1)].FString,
                                list->FList[static_cast<size_t>(i2)].FString);
  });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (FSorted || GetCount() < 2) return;
  Changing();
  QuickSort(0, GetCount() - 1, Compare);
  Changed();
}

void TStringList::QuickSort(int L, int R, const TStringListSortCompare& Compare) {
  // The framework's quick sort by index: the pivot is followed as it moves, so
  // the comparison always sees the pivot's current position. The bounds on the
  // scans only matter for a comparison that contradicts itself.
  int I;
  do {
    I = L;
    int J = R;
    int P = (L + R) >> 1;
    do {
      while (I < R && Compare(this, I, P) < 0) ++I;
      while (J > L && Compare(this, J, P) > 0) --J;
      if (I <= J) {
        if (I != J) std::swap(FList[static_cast<size_t>(I)], FList[static_cast<size_t>(J)]);
        if (P == I) {
          P = J;
        } else if (P == J) {
          P = I;
        }
        ++I;
        --J;
      }
    } while (I <= J);
    if (L < J) QuickSort(L, J, Compare);
    L = I;
  } while (I < R);
}
