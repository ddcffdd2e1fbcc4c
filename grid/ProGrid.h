// The string grid: TProStringGrid on the base grid, with the settings objects it
// owns. The grid's own behaviour is split by feature family over the
// ProGrid_*.cpp files; the objects it owns are declared in ProGrid_*.h.
#pragma once

#include <QString>
#include <memory>

#include "controls/BaseGrid.h"
#include "controls/ProObj.h"
#include "grid/ProGrid_ColumnSize.h"
#include "grid/ProGrid_Filter.h"
#include "grid/ProGrid_Footer.h"
#include "grid/ProGrid_HTML.h"
#include "grid/ProGrid_Look.h"
#include "grid/ProGrid_Options.h"
#include "grid/ProGrid_Print.h"
#include "grid/ProGrid_Sort.h"

class THTMLPictureCache;

// Errors of the grid's operations ("Invalid row accessed", ...).
ZIDI_DECLARE_EXCEPTION(EProGridError, Exception);

class TProStringGrid : public TBaseGrid {
 public:
  explicit TProStringGrid(TComponent* AOwner);
  ~TProStringGrid() override;

  // --- owned settings objects (a setter copies with Assign) ------------------

  TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
  void SetSearchFooter(TSearchFooter* Value) { FSearchFooter->Assign(Value); }
  TNavigation* Navigation() const { return FNavigation.get(); }
  void SetNavigation(TNavigation* Value) { FNavigation->Assign(Value); }
  TMouseActions* MouseActions() const { return FMouseActions.get(); }
  void SetMouseActions(TMouseActions* Value) { FMouseActions->Assign(Value); }
  TSyncGrid* SyncGrid() const { return FSyncGrid.get(); }
  void SetSyncGrid(TSyncGrid* Value) { FSyncGrid->Assign(Value); }
  TBands* Bands() const { return FBands.get(); }
  void SetBands(TBands* Value) { FBands->Assign(Value); }
  TFocusHelper* FocusHelper() const { return FFocusHelper.get(); }
  void SetFocusHelper(TFocusHelper* Value) { FFocusHelper->Assign(Value); }
  TControlLook* ControlLook() const { return FControlLook.get(); }
  void SetControlLook(TControlLook* Value) { FControlLook->Assign(Value); }
  TGridProgressAppearance* ProgressAppearance() const { return FProgressAppearance.get(); }
  void SetProgressAppearance(TGridProgressAppearance* Value) { FProgressAppearance->Assign(Value); }
  TShowModified* ShowModified() const { return FShowModified.get(); }
  void SetShowModified(TShowModified* Value) { FShowModified->Assign(Value); }
  TBalloonSettings* Balloon() const { return FBalloonSettings.get(); }
  void SetBalloon(TBalloonSettings* Value) { FBalloonSettings->Assign(Value); }
  TDragDropSettings* DragDropSettings() const { return FDragDropSettings.get(); }
  void SetDragDropSettings(TDragDropSettings* Value) { FDragDropSettings->Assign(Value); }
  TGrouping* Grouping() const { return FGrouping.get(); }
  void SetGrouping(TGrouping* Value) { FGrouping->Assign(Value); }
  TDragScrollOptions* DragScrollOptions() const { return FDragScrollOptions.get(); }
  void SetDragScrollOptions(TDragScrollOptions* Value) { FDragScrollOptions->Assign(Value); }
  TSortSettings* SortSettings() const { return FSortSettings.get(); }
  void SetSortSettings(TSortSettings* Value) { FSortSettings->Assign(Value); }
  TFilter* Filter() const { return FFilter.get(); }
  void SetFilter(TFilter* Value) { FFilter->Assign(Value); }
  TFilterDropDown* FilterDropDown() const { return FFilterDropDown.get(); }
  void SetFilterDropDown(TFilterDropDown* Value) { FFilterDropDown->Assign(Value); }
  TFloatingFooter* FloatingFooter() const { return FFloatingFooter.get(); }
  void SetFloatingFooter(TFloatingFooter* Value) { FFloatingFooter->Assign(Value); }
  TColumnSize* ColumnSize() const { return FColumnSize.get(); }
  void SetColumnSize(TColumnSize* Value) { FColumnSize->Assign(Value); }
  THTMLSettings* HTMLSettings() const { return FHTMLSettings.get(); }
  void SetHTMLSettings(THTMLSettings* Value) { FHTMLSettings->Assign(Value); }
  TPrintSettings* PrintSettings() const { return FPrintSettings.get(); }
  void SetPrintSettings(TPrintSettings* Value) { FPrintSettings->Assign(Value); }
  // Pictures of HTML cell text loaded from addresses.
  THTMLPictureCache* ImageCache() const { return FImageCache.get(); }
  // The panel under the grid that shows the floating footer.
  TFooterPanel* FooterPanel() const { return FFooterPanel; }
  TDropList* DropList() const { return FDropList; }
  TDropCheckList* DropCheckList() const { return FDropCheckList; }
  // The sort columns of an index sort.
  TSortIndexList* SortIndexes() const { return FSortIndexes.get(); }

