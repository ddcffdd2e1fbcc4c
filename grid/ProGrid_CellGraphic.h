// The graphic a cell of the string grid can carry (TCellGraphic) and the kinds
// it comes in. The grid's operations on graphics, check boxes and radio buttons
// are members of TProStringGrid (ProGrid_CellGraphic.cpp, ProGrid_CheckBox.cpp).
#pragma once

#include <QString>
#include <QVariant>

#include "controls/ProObj.h"
#include "controls/ProUtil.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Types.h"
#include "platform/widgets/StdCtrls.h"

class TBitmap;
class TIcon;
class TPicture;
class TFilePicture;
class TCanvas;
class TProStringGrid;

// The kind of a cell graphic; the ordinal values are fixed.
enum TCellType {
  ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage,
  ctNode, ctRadio, ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress, ctComment,
  ctButton, ctBitButton, ctVirtCheckBox, ctRowCheckBox, ctProgressPie, ctSummary,
  ctRangeIndicator, ctXPProgress, ctInterface, ctScrollbar, ctRadioButton, ctBalloon, ctShape,
  ctRating, ctTriStateCheckBox, ctExpand
};
using TCellTypes = TSet<TCellType, 64>;

enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TStretchMode { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };
enum TBalloonIcon { biNone, biInfo, biWarning, biError };

// Page size and range of an in-cell scroll bar.
struct TScrollProp {
  int PageSize = 0;
  int Range = 0;
};

// What an object given to a ctInterface cell implements to draw itself. An
// object without it claims the whole cell and draws nothing.
class ICellInterface {
 public:
  virtual ~ICellInterface() = default;
  // Draws the object in R of cell (ACol, ARow).
  virtual void Draw(TCanvas* Canvas, TRect R, int ACol, int ARow, bool Selected,
                    TProStringGrid* Grid) = 0;
  virtual int GetWidth() = 0;
  virtual int GetHeight() = 0;
  // Drawn before the cell text (else after it).
  virtual bool DrawsBeforeText() = 0;
};

// One cell's graphic. The value fields mean different things by kind: the
// object slots hold a bitmap, picture, string list or integer list, or a colour
// value for some kinds; CellIndex an index, packed size, colour or count;
// CellAngle an angle, stretch mode, scale or flag.
class TCellGraphic : public TPersistent {
 public:
  // Kind ctNone, owns nothing, every value zero or empty.
  TCellGraphic() = default;
  // Frees what the graphic owns by its kind.
  ~TCellGraphic() override;

  // Frees what the graphic owns by its kind and forgets the objects, as when it
  // is destroyed; the kind stays.
  void FreeOwned();

  // Copies kind, alignments and the plain values (not the objects, CellVar or
  // CellCheckBoxState); nothing when Source is no TCellGraphic.
  void Assign(TPersistent* Source) override;

  void SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
  void SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                  TCellHAlign hal, TCellVAlign val);
  void SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode,
                      int padding, TCellHAlign hal, TCellVAlign val);
  void SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val);
  void SetDataImage(int idx, TCellHAlign hal, TCellVAlign val);
  // An owned integer list that reports its changes for (Col, Row); dir 0: side by side.
  void SetMultiImage(int Col, int Row, int dir, TCellHAlign hal, TCellVAlign val,
                     TImageChangeEvent Notifier);
  void SetIcon(TIcon* aicon, TCellHAlign hal, TCellVAlign val);
  // ctDataCheckBox with Data, else ctCheckBox; the state in CellBoolean.
  void SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val);
  // ctTriStateCheckBox; the state in CellCheckBoxState.
  void SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val);
  void SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val);
  // ctRotated; the angle is brought into 0..360 (360 stays 360).
  void SetAngle(int16_t AAngle);
  // ctButton of bw x bh pixels (packed into CellIndex) with its caption.
  void SetButton(int bw, int bh, const QString& caption, TCellHAlign hal, TCellVAlign val);
  void SetBitButton(int bw, int bh, const QString& caption, TBitmap* Glyph, TCellHAlign hal,
                    TCellVAlign val);
  // ctInterface: an object that draws itself.
  void SetInterfacedCell(TPersistent* AObject);
  // The drawn size of a picture kind in an area cw x rh by the stretch mode;
  // other kinds return (0, 0).
  TPoint GetPictureSize(int cw, int rh, bool hastext) const;

  TCellType CellType() const { return FCellType; }
  void SetCellType(TCellType Value) { FCellType = Value; }
  TObject* CellBitmap() const { return FCellBitmap; }
  void SetCellBitmap(TObject* Value) { FCellBitmap = Value; }
  TObject* CellIcon() const { return FCellIcon; }
  void SetCellIcon(TObject* Value) { FCellIcon = Value; }
  TCellVAlign CellVAlign() const { return FCellVAlign; }
  void SetCellVAlign(TCellVAlign Value) { FCellVAlign = Value; }
  TCellHAlign CellHAlign() const { return FCellHAlign; }
  void SetCellHAlign(TCellHAlign Value) { FCellHAlign = Value; }
  int CellIndex() const { return FCellIndex; }
  void SetCellIndex(int Value) { FCellIndex = Value; }
  bool CellTransparent() const { return FCellTransparent; }
  void SetCellTransparent(bool Value) { FCellTransparent = Value; }
  // The graphic owns the object of CellBitmap / CellIcon.
  bool CellCreated() const { return FCellCreated; }
  void SetCellCreated(bool Value) { FCellCreated = Value; }
  bool CellBoolean() const { return FCellBoolean; }
  void SetCellBoolean(bool Value) { FCellBoolean = Value; }
  TCheckBoxState CellCheckBoxState() const { return FCellCheckBoxState; }
  void SetCellCheckBoxState(TCheckBoxState Value) { FCellCheckBoxState = Value; }
  int CellAngle() const { return FCellAngle; }
  void SetCellAngle(int Value) { FCellAngle = Value; }
  double CellValue() const { return FCellValue; }
  void SetCellValue(double Value) { FCellValue = Value; }
  int CellErrFrom() const { return FCellErrFrom; }
  void SetCellErrFrom(int Value) { FCellErrFrom = Value; }
  int CellErrLen() const { return FCellErrLen; }
  void SetCellErrLen(int Value) { FCellErrLen = Value; }
  const QString& CellText() const { return FCellText; }
  void SetCellText(const QString& Value) { FCellText = Value; }
  const QVariant& CellVar() const { return FCellVar; }
  void SetCellVar(const QVariant& Value) { FCellVar = Value; }

 private:
  // Sets the kind and both placements.
  void Place(TCellType Kind, TCellHAlign hal, TCellVAlign val);
  void SetPictureKind(TCellType Kind, TObject* APicture, bool Transparent, TStretchMode StretchMode,
                      int padding, TCellHAlign hal, TCellVAlign val);

  TCellType FCellType = ctNone;
  TObject* FCellBitmap = nullptr;
  TObject* FCellIcon = nullptr;
  TCellVAlign FCellVAlign = vaTop;
  TCellHAlign FCellHAlign = haLeft;
  int FCellIndex = 0;
  bool FCellTransparent = false;
  bool FCellCreated = false;
  bool FCellBoolean = false;
  int FCellAngle = 0;
  double FCellValue = 0;
  int FCellErrFrom = 0;
  int FCellErrLen = 0;
  QString FCellText;
  QVariant FCellVar;
  TCheckBoxState FCellCheckBoxState = cbUnchecked;
};
