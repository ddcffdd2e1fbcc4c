// Cell graphics: the TCellGraphic object, where a cell's graphic lives, how it
// is created, looked up and removed, and the size it claims in the cell.
#include <cmath>

#include "controls/ProObj.h"
#include "grid/ProGrid.h"
#include "platform/gdi/Graphics.h"

// ---------------------------------------------------------------- TCellGraphic

TCellGraphic::~TCellGraphic() { FreeOwned(); }

void TCellGraphic::FreeOwned() {
  switch (FCellType) {
    case ctBitmap:
    case ctRadio:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
      if (FCellCreated) delete FCellBitmap;
      FCellBitmap = nullptr;
      break;
    case ctIcon:
      if (FCellCreated) delete FCellIcon;
      FCellIcon = nullptr;
      break;
    case ctImages:
    case ctBalloon:
      delete FCellBitmap;
      FCellBitmap = nullptr;
      break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadioButton:
      // The texts of an attached balloon.
      if (FCellAngle == 1) {
        delete FCellBitmap;
        FCellBitmap = nullptr;
        FCellAngle = 0;
      }
      break;
    default:
      break;
  }
  FCellCreated = false;
}

void TCellGraphic::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TCellGraphic*>(Source);
  if (!src) return;
  FCellType = src->FCellType;
  FCellHAlign = src->FCellHAlign;
  FCellVAlign = src->FCellVAlign;
  FCellIndex = src->FCellIndex;
  FCellTransparent = src->FCellTransparent;
  FCellValue = src->FCellValue;
  FCellAngle = src->FCellAngle;
  FCellBoolean = src->FCellBoolean;
  FCellErrFrom = src->FCellErrFrom;
  FCellErrLen = src->FCellErrLen;
  FCellText = src->FCellText;
  FCellCreated = src->FCellCreated;
}

void TCellGraphic::Place(TCellType Kind, TCellHAlign hal, TCellVAlign val) {
  FCellType = Kind;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val) {
  Place(ctBitmap, hal, val);
  FCellBitmap = ABmp;
  FCellTransparent = Transparent;
}

void TCellGraphic::SetPictureKind(TCellType Kind, TObject* APicture, bool Transparent,
                                  TStretchMode StretchMode, int padding, TCellHAlign hal,
                                  TCellVAlign val) {
  Place(Kind, hal, val);
  FCellBitmap = APicture;
  FCellTransparent = Transparent;
  FCellAngle = StretchMode;
  FCellIndex = padding;
}

void TCellGraphic::SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode,
                              int padding, TCellHAlign hal, TCellVAlign val) {
  SetPictureKind(ctPicture, APicture, Transparent, StretchMode, padding, hal, val);
}

void TCellGraphic::SetFilePicture(TFilePicture* APicture, bool Transparent,
                                  TStretchMode StretchMode, int padding, TCellHAlign hal,
                                  TCellVAlign val) {
  SetPictureKind(ctFilePicture, APicture, Transparent, StretchMode, padding, hal, val);
}

void TCellGraphic::SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val) {
  Place(ctImageList, hal, val);
  FCellIndex = idx;
}

void TCellGraphic::SetDataImage(int idx, TCellHAlign hal, TCellVAlign val) {
  Place(ctDataImage, hal, val);
  FCellIndex = idx;
}

void TCellGraphic::SetMultiImage(int Col, int Row, int dir, TCellHAlign hal, TCellVAlign val,
                                 TImageChangeEvent Notifier) {
  Place(ctImages, hal, val);
  auto* list = new TIntList(Col, Row);
  list->OnChange = std::move(Notifier);
  FCellBitmap = list;
  FCellBoolean = dir == 0;
  FCellCreated = true;
}

void TCellGraphic::SetIcon(TIcon* aicon, TCellHAlign hal, TCellVAlign val) {
  Place(ctIcon, hal, val);
  FCellIcon = aicon;
}

void TCellGraphic::SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val) {
  Place(Data ? ctDataCheckBox : ctCheckBox, hal, val);
  FCellBoolean = Value;
  FCellAngle = 0;
  FCellTransparent = Flat;
}

void TCellGraphic::SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val) {
  Place(ctTriStateCheckBox, hal, val);
  FCellCheckBoxState = Value;
  FCellBoolean = false;
  FCellTransparent = Flat;
}

void TCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val) {
  SetCheckBox(Value, false, Flat, hal, val);
  FCellType = ctRadioButton;
}

void TCellGraphic::SetAngle(int16_t AAngle) {
  FCellType = ctRotated;
  int a = AAngle;
  while (a < 0) a += 360;
  while (a > 360) a -= 360;
  FCellAngle = a;
}

