// Table files and the parts every table window shares: reading and writing
// a table file, the used rows of a grid and the table grid.
#include "grid/ProGrid.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/XMLDoc.h"
#include "platform/ui/Forms.h"
#include "shell/UComon.h"

namespace {

// The framework's error report for the exception being handled.
void Report_Current_Exception() {
  if (Application != nullptr) Application->HandleException(nullptr);
}

}  // namespace

bool Load_Table_File(TXMLDocument* XML1, const QString& Path, const TTable_File& File, int Max_Rows,
                     const std::function<void(int Section, int Row, const TTable_Row& Values)>& Put_Row) {
  if (!FileExists(Path)) return true;
  QStringList Incomplete;
  bool Complete = true;
  try {
    XML1->SetActive(false);
    XML1->LoadFromFile(Path);
    // The document's first node is the root, whatever its name or kind.
    IXMLNode Root = XML1->ChildNodes().First();
    for (int s = 0; s < static_cast<int>(File.Sections.size()); ++s) {
      const TTable_Section& Section = File.Sections[static_cast<size_t>(s)];
      IXMLNode Node = Root ? Root->ChildNodes().FindNode(Section.Name) : IXMLNode();
      if (!Node || Node->NodeType() != ntElement)
        throw EXMLDocError(QStringLiteral("The table %1 is missing from the file %2").arg(Section.Name, Path));
      IXMLNodeList Rows = Node->ChildNodes();
      const int Count = std::min(Rows.Count(), Max_Rows);
      for (int i = 0; i < Count; ++i) {
        IXMLNode Row = Rows[i];
        TTable_Row Values;
        bool Lacking = false;
        for (const TTable_Attribute& A : Section.Attributes) {
          const bool Have = Row->NodeType() == ntElement && Row->HasAttribute(A.Name);
          Values << (Have ? Row->Attributes(A.Name) : A.Default);
          if (!Have && !A.Optional) Lacking = true;
        }
        // A row lacking a value is kept with that cell empty rather than
        // ending the table there: a later save would lose every row after it.
        if (Lacking) Incomplete << QStringLiteral("%1 row %2").arg(Section.Name).arg(i + 1);
        Put_Row(s, i, Values);
      }
    }
  } catch (...) {
    Complete = false;
    Report_Current_Exception();
  }
  if (!Incomplete.isEmpty())
    Error_Table(QStringLiteral("Some rows of %1 lack values; those cells were left empty: %2")
                    .arg(Path, Incomplete.join(QStringLiteral(", "))));
  return Complete;
}

void Save_Table_File(TXMLDocument* XML1, const QString& Path, const TTable_File& File,
                     const std::vector<std::vector<TTable_Row>>& Rows) {
  // Start from an empty document whatever the loaded file held.
  if (!XML1->Active()) {
    XML1->SetFileName(QString());
    XML1->SetActive(true);
  }
  XML1->ChildNodes().Clear();
  const IXMLNode Root = XML1->AddChild(File.Root);
  XML1->ChildNodes().Add(XML1->CreateNode(QStringLiteral("SW_VERSION = ") + File.Version, ntComment));
  for (size_t s = 0; s < File.Sections.size(); ++s) {
    const TTable_Section& Section = File.Sections[s];
    const IXMLNode Node = Root->AddChild(Section.Name);
    if (s >= Rows.size()) continue;
    for (const TTable_Row& Values : Rows[s]) {
      const IXMLNode Row = Node->AddChild(QStringLiteral("row"));
      for (size_t a = 0; a < Section.Attributes.size(); ++a)
        Row->SetAttributes(Section.Attributes[a].Name,
                           a < static_cast<size_t>(Values.size()) ? Values[static_cast<int>(a)] : QString());
    }
  }
  XML1->SaveToFile(Path);
}

std::vector<TTable_Row> Table_Rows(TProStringGrid* Grid, int Key_Col) {
  std::vector<TTable_Row> Rows;
  const int Last = Grid->ColCount() + Grid->NumHiddenColumns() - 1;
  for (int r = 1; r < Grid->RowCount() && !Grid->GetCellEx(Key_Col, r).trimmed().isEmpty(); ++r) {
    TTable_Row Values;
    for (int c = 1; c <= Last; ++c) Values << Grid->GetCellEx(c, r);
    Rows.push_back(Values);
  }
  return Rows;
}

bool Check_Table_Gaps(TProStringGrid* Grid, int Key_Col, const QString& Table_Name) {
  int Gap = 0;
  for (int r = 1; r < Grid->RowCount(); ++r) {
    const bool Used = !Grid->GetCellEx(Key_Col, r).trimmed().isEmpty();
    if (!Used && Gap == 0) Gap = r;
    if (Used && Gap != 0) {
      Error_Table(QStringLiteral("%1Error row %2!! Row %3 before it is empty, so row %2 and the rows after it "
                                 "would not be saved: fill or delete row %3")
                      .arg(Table_Name.isEmpty() ? QString() : Table_Name + QStringLiteral(": "))
                      .arg(r)
                      .arg(Gap));
      return false;
    }
  }
  return true;
}

void Setup_Table_Grid(TProStringGrid* Grid, int Cols, int Rows) {
  Grid->SetAlign(alClient);
  Grid->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing});
  Grid->SetColCount(Cols);
  Grid->SetRowCount(Rows);
  Grid->SetFixedColWidth(40);
}
