// Small lists that the grid keeps inside its own objects: integer lists that know
// their cell, the list of sort columns, the controls placed in cells, and a string
// list read and written line by line.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"

// Reports a change of a list that belongs to the cell (Acol, Arow).
using TImageChangeEvent = std::function<void(TObject* Sender, int Acol, int Arow)>;

// A list of 32-bit integers that remembers the cell it belongs to and reports
// Add, Delete and item changes through OnChange with that cell. Insert and Clear
// are silent. An index outside the list raises EListError
// "List index out of bounds (<index>)".
class TIntList : public TObject {
 public:
  TIntList(int Col, int Row) : FCol(Col), FRow(Row) {}

  int Add(int Value);
  void Insert(int Index, int Value);
  void Delete(int Index);
  // Deletes the first entry equal to Value; nothing when it is absent.
  void DeleteValue(int Value);
  bool HasValue(int Value) const { return IndexOf(Value) >= 0; }
  int IndexOf(int Value) const;
  void Clear() { FList.clear(); }
  void Exchange(int Index1, int Index2);
  void Move(int CurIndex, int NewIndex);
  // Orders the entries by Compare (negative, zero or positive); silent.
  void Sort(const std::function<int(int Item1, int Item2)>& Compare);
  int Count() const { return static_cast<int>(FList.size()); }

  int GetInteger(int Index) const;
  void SetInteger(int Index, int Value);
  int Items(int Index) const { return GetInteger(Index); }
  void SetItems(int Index, int Value) { SetInteger(Index, Value); }

  // The entries as decimal numbers joined by "," ("3,-1,20"); "" when empty.
  QString StrValue() const;
  // Clears the list and adds each item of the comma text (commas or blanks
  // separate, double quotes group). An item that is no integer raises
  // EConvertError; the items before it stay added.
  void SetStrValue(const QString& Value);

  int Col() const { return FCol; }
  int Row() const { return FRow; }

  TImageChangeEvent OnChange;

 protected:
  void Changed();
  void CheckIndex(int Index) const;

 private:
  int FCol;
  int FRow;
  std::vector<int> FList;
};

// The grid's sort columns, in sort order: each entry is a column number in bits
// 0-30 with bit 31 set (the entry negative) for a descending column.
class TSortIndexList : public TIntList {
 public:
  TSortIndexList() : TIntList(0, 0) {}

  void AddIndex(int ColumnIndex, bool Ascending);
  // Position of the first entry for the column, -1 when none.
  int FindIndex(int ColumnIndex) const;
  // Flips the direction of the column's entry; nothing when it is not listed.
  void ToggleIndex(int ColumnIndex);

  int SortColumns(int Index) const;
  void SetSortColumns(int Index, int Value);
  // True for ascending.
  bool SortDirections(int Index) const;
  void SetSortDirections(int Index, bool Value);

  // "u2;d5": "u" or "d" and the low 16 bits of the column per entry, joined by ";".
  QString SaveToString() const;
  // Clears the list and reads the form above. Pieces shorter than two characters
  // are skipped; the column is the number at the piece's second character (0 when
  // it has no digits there); exactly "u" means ascending, anything else descending.
  void LoadFromString(const QString& S);
};

// A control placed in the cell (X, Y); the control is not owned.
class TControlItem : public TObject {
 public:
  TControlItem(int AX, int AY, TControl* AControl) : FX(AX), FY(AY), FObject(AControl) {}
  int X() const { return FX; }
  void SetX(int Value) { FX = Value; }
  int Y() const { return FY; }
  void SetY(int Value) { FY = Value; }
  TControl* Control() const { return FObject; }
  void SetControl(TControl* Value) { FObject = Value; }

 private:
  int FX;
  int FY;
  TControl* FObject;
};

// The controls that the grid places in cells; owns its items, not their controls.
class TControlList : public TObject {
 public:
  TControlList() = default;
  ~TControlList() override;

  void AddControl(int X, int Y, TControl* AObject);
  // Position of the first item for the cell, -1 when none.
  int ControlIndex(int X, int Y) const;
  TControlItem* GetControl(int Index) const;
  // Whether an item's control is a windowed control whose window is Handle.
  bool HasHandle(HWND Handle) const;
  // Frees the item at Index (not its control) and removes it.
  void RemoveControl(int Index);
  int Count() const { return static_cast<int>(FItems.size()); }

 private:
  std::vector<std::unique_ptr<TControlItem>> FItems;
};

// A string list walked line by line, as the grid's text-file import and export
// read and write a file.
class TFileStringList : public TStringList {
 public:
  // Read position 0, nothing pending.
  void Reset();
  bool Eof() const { return fp >= Count(); }
  // The line at the read position, which moves on; past the end raises
  // EStringListError.
  void ReadLn(QString& S);
  // Appends S to the text of the line being written.
  void Write(const QString& S);
  // Ends the line being written with S and adds it.
  void WriteLn(const QString& S);

 private:
  int fp = 0;
  QString cache;
};