void TCellGraphic::SetButton(int bw, int bh, const QString& caption, TCellHAlign hal,
                             TCellVAlign val) {
  Place(ctButton, hal, val);
  FCellIndex = bh * 65536 + (bw & 0xFFFF);
  FCellBoolean = false;
  FCellText = caption;
}

void TCellGraphic::SetBitButton(int bw, int bh, const QString& caption, TBitmap* Glyph,
                                TCellHAlign hal, TCellVAlign val) {
  SetButton(bw, bh, caption, hal, val);
  FCellType = ctBitButton;
  FCellBitmap = Glyph;
}

void TCellGraphic::SetInterfacedCell(TPersistent* AObject) {
  FCellType = ctInterface;
  FCellBitmap = AObject;
}

TPoint TCellGraphic::GetPictureSize(int cw, int rh, bool) const {
  int w = 0, h = 0;
  if (FCellType == ctPicture) {
    auto* p = dynamic_cast<TPicture*>(FCellBitmap);
    if (!p) return {0, 0};
    w = p->Width();
    h = p->Height();
  } else if (FCellType == ctFilePicture) {
    auto* p = dynamic_cast<TFilePicture*>(FCellBitmap);
    if (!p) return {0, 0};
    w = p->Width();
    h = p->Height();
  } else {
    return {0, 0};
  }
  cw -= FCellIndex;
  rh -= FCellIndex;
  // Halves round to even, as the framework's Round does.
  auto round = [](double v) { return int(std::nearbyint(v)); };
  auto aspect = [&](bool capped) -> TPoint {
    double fx = w > 0 ? double(cw) / w : 1;
    double fy = h > 0 ? double(rh) / h : 1;
    if (capped) {
      fx = std::min(fx, 1.0);
      fy = std::min(fy, 1.0);
    }
    if (fx >= fy) return {round(w * fy), capped ? round(h * fy) : rh};
    return {capped ? round(w * fx) : cw, round(h * fx)};
  };
  switch (FCellAngle) {
    case Stretch:
      return {cw, rh};
    case StretchWithAspectRatio:
      return aspect(false);
    case Shrink:
      if (cw >= w && rh >= h) return {w, h};
      return {cw, rh};
    case ShrinkWithAspectRatio:
      if (cw >= w && rh >= h) return {w, h};
      return aspect(true);
    default:
      return {w, h};
  }
}

// ---------------------------------------------------------- the grid's graphics

TCellGraphic* TProStringGrid::GetCellGraphic(int ACol, int ARow) {
  TCellGraphic* g = nullptr;
  if (ACol >= 0 && ARow >= 0) g = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
  if (ACol != 0 || !MouseActions()->HotmailRowSelect()) return g;
  // The shared row check box, refreshed for the row asked about.
  if (!FRowCheckBox) FRowCheckBox = std::make_unique<TCellGraphic>();
  TCellGraphic* rc = FRowCheckBox.get();
  rc->SetCellType(ctRowCheckBox);
  if (ARow == 0) {
    const int normal = RowCount() - FixedRows();
    const int selected = RowSelectCount();
    rc->SetCellAngle(selected >= 1 && selected < normal ? 1 : 0);
    rc->SetCellBoolean(selected >= normal);
  } else {
    rc->SetCellAngle(0);
    const int real = RealRowIndex(ARow);
    rc->SetCellBoolean(real >= 0 && real < RowCount() && RowSelect(real));
  }
  rc->SetCellTransparent(ControlLook()->ControlStyle() == csFlat);
  return rc;
}

TCellType TProStringGrid::GetCellType(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return ctEmpty;
  if (ACol == 0 && MouseActions()->HotmailRowSelect()) return ctRowCheckBox;
  auto* g = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
  return g ? g->CellType() : ctEmpty;
}

TPoint TProStringGrid::GetCellGraphicSize(int ACol, int ARow) {
  return CalcCellGraphicSize(ACol, ARow, 0);
}

TCellGraphic* TProStringGrid::CreateCellGraphic(int ACol, int ARow) {
  // A shared graphic is never the cell's own, so only the cell's own is freed.
  delete dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
  const bool wasEmpty = GetCellEx(ACol, ARow).isEmpty();
  if (wasEmpty) SetCellEx(ACol, ARow, QStringLiteral(" "));
  auto* g = new TCellGraphic();
  GetCellProperties(ACol, ARow)->SetGraphicObject(g);
  if (wasEmpty) SetCellEx(ACol, ARow, QString());
  if (NumHiddenColumns() > 0 && DisplColIndex(ACol) != ACol) RepaintCell(DisplColIndex(ACol), ARow);
  return g;
}

bool TProStringGrid::RemoveCellGraphic(int ACol, int ARow) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) return false;
  // The cell's own slot is cleared; the shared graphics stay with the grid.
  TObject* own = GetGraphicObjectEx(ACol, ARow);
  if (own) SetGraphicObjectEx(ACol, ARow, nullptr);
  if (g->CellType() != ctVirtCheckBox && g->CellType() != ctRowCheckBox) delete g;
  else if (own && own != g) delete dynamic_cast<TCellGraphic*>(own);
  if (!ComponentState().contains(csDestroying)) RepaintCell(DisplColIndex(ACol), ARow);
  return true;
}

