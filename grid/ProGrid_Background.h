// The background of the string grid: a picture or a colour gradient behind
// the cells and in the empty area beyond the last column and row.
#pragma once

#include <memory>

#include "platform/gdi/Graphics.h"
#include "platform/rtl/Classes.h"

class TProStringGrid;

enum TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
// Which cells show the background: the normal cells, the fixed cells, or all.
enum TBackGroundCells { bcNormal, bcFixed, bcAll };

// The grid's background settings; every setter repaints the grid. A value
// outside its enumeration raises EProGridError and changes nothing.
class TBackGround : public TPersistent {
 public:
  explicit TBackGround(TProStringGrid* AGrid);
  ~TBackGround() override;

  // Where the picture stands in bdFixed mode (client coordinates).
  int Top() const { return FTop; }
  void SetTop(int Value);
  int Left() const { return FLeft; }
  void SetLeft(int Value);
  TBackGroundDisplay Display() const { return FDisplay; }
  void SetDisplay(TBackGroundDisplay Value);
  TBackGroundCells Cells() const { return FBackgroundCells; }
  void SetCells(TBackGroundCells Value);
  // Gradient end and start colours.
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // The picture (owned); the setter copies the given one (nullptr: none).
  TBitmap* Bitmap() const { return FBitmap.get(); }
  void SetBitmap(TBitmap* Value);
  // Whether a picture is set.
  bool HasPicture() const { return !FBitmap->Empty(); }

  // Copies every setting and the picture.
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

 private:
  void Changed();
  TProStringGrid* FGrid;
  int FTop = 0;
  int FLeft = 0;
  TBackGroundDisplay FDisplay = bdTile;
  TBackGroundCells FBackgroundCells = bcNormal;
  TColor FColorTo = clBtnFace;
  TColor FColor = clWindow;
  std::unique_ptr<TBitmap> FBitmap;
};
