// Life cycle of the string grid and the services its owned objects call.
#include "grid/ProGrid.h"

#include "controls/PictureContainer.h"
#include "grid/ProGrid_EditLink.h"
#include "controls/ProUtil.h"
#include "platform/ui/Forms.h"
#include "platform/rtl/IniFiles.h"
#include "platform/ui/WinApi.h"

namespace {

// An invisible control on the form, anchored to all four sides, that each grid
// keeps for itself: it stretches with the form's client area and tells its grid.
// Every grid has its own, so nothing is chained through the form's OnResize and
// a grid that goes takes only its own probe with it.
class TFormSizeProbe : public TGraphicControl {
 public:
  explicit TFormSizeProbe(TComponent* AOwner) : TGraphicControl(AOwner) {}
  std::function<void()> OnSized;

 protected:
  void Resize() override {
    TGraphicControl::Resize();
    if (OnSized) OnSized();
  }
};

}  // namespace

TProStringGrid::TProStringGrid(TComponent* AOwner) : TBaseGrid(AOwner) {
  ProGridUnitStartup();
  const bool initDesign = IsDesigning() && AOwner &&
                          !AOwner->ComponentState().contains(csReading) &&
                          !AOwner->ComponentState().contains(csLoading);
  FFooterPanel = new TFooterPanel(this);
  FFooterPanel->SetAlign(alBottom);
  FFooterPanel->SetHeight(0);
  FFooterPanel->SetBorderWidth(0);
  FFocusHelper = std::make_unique<TFocusHelper>(this);
  FSearchFooter = std::make_unique<TSearchFooter>(this, initDesign);
  FFloatingFooter = std::make_unique<TFloatingFooter>(this);
  FPrintSettings = std::make_unique<TPrintSettings>(this);
  FHTMLSettings = std::make_unique<THTMLSettings>();
  FSortSettings = std::make_unique<TSortSettings>(this);
  FDragDropSettings = std::make_unique<TDragDropSettings>(this);
  FDragScrollOptions = std::make_unique<TDragScrollOptions>();
  FControlLook = std::make_unique<TControlLook>(this);
  FNavigation = std::make_unique<TNavigation>();
  FNavigation->OnChange = [this](TObject*) { NavigationChanged(); };
  FColumnSize = std::make_unique<TColumnSize>(this);
  FBands = std::make_unique<TBands>();
  FBands->OnChange = [this](TObject*) { Invalidate(); };
  FMouseActions = std::make_unique<TMouseActions>(this);
  FMouseActions->OnChange = [this](TObject*) { MouseActionsChanged(); };
  FMouseActions->OnIsDesigning = [this](TObject*) { return IsDesigning(); };
  FMouseActions->OnInvalidate = [this](TObject*) { DesignInvalidate(); };
  FGrouping = std::make_unique<TGrouping>();
  FImageCache = std::make_unique<THTMLPictureCache>();
  FSortIndexes = std::make_unique<TSortIndexList>();
  FProgressAppearance = std::make_unique<TGridProgressAppearance>();
  FProgressAppearance->OnChange = [this](TObject*) { Invalidate(); };
  FSyncGrid = std::make_unique<TSyncGrid>(this);
  FFilter = std::make_unique<TFilter>(this);
  FBalloonSettings = std::make_unique<TBalloonSettings>();
  FBalloonSettings->OnEnableChange = [this](TObject*) { BalloonEnableChanged(); };
  FShowModified = std::make_unique<TShowModified>();
  FShowModified->OnChange = [this](TObject*) { InvalidateCol(0); };
  FFilterDropDown = std::make_unique<TFilterDropDown>();
  FFilterDropDown->OnChange = [this](TObject*) { Invalidate(); };
  FDropList = new TDropList(this);
  FDropList->SetBounds(0, 0, 0, 0);
  FDropList->SetVisible(false);
  FDropList->SetParent(this);
  FDropList->OnSelect = [this](TObject*, int Index) { FilterDropListSelect(Index); };
  FDropCheckList = new TDropCheckList(this);
  FDropCheckList->SetBounds(0, 0, 0, 0);
  FDropCheckList->SetVisible(false);
  FDropCheckList->SetParent(this);
  FDropCheckList->OnSelect = [this](TObject*, int) { FilterDropCheckListSelect(); };

  CreateEditControls();

  FFixedFont = std::make_unique<TFont>();
  FFixedFont->SetName(QStringLiteral("Tahoma"));
  FFixedFont->SetStyle(TFontStyles{fsBold});
  FFixedFont->OnChange = [this](TObject*) { Invalidate(); };
  FActiveCellFont = std::make_unique<TFont>();
  FActiveCellFont->SetStyle(TFontStyles{fsBold});
  if (IsDesigning()) FActiveCellFont->SetName(QStringLiteral("Tahoma"));
  FActiveCellFont->OnChange = [this](TObject*) { Invalidate(); };

  FSelectedRows = std::make_unique<TIntList>(0, 0);
  FModifiedRows = std::make_unique<TIntList>(0, 0);
  FEnabledRows = std::make_unique<TIntList>(0, 0);
  FRowIndicator = std::make_unique<TBitmap>();
  FGridItems = std::make_unique<TGridItems>();
  FFilterList = std::make_unique<TStringList>();
  FFilterList->SetDuplicates(dupIgnore);
  FFilterList->SetSorted(true);
  FCellFont = std::make_unique<TFont>();
  FColumnOrder = std::make_unique<TIntList>(0, 0);
  FSortRowXRef = std::make_unique<TIntList>(0, 0);
  FIgnoreColumns = std::make_unique<TIntList>(-1, -1);

  SetRowCount(10);
  SetBounds(Left(), Top(), 400, 250);
  SetDefaultRowHeight(22);
  FFixedRowHeight = 22;
  FFixedRowsMin = TBaseGrid::FixedRows();
  FFixedColsMin = TBaseGrid::FixedCols();
  FMaxColCount = ColCount();
  F.ScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
  FLastRowUpdate = Row();

  // The form's size changes reach the grid through a probe of its own.
  if (auto* form = dynamic_cast<TCustomForm*>(AOwner); form && !IsDesigning()) {
    FSizeForm = form;
    FFormWidth = form->Width();
    FFormHeight = form->Height();
    auto* probe = new TFormSizeProbe(this);
    probe->SetVisible(false);
    probe->SetBounds(0, 0, form->ClientWidth(), form->ClientHeight());
    probe->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
    probe->SetParent(form);
    probe->OnSized = [this] { FormResized(); };
  }

  // Fixed cells of the REZ looks go from white to the button face.
  FREZGradientFrom = TColor(0xFFFFFF);
  FREZGradientTo = ColorToRGB(clBtnFace);
}