bool TProStringGrid::RemoveCellGraphicOfType(int ACol, int ARow, TCellType ACellType) {
  if (GetCellType(ACol, ARow) != ACellType) return false;
  return RemoveCellGraphic(ACol, ARow);
}

bool TProStringGrid::HasGraphicType(int ACol, int ARow, TCellTypes Kinds) {
  if (ACol < 0 || ARow < 0) return false;
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic* g = GetCellGraphic(b.X, b.Y);
  return g && Kinds.contains(g->CellType());
}

TIntList* TProStringGrid::GetCellImages(int ACol, int ARow) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g || g->CellType() != ctImages) return nullptr;
  return dynamic_cast<TIntList*>(g->CellBitmap());
}

int TProStringGrid::GetCellImageValue(int ACol, int ARow) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) return -1;
  switch (g->CellType()) {
    case ctBitmap:
      return int(reinterpret_cast<quintptr>(g->CellBitmap()) & 0x7FFFFFFF);
    case ctIcon:
      return int(reinterpret_cast<quintptr>(g->CellIcon()) & 0x7FFFFFFF);
    case ctImageList:
      return g->CellIndex();
    default:
      return -1;
  }
}

TImageList* TProStringGrid::GetCellImageList() { return FGridImages; }

namespace {

// Tells its grid when the grid's image list is destroyed.
class TGridImagesLink : public TComponent {
 public:
  explicit TGridImagesLink(std::function<void()> Lost) : TComponent(nullptr), FLost(std::move(Lost)) {}

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) FLost();
  }

 private:
  std::function<void()> FLost;
};

}  // namespace

void TProStringGrid::SetGridImages(TImageList* Value) {
  if (Value == FGridImages) return;
  if (!FGridImagesLink)
    FGridImagesLink = std::make_unique<TGridImagesLink>([this] { FGridImages = nullptr; });
  if (FGridImages) FGridImages->RemoveFreeNotification(FGridImagesLink.get());
  FGridImages = Value;
  if (Value) Value->FreeNotification(FGridImagesLink.get());
}

// ----------------------------------------------------------- sizes in the layout

namespace {

int GraphicWidth(TObject* o) {
  if (auto* g = dynamic_cast<TGraphic*>(o)) return g->Width();
  return 0;
}

int GraphicHeight(TObject* o) {
  if (auto* g = dynamic_cast<TGraphic*>(o)) return g->Height();
  return 0;
}

}  // namespace

TPoint TProStringGrid::CalcCellGraphicSize(int ACol, int ARow, int Extra) {
  return GraphicLayoutSize(ACol, ARow, Extra, true);
}