  // --- fixed-cell gradient colours of the REZ looks ---------------------------

  // Each setter stores the colour resolved to RGB and repaints the grid.
  TColor REZGradientFrom() const { return FREZGradientFrom; }
  void SetREZGradientFrom(TColor Value);
  TColor REZGradientTo() const { return FREZGradientTo; }
  void SetREZGradientTo(TColor Value);
  TColor REZGradientMirrorFrom() const { return FREZGradientMirrorFrom; }
  void SetREZGradientMirrorFrom(TColor Value);
  TColor REZGradientMirrorTo() const { return FREZGradientMirrorTo; }
  void SetREZGradientMirrorTo(TColor Value);
  // Hover and pressed colours of fixed cells: plain fields.
  TColor REZGradientHoverFrom = clNone, REZGradientHoverTo = clNone,
         REZGradientHoverMirrorFrom = clNone, REZGradientHoverMirrorTo = clNone,
         REZGradientHoverBorder = clNone;
  TColor REZGradientDownFrom = clNone, REZGradientDownTo = clNone,
         REZGradientDownMirrorFrom = clNone, REZGradientDownMirrorTo = clNone,
         REZGradientDownBorder = clNone;

  // --- footer rows --------------------------------------------------------------

  // Rows at the bottom that stay fixed (the floating footer's row).
  int FixedFooters() const { return FFixedFooters; }
  void SetFixedFooters(int Value) { FFixedFooters = Value; }
  // The last row is not drawn in the grid because the floating footer shows it.
  bool HideLastRow() const { return FHideLastRow; }
  void SetHideLastRow(bool Value) { FHideLastRow = Value; }
  // Recomputes the floating footer's calculated cells of column ACol (-1: all).
  void CalcFooter(int ACol);

  // --- column sizes ---------------------------------------------------------------

  // Widens column ACol (-1: the last) so that the columns fill the client
  // width; nothing while ColumnSize.Stretch is off.
  void StretchColumn(int ACol);

  // --- sorting ------------------------------------------------------------------

  // Sorts the normal rows on SortSettings.Column in SortSettings.Direction.
  virtual void QSort();
  // Sorts the normal rows on the sort index list.
  virtual void QSortIndexed();

  // --- print settings in an INI file --------------------------------------------

  // Writes PrintSettings into Section of the INI file Key.
  void SavePrintSettings(const QString& Key, const QString& Section);
  // Reads PrintSettings from Section of the INI file Key.
  void LoadPrintSettings(const QString& Key, const QString& Section);

  // Repaints the last fixed row (the header of a sorted column).
  void RepaintLastFixedRow() {
    if (FixedRows() > 0) InvalidateRow(FixedRows() - 1);
  }
  // Repaints column ACol.
  void RepaintCol(int ACol) { InvalidateCol(ACol); }

  // Whether the grid is being designed (in the form designer).
  bool IsDesigning() const { return ComponentState().contains(csDesigning); }

 protected:
  // Raises EProGridError naming an operation of the grid that this build does
  // not provide yet, so that a caller never mistakes it for a success.
  [[noreturn]] static void NotAvailable(const char* Operation);

 private:
  TFooterPanel* FFooterPanel = nullptr;  // owned as a component
  std::unique_ptr<TFocusHelper> FFocusHelper;
  std::unique_ptr<TSearchFooter> FSearchFooter;
  std::unique_ptr<TFloatingFooter> FFloatingFooter;
  std::unique_ptr<TPrintSettings> FPrintSettings;
  std::unique_ptr<THTMLSettings> FHTMLSettings;
  std::unique_ptr<TSortSettings> FSortSettings;
  std::unique_ptr<TDragDropSettings> FDragDropSettings;
  std::unique_ptr<TDragScrollOptions> FDragScrollOptions;
  std::unique_ptr<TControlLook> FControlLook;
  std::unique_ptr<TNavigation> FNavigation;
  std::unique_ptr<TColumnSize> FColumnSize;
  std::unique_ptr<TBands> FBands;
  std::unique_ptr<TMouseActions> FMouseActions;
  std::unique_ptr<TGrouping> FGrouping;
  std::unique_ptr<THTMLPictureCache> FImageCache;
  std::unique_ptr<TSortIndexList> FSortIndexes;
  std::unique_ptr<TGridProgressAppearance> FProgressAppearance;
  std::unique_ptr<TSyncGrid> FSyncGrid;
  std::unique_ptr<TFilter> FFilter;
  std::unique_ptr<TBalloonSettings> FBalloonSettings;
  std::unique_ptr<TShowModified> FShowModified;
  std::unique_ptr<TFilterDropDown> FFilterDropDown;
  TDropList* FDropList = nullptr;            // owned as a component
  TDropCheckList* FDropCheckList = nullptr;  // owned as a component

  TColor FREZGradientFrom = clNone, FREZGradientTo = clNone;
  TColor FREZGradientMirrorFrom = clNone, FREZGradientMirrorTo = clNone;
  int FFixedFooters = 0;
};
