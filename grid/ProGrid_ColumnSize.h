// Column-size settings of the string grid: where column widths and positions
// are stored, and the stretching and auto-size options.
#pragma once

#include <QString>

#include "grid/ProGrid_Options.h"

enum TAutoSizeRows { arAll, arNormal, arFixed };
enum TColumnSizeLocation { clRegistry, clIniFile };

class TColumnSize : public TPersistent {
 public:
  explicit TColumnSize(TProStringGrid* AOwner) : FOwner(AOwner) {}

  // Rows that column auto-size measures.
  PROGRID_FIELD(TAutoSizeRows, Rows)
  // The grid stores its column widths when destroyed and reads them back.
  PROGRID_FIELD(bool, Save)
  // INI file name (clIniFile) or registry key path (clRegistry).
  PROGRID_FIELD(QString, Key)
  PROGRID_FIELD(QString, Section)
  // One column (StretchColumn, -1 the last) widens to fill the client width;
  // setting it stretches at once when the grid has a parent.
  PROGRID_FIELD_SET(bool, Stretch)
  PROGRID_FIELD(int, StretchColumn)
  // Column widths follow the grid's size in proportion.
  PROGRID_FIELD(bool, SynchWithGrid)
  PROGRID_FIELD(bool, SynchNormalCellsOnly)
  PROGRID_FIELD(TColumnSizeLocation, Location)

  // Copies all nine values (Stretch without stretching).
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

 private:
  TProStringGrid* FOwner;
  struct Data {
    TAutoSizeRows Rows = arAll;
    bool Save = false;
    QString Key, Section;
    bool Stretch = false;
    int StretchColumn = -1;
    bool SynchWithGrid = false, SynchNormalCellsOnly = false;
    TColumnSizeLocation Location = clRegistry;
  } F;
};
