// Pictures shown by mini-HTML text: a picture held as its encoded file data
// (BMP, GIF, JPEG, ICO ...) that can step through the frames of an animated GIF,
// a component holding named pictures, and the cache of pictures loaded from
// addresses.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/gdi/Graphics.h"

// A picture kept as its encoded data and decoded on every load and frame change.
// The decoded picture is the bitmap this object is; Width and Height are its
// size in pixels. For GIF data one frame is selected (1-based) and shown.
class THTMLPicture : public TBitmap {
 public:
  THTMLPicture();
  ~THTMLPicture() override;

  bool Empty() const override { return FIsEmpty; }
  // The size follows the data: setting it does nothing.
  void SetWidth(int) override {}
  void SetHeight(int) override {}
  // Draw stretches to the target rectangle.
  bool Stretch() const { return FStretched; }
  void SetStretch(bool Value) { FStretched = Value; }
  // Nothing when empty; stretched into R, else at R's top-left in its own size.
  void Draw(TCanvas* ACanvas, const TRect& R) override;

  // Takes Data as the picture's encoded data, decodes it and fires OnChange.
  // Data the decoder cannot read raises "Could not load image. Invalid format".
  void LoadFromBytes(const QByteArray& Data) override;
  // The data as loaded.
  QByteArray SaveToBytes() const override { return FData; }
  // A null stream does nothing; otherwise the rest of the stream is the data.
  void LoadFromStream(TStream* Stream) override;
  // Any failure leaves the picture empty, without an error.
  void LoadFromFile(const QString& FileName) override;
  // The program's raw resource of that name or number, when it exists.
  void LoadFromResourceName(std::intptr_t Instance, const QString& ResName);
  void LoadFromResourceID(std::intptr_t Instance, int ResID);
  // "RES://name" loads a resource and "FILE://path" a file (ID becomes the
  // whole address); any other address sets URL and ID and loads nothing:
  // pictures are not downloaded.
  void LoadFromURL(const QString& url);
  // Empties the picture; then copies another picture's data (nullptr: none).
  void Assign(TPersistent* Source) override;

  // Whether a download runs; pictures are never downloaded, so always false.
  bool Busy() const { return FThreadBusy; }
  bool Asynch() const { return FAsynch; }
  void SetAsynch(bool Value) { FAsynch = Value; }
  // Lookup key in a picture cache.
  const QString& ID() const { return FID; }
  void SetID(const QString& Value) { FID = Value; }
  // The address of the last LoadFromURL.
  const QString& URL() const { return FURL; }
  bool IsDB() const { return FIsDB; }
  void SetIsDB(bool Value) { FIsDB = Value; }

  // --- animated GIF ---------------------------------------------------------

  // The data holds at least 5 bytes and begins with "GIF8".
  bool IsGIF() const;
  // Number of frames of GIF data; -1 for other data.
  int FrameCount();
  // The frame shown, 1-based; setting it decodes that frame and fires
  // OnFrameChange (when there is data).
  int Frame() const { return FFrame; }
  void SetFrame(int Value);
  // Next frame (after the last: the first), previous frame (before the first:
  // the last).
  void FrameNext();
  void FramePrev();
  // Delay of frame i in hundredths of a second, -1 when there is no such frame;
  // also records that frame's transparency flag and disposal method.
  int GetFrameTime(int i);
  // One tick (a tenth of a second) of the animation; true when the frame changed.
  bool Step();
  // Size of the animation area (the GIF's logical screen), else the picture's.
  int MaxWidth() const { return FAnimMaxX ? FAnimMaxX : Width(); }
  int MaxHeight() const { return FAnimMaxY ? FAnimMaxY : Height(); }
  // Position and size of the shown frame inside the animation area.
  int FrameXPos() const { return FFrameXPos; }
  int FrameYPos() const { return FFrameYPos; }
  int FrameXSize() const { return FFrameXSize; }
  int FrameYSize() const { return FFrameYSize; }
  bool FrameTransparent() const { return FFrameTransp; }
  int FrameDisposal() const { return FFrameDisposal; }

  TNotifyEvent OnFrameChange;
  // Declared for downloads; never fired.
  TNotifyEvent OnDownLoadProgress, OnDownLoadCancel, OnDownLoadComplete, OnDownLoadError;

 private:
  void Decode();
  void MakeEmpty();

  QByteArray FData;
  bool FIsEmpty = true;
  bool FStretched = false;
  QString FURL;
  QString FID;
  bool FIsDB = false;
  bool FAsynch = true;
  bool FThreadBusy = false;
  int FFrame = 1;
  int FFrameCount = -1;
  int FFrameXPos = 0, FFrameYPos = 0, FFrameXSize = 0, FFrameYSize = 0;
  bool FFrameTransp = false;
  int FFrameDisposal = 0;
  int FAnimMaxX = 0, FAnimMaxY = 0;
  int FNextCount = -1;
  int FTimerCount = -1;
};

// A named picture of a picture container.
class TPictureItem : public TCollectionItem {
 public:
  explicit TPictureItem(TCollection* Collection);
  ~TPictureItem() override;
  const QString& Name() const { return FName; }
  void SetName(const QString& Value) { FName = Value; }
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  THTMLPicture* Picture() const { return FPicture.get(); }
  // Copies Value's picture.
  void SetPicture(THTMLPicture* Value) { FPicture->Assign(Value); }
  void Assign(TPersistent* Source) override;

 private:
  QString FName;
  int FTag = 0;
  std::unique_ptr<THTMLPicture> FPicture;
};

class TPictureCollection : public TOwnedCollection {
 public:
  explicit TPictureCollection(TPersistent* AOwner);
  TPictureItem* Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
  TPictureItem* Insert(int Index) { return static_cast<TPictureItem*>(TCollection::Insert(Index)); }
  TPictureItem* Items(int Index) const {
    return static_cast<TPictureItem*>(TCollection::Items(Index));
  }
  // One animation tick for every picture; true when any frame changed.
  bool Animate();
};

// Named pictures for <IMG SRC="name">.
class TPictureContainer : public TComponent {
 public:
  explicit TPictureContainer(TComponent* AOwner);
  ~TPictureContainer() override;
  TPictureCollection* Items() const { return FItems.get(); }
  void SetItems(TPictureCollection* Value) { FItems->Assign(Value); }
  // The picture of the first item whose name equals Name, ignoring ASCII
  // letter case; nullptr when none.
  THTMLPicture* FindPicture(const QString& Name) const;

 private:
  std::unique_ptr<TPictureCollection> FItems;
};

// Pictures loaded from addresses, looked up by their ID; the cache owns them.
class THTMLPictureCache : public TObject {
 public:
  THTMLPictureCache();
  ~THTMLPictureCache() override;
  // Adds an empty picture and returns it.
  THTMLPicture* AddPicture();
  // The first picture whose ID equals ID exactly; nullptr when none.
  THTMLPicture* FindPicture(const QString& ID) const;
  int Count() const { return int(FItems.size()); }
  THTMLPicture* GetPicture(int Index) const;
  // Puts Value (taken over) at Index; the picture that was there is freed.
  void SetPicture(int Index, THTMLPicture* Value);
  // Frees every picture.
  void ClearPictures();
  // One animation tick for every picture; true when any frame changed.
  bool Animate();

 private:
  void CheckIndex(int Index) const;
  std::vector<std::unique_ptr<THTMLPicture>> FItems;
};
