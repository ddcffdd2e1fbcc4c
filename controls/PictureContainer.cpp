#include "controls/PictureContainer.h"

#include <QScopedValueRollback>

#include "platform/rtl/SysUtils.h"

namespace {

// A GIF frame starts with a graphic control extension of block size 4
// ($21 $F9 $04) that the frame's image descriptor ($2C) follows at +8.
bool IsFrameMarker(const QByteArray& D, qsizetype j) {
  return j + 8 < D.size() && uint8_t(D[j]) == 0x21 && uint8_t(D[j + 1]) == 0xF9 &&
         uint8_t(D[j + 2]) == 0x04 && uint8_t(D[j + 8]) == 0x2C;
}

// A little-endian 16-bit value; 0 where the data ends before it.
int Word16(const QByteArray& D, qsizetype j) {
  if (j < 0 || j + 1 >= D.size()) return 0;
  return uint8_t(D[j]) | (uint8_t(D[j + 1]) << 8);
}

// The data of a file or a program resource; empty when it cannot be read.
QByteArray ReadAll(const QString& FileName) {
  TFileStream stream(FileName, fmOpenRead);
  return stream.ReadRest();
}

}  // namespace

// ------------------------------------------------------------ THTMLPicture

THTMLPicture::THTMLPicture() = default;
THTMLPicture::~THTMLPicture() = default;

bool THTMLPicture::IsGIF() const { return FData.size() >= 5 && FData.startsWith("GIF8"); }

int THTMLPicture::FrameCount() {
  if (FFrameCount != -1) return FFrameCount;
  if (!IsGIF()) return -1;
  int n = 0;
  // Only markers whose image descriptor lies wholly inside the data count.
  for (qsizetype j = 0; j + 9 < FData.size(); ++j)
    if (IsFrameMarker(FData, j)) ++n;
  FFrameCount = n;
  return n;
}

void THTMLPicture::Decode() {
  FFrameXPos = FFrameYPos = 0;
  FAnimMaxX = FAnimMaxY = 0;
  QByteArray shown;
  if (IsGIF() && FrameCount() > 0) {
    FAnimMaxX = Word16(FData, 6);
    FAnimMaxY = Word16(FData, 8);
    // Every frame before the selected one is left out, so that the decoder
    // shows the selected frame first.
    shown.reserve(FData.size());
    int k = 0;
    bool skipping = false;
    for (qsizetype j = 0; j < FData.size(); ++j) {
      if (j + 9 < FData.size() && IsFrameMarker(FData, j)) {
        ++k;
        if (k == FFrame) {
          FFrameXPos = Word16(FData, j + 9);
          FFrameYPos = Word16(FData, j + 11);
          FFrameXSize = Word16(FData, j + 13);
          FFrameYSize = Word16(FData, j + 15);
        }
        skipping = FFrame >= k + 1;
      }
      if (!skipping) shown.append(FData[j]);
    }
  } else {
    shown = FData;
  }
  if (shown.isEmpty()) throw Exception(QStringLiteral("Empty image stream created"));
  // The decoded picture is this bitmap; decoding tells nobody by itself.
  QScopedValueRollback<TNotifyEvent> quiet(OnChange, nullptr);
  try {
    TBitmap::LoadFromBytes(shown);
  } catch (const EInvalidGraphic&) {
    throw Exception(QStringLiteral("Could not load image. Invalid format"));
  }
}

void THTMLPicture::MakeEmpty() {
  FData.clear();
  FIsEmpty = true;
  FFrameCount = -1;
  FNextCount = -1;
  FTimerCount = -1;
  FFrame = 1;
  FFrameXPos = FFrameYPos = FFrameXSize = FFrameYSize = 0;
  FAnimMaxX = FAnimMaxY = 0;
  QScopedValueRollback<TNotifyEvent> quiet(OnChange, nullptr);
  TBitmap::SetSize(0, 0);
}

void THTMLPicture::LoadFromBytes(const QByteArray& Data) {
  FData = Data;
  FIsEmpty = false;
  FFrameCount = -1;
  try {
    Decode();
  } catch (const Exception&) {
    // Data that does not decode leaves no half-loaded picture behind.
    MakeEmpty();
    throw;
  }
  Changed();
}

void THTMLPicture::LoadFromStream(TStream* Stream) {
  if (!Stream) return;
  LoadFromBytes(Stream->ReadRest());
}

void THTMLPicture::LoadFromFile(const QString& FileName) {
  try {
    LoadFromBytes(ReadAll(FileName));
  } catch (const Exception&) {
    MakeEmpty();
  }
}

void THTMLPicture::LoadFromResourceName(std::intptr_t, const QString& ResName) {
  const QString path = QStringLiteral(":/res/") + ResName;
  if (FileExists(path)) LoadFromBytes(ReadAll(path));
}