TPoint TProStringGrid::GraphicLayoutSize(int ACol, int ARow, int Extra, bool FullRule) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) return {0, 0};
  const bool hastext = !Cells(ACol, ARow).isEmpty();
  const bool beside = g->CellHAlign() == haBeforeText || g->CellHAlign() == haAfterText;
  const bool aboveUnder = g->CellVAlign() == vaUnderText || g->CellVAlign() == vaAboveText;
  const int xoff = XYOffset().X * (XYOffsetTopLeftOnly() ? 1 : 2);
  const int yoff = XYOffset().Y * (XYOffsetTopLeftOnly() ? 1 : 2);
  TPoint r{0, 0};
  bool fullRuleApplies = FullRule;
  TImageList* images = GetCellImageList();
  switch (g->CellType()) {
    case ctBitmap:
      r.X = beside || !hastext ? GraphicWidth(g->CellBitmap()) : 0;
      r.Y = aboveUnder || !hastext ? GraphicHeight(g->CellBitmap()) : 0;
      break;
    case ctIcon:
      r.X = beside || !hastext ? GraphicWidth(g->CellIcon()) : 0;
      r.Y = GraphicHeight(g->CellIcon());
      break;
    case ctImageList:
    case ctDataImage:
      if (images) {
        r.X = beside || !hastext ? images->Width() : 0;
        r.Y = aboveUnder || !hastext ? images->Height() : 0;
      }
      break;
    case ctImages:
      if (images) {
        const auto* list = dynamic_cast<TIntList*>(g->CellBitmap());
        const int n = list ? list->Count() : 0;
        r = g->CellBoolean() ? TPoint{n * images->Width(), images->Height()}
                             : TPoint{images->Width(), n * images->Height()};
      }
      break;
    case ctPicture:
    case ctFilePicture: {
      const TPoint sz = CellSize(ACol, ARow);
      r = g->GetPictureSize(sz.X - 1 - xoff, sz.Y - 1 - yoff - Extra, hastext);
      break;
    }
    case ctButton:
    case ctBitButton: {
      r = {g->CellIndex() & 0xFFFF, (g->CellIndex() >> 16) & 0xFFFF};
      if (hastext) {
        if (g->CellHAlign() == haCenter) r.X = 0;
        if (g->CellHAlign() == haFull) r.X = Canvas()->TextWidth(g->CellText()) + 4;
        if (aboveUnder) r.X = 0;
        else r.Y = 0;
      } else if (g->CellHAlign() == haFull) {
        Canvas()->Font()->Assign(Font());
        r.X = Canvas()->TextWidth(g->CellText()) + 4;
        if (!g->CellText().isEmpty()) fullRuleApplies = false;
      }
      break;
    }
    case ctInterface: {
      // The object's own size; the whole cell when it has none.
      if (auto* obj = dynamic_cast<ICellInterface*>(g->CellBitmap())) r = {obj->GetWidth(), obj->GetHeight()};
      if (r.X == 0 || r.Y == 0) {
        const TRect cr = CellRect(ACol, ARow);
        r = {cr.Width(), cr.Height()};
      }
      break;
    }
    case ctProgressPie:
      r = {20, 20};
      break;
    case ctRadioButton:
      r = {ControlLook()->RadioSize(), ControlLook()->RadioSize()};
      break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox:
      r = {ControlLook()->CheckSize(), ControlLook()->CheckSize()};
      break;
    case ctRadio: {
      auto* options = dynamic_cast<TStrings*>(g->CellBitmap());
      const int n = options ? options->Count() : 0;
      const int gh = Canvas()->TextHeight(QStringLiteral("gh"));
      if (g->CellBoolean()) {
        int w = 0;
        for (int i = 0; i < n; ++i) w += Canvas()->TextWidth(options->Strings(i)) + 12;
        r = {w, gh};
      } else {
        int w = 12;
        for (int i = 0; i < n; ++i) w = std::max(w, Canvas()->TextWidth(options->Strings(i)) + 12);
        r = {w, std::max(16, gh) * n};
      }
      break;
    }
    case ctRating:
      r = {g->CellAngle() * 18, 16};
      fullRuleApplies = false;
      break;
    default:
      break;
  }
  if (fullRuleApplies) {
    const TRect cr = CellRect(ACol, ARow);
    if (g->CellVAlign() == vaFull) r.Y = cr.Height();
    if (g->CellHAlign() == haFull) r.X = cr.Width();
  }
  return r;
}

TPoint TProStringGrid::CalcPrintGraphicSize(int ACol, int ARow, int cw, int rh, double Scale) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) return {0, 0};
  TImageList* images = GetCellImageList();
  switch (g->CellType()) {
    case ctBitmap:
      return {GraphicWidth(g->CellBitmap()), GraphicHeight(g->CellBitmap())};
    case ctIcon:
      return {GraphicWidth(g->CellIcon()), GraphicHeight(g->CellIcon())};
    case ctDataImage:
      return images ? TPoint{images->Width(), images->Height()} : TPoint{0, 0};
    case ctImageList: {
      if (!images) return {0, 0};
      const bool beside = g->CellHAlign() == haBeforeText || g->CellHAlign() == haAfterText;
      const bool hastext = !Cells(ACol, ARow).isEmpty();
      return {beside || !hastext ? images->Width() : 0, images->Height()};
    }
    case ctPicture:
    case ctFilePicture: {
      const TPoint p = g->GetPictureSize(cw, rh, !Cells(ACol, ARow).isEmpty());
      if (Scale == 0) return p;
      return {int(std::nearbyint(p.X / Scale)), int(std::nearbyint(p.Y / Scale))};
    }
    case ctNode:
      return {20, 20};
    case ctProgress:
    case ctXPProgress:
      return {ColWidths(DisplColIndex(ACol)), RowHeights(ARow)};
    case ctShape: {
      const int side = RowHeights(ARow) - 2 * XYOffset().Y;
      return {side, side};
    }
    case ctButton:
    case ctBitButton:
      return {g->CellIndex() & 0xFFFF, (g->CellIndex() >> 16) & 0xFFFF};
    case ctRating:
      return {0, 0};
    case ctInterface: {
      // Only the dimension the object leaves at 0 takes the cell's.
      TPoint r{0, 0};
      if (auto* obj = dynamic_cast<ICellInterface*>(g->CellBitmap())) r = {obj->GetWidth(), obj->GetHeight()};
      const TRect cr = CellRect(ACol, ARow);
      if (r.X == 0) r.X = cr.Width();
      if (r.Y == 0) r.Y = cr.Height();
      return r;
    }
    default:
      return GraphicLayoutSize(ACol, ARow, 0, false);
  }
}