void TProStringGrid::Loaded() {
  TBaseGrid::Loaded();
  ShowColumnHeaders();
  ShowRowHeaders();
  if (F.AutoSize) AutoSizeColumns(false, 4);
  FFixedRowsMin = FixedRows();
  FFixedColsMin = FixedCols();
  FMinRowHeight = DefaultRowHeight();
  FMinColWidth = 10;
  FMaxRowCount = std::max(FMaxRowCount, RowCount());
  FLoaded = true;
  // The grid shows its editors itself.
  if (Options().contains(goAlwaysShowEditor)) {
    FNavigation->SetAlwaysEdit(true);
    SetOptions(Options() - TGridOptions{goAlwaysShowEditor});
  }
  FSearchFooter->SetAutoThemeAdapt(F.AutoThemeAdapt);
  LoadedLooks();
  if (FColumnSize->Save()) LoadColSizes();
  SetColumnOrder();
}

void TProStringGrid::FormResized() {
  if (IsDesigning() || ComponentState().contains(csDestroying) || !FSizeForm) return;
  if (FSizeWithForm) {
    const int dw = FSizeForm->Width() - FFormWidth, dh = FSizeForm->Height() - FFormHeight;
    if (Width() + dw > 0 && Height() + dh > 0) {
      SetBounds(Left(), Top(), Width() + dw, Height() + dh);
      FFormWidth = FSizeForm->Width();
      FFormHeight = FSizeForm->Height();
    }
  }
  StretchColumn(FColumnSize->StretchColumn());
}

int TProStringGrid::GetVersionNr() const { return 0x06020103; }

QString TProStringGrid::Version() const {
  const int v = GetVersionNr();
  return QStringLiteral("%1.%2.%3.%4")
      .arg((v >> 24) & 0xFF)
      .arg((v >> 16) & 0xFF)
      .arg((v >> 8) & 0xFF)
      .arg(v & 0xFF);
}

QString TProStringGrid::GetVersionString() const {
  return Version() + QStringLiteral(" Sep, 2012");
}

TProStringGrid::~TProStringGrid() {
  HideFocusGlow();
  // A store that cannot be written must not take the program down with the grid.
  if (FColumnSize->Save()) {
    try {
      SaveColSizes();
    } catch (const Exception&) {
    }
  }
  // The owned objects' events point at this grid: silence them first.
  FBands->OnChange = nullptr;
  FProgressAppearance->OnChange = nullptr;
  FShowModified->OnChange = nullptr;
  FFilterDropDown->OnChange = nullptr;
  FFixedFont->OnChange = nullptr;
  FColumnHeaders->OnChange = nullptr;
  FRowHeaders->OnChange = nullptr;
  FActiveCellFont->OnChange = nullptr;
  FMouseActions->OnChange = nullptr;
  FMouseActions->OnIsDesigning = nullptr;
  FMouseActions->OnInvalidate = nullptr;
  FNavigation->OnChange = nullptr;
}

void TProStringGrid::NotAvailable(const char* Operation) {
  throw EProGridError(
      QStringLiteral("TProStringGrid.%1 is not available").arg(QLatin1String(Operation)));
}

void TProStringGrid::SetREZGradientFrom(TColor Value) {
  FREZGradientFrom = ColorToRGB(Value);
  Invalidate();
}

void TProStringGrid::SetREZGradientTo(TColor Value) {
  FREZGradientTo = ColorToRGB(Value);
  Invalidate();
}

void TProStringGrid::SetREZGradientMirrorFrom(TColor Value) {
  FREZGradientMirrorFrom = ColorToRGB(Value);
  Invalidate();
}

void TProStringGrid::SetREZGradientMirrorTo(TColor Value) {
  FREZGradientMirrorTo = ColorToRGB(Value);
  Invalidate();
}


void TProStringGrid::SavePrintSettings(const QString& Key, const QString& Section) {
  TMemIniFile ini(Key);
  FPrintSettings->SaveToIni(&ini, Section);
  ini.UpdateFile();
}

void TProStringGrid::LoadPrintSettings(const QString& Key, const QString& Section) {
  TMemIniFile ini(Key);
  FPrintSettings->LoadFromIni(&ini, Section);
  ini.UpdateFile();
}

void TProStringGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TBaseGrid::Notification(AComponent, Operation);
  if (Operation != opRemove || AComponent == nullptr) return;
  if (AComponent == FPictureContainer) FPictureContainer = nullptr;
  if (AComponent == FEditLink) {
    // The link goes with its control: an edit it held ends without storing.
    FEditLink = nullptr;
    if (FEditControl == edCustom && FEditMode) {
      FEditCtrl = nullptr;
      FEditMode = FSpecialEditor = FEditActive = false;
    }
  }
}