void THTMLPicture::LoadFromResourceID(std::intptr_t Instance, int ResID) {
  LoadFromResourceName(Instance, QString::number(ResID));
}

void THTMLPicture::LoadFromURL(const QString& url) {
  const QString upper = url.toUpper();
  if (upper.startsWith(QLatin1String("RES://"))) {
    FID = url;
    const QString name = url.mid(6);
    if (!name.isEmpty()) LoadFromResourceName(0, name);
  } else if (upper.startsWith(QLatin1String("FILE://"))) {
    FID = url;
    LoadFromFile(url.mid(7));
  } else {
    // Network addresses are remembered, not downloaded; no download ever runs,
    // so Busy stays off.
    FURL = url;
    FID = url;
  }
}

void THTMLPicture::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<THTMLPicture*>(Source);
  if (Source && !src) {
    TPersistent::Assign(Source);
    return;
  }
  MakeEmpty();
  if (!src || src->FIsEmpty) return;
  LoadFromBytes(src->FData);
}

void THTMLPicture::Draw(TCanvas* ACanvas, const TRect& R) {
  if (FIsEmpty || !ACanvas) return;
  if (FStretched)
    TBitmap::Draw(ACanvas, R);
  else
    TBitmap::Draw(ACanvas, TRect(R.Left, R.Top, R.Left + Width(), R.Top + Height()));
}

void THTMLPicture::SetFrame(int Value) {
  FFrame = Value;
  if (FData.isEmpty()) return;
  Decode();
  if (OnFrameChange) OnFrameChange(this);
}

void THTMLPicture::FrameNext() { SetFrame(FFrame < FrameCount() ? FFrame + 1 : 1); }

void THTMLPicture::FramePrev() { SetFrame(FFrame > 1 ? FFrame - 1 : std::max(1, FrameCount())); }

int THTMLPicture::GetFrameTime(int i) {
  if (!IsGIF()) return -1;
  int k = 0;
  for (qsizetype j = 0; j + 8 < FData.size(); ++j) {
    if (!IsFrameMarker(FData, j)) continue;
    if (++k != i) continue;
    const uint8_t packed = uint8_t(FData[j + 3]);
    FFrameTransp = packed & 1;
    FFrameDisposal = (packed >> 2) & 7;
    return Word16(FData, j + 4);
  }
  return -1;
}

bool THTMLPicture::Step() {
  if (FrameCount() < 2 || FIsEmpty) return false;
  if (FNextCount == -1) GetFrameTime(FFrame);
  bool changed = false;
  // Ticks are tenths of a second, frame delays hundredths.
  if (FTimerCount * 10 >= FNextCount) {
    FrameNext();
    FNextCount += GetFrameTime(FFrame);
    changed = true;
  }
  ++FTimerCount;
  return changed;
}

// ------------------------------------------------------------ container

TPictureItem::TPictureItem(TCollection* Collection)
    : TCollectionItem(Collection), FPicture(std::make_unique<THTMLPicture>()) {}

TPictureItem::~TPictureItem() = default;

void TPictureItem::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TPictureItem*>(Source);
  if (!src) {
    TCollectionItem::Assign(Source);
    return;
  }
  FName = src->FName;
  FTag = src->FTag;
  FPicture->Assign(src->FPicture.get());
}

TPictureCollection::TPictureCollection(TPersistent* AOwner)
    : TOwnedCollection(AOwner, CollectionItemClass<TPictureItem>()) {}

bool TPictureCollection::Animate() {
  bool changed = false;
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Picture()->Step()) changed = true;
  return changed;
}

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TPictureCollection>(this)) {}

TPictureContainer::~TPictureContainer() = default;

THTMLPicture* TPictureContainer::FindPicture(const QString& Name) const {
  for (int i = 0; i < FItems->Count(); ++i)
    if (SameText(FItems->Items(i)->Name(), Name)) return FItems->Items(i)->Picture();
  return nullptr;
}

THTMLPictureCache::THTMLPictureCache() = default;
THTMLPictureCache::~THTMLPictureCache() = default;

THTMLPicture* THTMLPictureCache::AddPicture() {
  FItems.push_back(std::make_unique<THTMLPicture>());
  return FItems.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const QString& ID) const {
  for (const auto& p : FItems)
    if (p->ID() == ID) return p.get();
  return nullptr;
}

void THTMLPictureCache::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

THTMLPicture* THTMLPictureCache::GetPicture(int Index) const {
  CheckIndex(Index);
  return FItems[Index].get();
}

void THTMLPictureCache::SetPicture(int Index, THTMLPicture* Value) {
  CheckIndex(Index);
  if (FItems[Index].get() != Value) FItems[Index].reset(Value);
}

void THTMLPictureCache::ClearPictures() { FItems.clear(); }

bool THTMLPictureCache::Animate() {
  bool changed = false;
  for (const auto& p : FItems)
    if (p->Step()) changed = true;
  return changed;
}
