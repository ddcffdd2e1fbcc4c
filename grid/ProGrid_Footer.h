// The floating footer of the string grid: its settings and the panel under the
// grid that shows it.
#pragma once

#include <QString>
#include <functional>

#include "controls/BaseGrid.h"
#include "grid/ProGrid_Options.h"
#include "platform/widgets/ExtCtrls.h"

enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };

// Custom value of a footer cell: Value is the text shown.
using TCalcFooterEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;

// Settings of the floating footer. The footer shows the grid's last row (or a
// preview of the current row, or what the application paints) in a panel
// docked under the grid.
class TFloatingFooter : public TPersistent {
 public:
  explicit TFloatingFooter(TProStringGrid* AOwner);

  // Shows or hides the panel; with fsFixedLastRow the last row becomes the
  // grid's fixed footer row and is no longer drawn by the grid.
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  TFooterStyle FooterStyle() const { return FFooterStyle; }
  void SetFooterStyle(TFooterStyle Value);
  // Background of the footer cells; repaints the panel.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // Line along the top edge (none with clNone); repaints the panel on a change.
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  // Column previewed by fsColumnPreview; repaints the panel.
  int Column() const { return FColumn; }
  void SetColumn(int Value);
  // Template of fsCustomPreview ("<#n>" stands for column n of the current row).
  const QString& CustomTemplate() const { return FCustomTemplate; }
  void SetCustomTemplate(const QString& Value);
  bool CalculateHiddenRows() const { return FCalculateHiddenRows; }
  void SetCalculateHiddenRows(bool Value) { FCalculateHiddenRows = Value; }
  // Hints over the footer cells; passed to the panel.
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  // The panel shows Height - 1 pixels.
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  bool EnableCalculation() const { return FEnableCalculation; }
  void SetEnableCalculation(bool Value) { FEnableCalculation = Value; }
  // The calculation of column Col, kept in the properties of its cell in the
  // grid's last row; setting it recomputes that column's footer.
  TColumnCalcType ColumnCalc(int Col) const;
  void SetColumnCalc(int Col, TColumnCalcType Value);
  // Repaints the panel.
  void Invalidate();

  // Copies CalculateHiddenRows, Color, Column, CustomTemplate, FooterStyle,
  // Visible (through its setter) and ShowHint.
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

  TCalcFooterEvent OnCalcFooter;

 private:
  friend class TProStringGrid;  // keeps Height in step with the rows
  void UpdateHideLastRow();

  TProStringGrid* FOwner;
  bool FVisible = false;
  TFooterStyle FFooterStyle = fsFixedLastRow;
  TColor FColor = clBtnFace;
  TColor FBorderColor = clNone;
  int FColumn = 0;
  QString FCustomTemplate;
  bool FCalculateHiddenRows = true;
  bool FShowHint = false;
  int FHeight = 0;
  bool FEnableCalculation = true;
};

// The panel docked under the grid that paints the floating footer. Its owner is
// the grid.
class TFooterPanel : public TCustomPanel {
 public:
  explicit TFooterPanel(TProStringGrid* AOwner);
  TProStringGrid* Grid() const { return FGrid; }
  // Column of the last hint shown, -1 none.
  int LastHintX() const { return FLastHintX; }

 private:
  TProStringGrid* FGrid;
  int FLastHintX = -1;
};
