// Pictures: TGraphic, TBitmap, TPngImage, TIcon, TPicture and TImageList, on QImage.
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "platform/gdi/DeviceContext_p.h"
#include "platform/gdi/Graphics.h"

namespace {

QByteArray ReadFileBytes(const QString& FileName) {
  QFile f(FileName);
  if (!f.open(QIODevice::ReadOnly))
    throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, f.errorString()));
  return f.readAll();
}

void WriteFileBytes(const QString& FileName, const QByteArray& Data) {
  QFile f(FileName);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
    throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, f.errorString()));
  if (f.write(Data) != Data.size())
    throw EWriteError(QStringLiteral("Stream write error"));
}

QByteArray Encode(const QImage& Image, const char* Format) {
  QByteArray out;
  QBuffer buf(&out);
  buf.open(QIODevice::WriteOnly);
  Image.save(&buf, Format);
  return out;
}

QImage::Format QtFormatOf(TPixelFormat F) {
  switch (F) {
    case pf24bit: return QImage::Format_BGR888;
    case pf32bit: return QImage::Format_ARGB32;
    default: return QImage::Format_RGB32;
  }
}

bool HasSuffix(const QString& FileName, const char* Ext) {
  return QFileInfo(FileName).suffix().compare(QLatin1String(Ext), Qt::CaseInsensitive) == 0;
}

// ":/res/<Name>.<ext>" for the first extension found, trying the name as given,
// in capitals and in small letters (resource names ignore case).
QString FindResource(const QString& Name, std::initializer_list<const char*> Exts) {
  for (const QString& n : {Name, Name.toUpper(), Name.toLower()})
    for (const char* ext : Exts) {
      QString path = QStringLiteral(":/res/") + n + QLatin1Char('.') + QLatin1String(ext);
      if (QFile::exists(path)) return path;
    }
  return QString();
}

// The image with the pixels of colour Key made fully transparent.
QImage KeyedOut(const QImage& Source, QRgb Key) {
  QImage img = OpaqueCopy(Source, Source.rect()).convertToFormat(QImage::Format_ARGB32);
  Key &= 0xFFFFFF;
  for (int y = 0; y < img.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x)
      if ((row[x] & 0xFFFFFF) == Key) row[x] = 0;
  }
  return img;
}

}  // namespace

// ---------------------------------------------------------------- TGraphic

void TGraphic::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Changed();
}

void TGraphic::Changed() {
  FModified = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const QString& FileName) { LoadFromBytes(ReadFileBytes(FileName)); }
void TGraphic::SaveToFile(const QString& FileName) { WriteFileBytes(FileName, SaveToBytes()); }
void TGraphic::LoadFromStream(TStream* Stream) {
  if (Stream) LoadFromBytes(Stream->ReadRest());
}
void TGraphic::SaveToStream(TStream* Stream) {
  if (Stream) Stream->WriteBuffer(SaveToBytes());
}

// ----------------------------------------------------------------- TBitmap

TBitmap::TBitmap() : FImage(std::make_unique<QImage>()) {}
TBitmap::TBitmap(int AWidth, int AHeight) : TBitmap() { SetSize(AWidth, AHeight); }
TBitmap::~TBitmap() {
  FCanvas.reset();
}

int TBitmap::Width() const { return FImage->isNull() ? FEmptySize.width() : FImage->width(); }
int TBitmap::Height() const { return FImage->isNull() ? FEmptySize.height() : FImage->height(); }
void TBitmap::SetWidth(int Value) { SetSize(Value, Height()); }
void TBitmap::SetHeight(int Value) { SetSize(Width(), Value); }
bool TBitmap::Empty() const { return FImage->isNull() || FImage->width() == 0 || FImage->height() == 0; }

QImage& TBitmap::Image() {
  if (FCanvas) FCanvas->ReleasePainter();
  return *FImage;
}

void TBitmap::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(0, AWidth);
  AHeight = std::max(0, AHeight);
  if (AWidth == Width() && AHeight == Height()) return;
  Resize(AWidth, AHeight);
  Changed();
}

void TBitmap::Resize(int AWidth, int AHeight) {
  if (FCanvas) FCanvas->ReleasePainter();
  if (AWidth == 0 || AHeight == 0) {
    // No pixels yet, but the side that was set is kept for the other one.
    *FImage = QImage();
    FEmptySize = QSize(AWidth, AHeight);
    return;
  }
  FEmptySize = QSize();
  QImage img(AWidth, AHeight, QtFormatOf(FPixelFormat));
  TColor fill = FCanvas ? ColorToRGB(FCanvas->Brush()->Color()) : clWhite;
  img.fill(QColorOf(fill));
  if (!FImage->isNull()) {
    QPainter p(&img);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, *FImage);
  }
  *FImage = img;
}

void TBitmap::Reformat(TPixelFormat Format) {
  if (FCanvas) FCanvas->ReleasePainter();
  if (!FImage->isNull()) *FImage = FImage->convertToFormat(QtFormatOf(Format));
  FPixelFormat = Format;
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == FPixelFormat) return;
  Reformat(Value);
  if (Value == pf1bit) SetMonochrome(true);
  Changed();
}

void TBitmap::SetMonochrome(bool Value) {
  if (Value == FMonochrome) return;
  FMonochrome = Value;
  if (Value && !Empty()) {
    QImage& img = Image();
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        QRgb c = img.pixel(x, y);
        img.setPixel(x, y, qGray(c) >= 128 ? 0xFFFFFFFFu : 0xFF000000u);
      }
  }
  Changed();
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TCanvas>();
    FCanvas->SetDevice(FImage.get());
  }
  return FCanvas.get();
}

Byte* TBitmap::ScanLine(int Row) {
  if (Row < 0 || Row >= Height()) throw EInvalidGraphicOperation(QStringLiteral("Scan line index out of range"));
  return Image().scanLine(Row);
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentMode == tmFixed) return FTransparentColor;
  if (Empty()) return clDefault;
  return ColorRefOf(FImage->pixel(0, Height() - 1));
}

void TBitmap::SetTransparentColor(TColor Value) {
  FTransparentColor = Value;
  FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  if (Value == tmAuto)
    SetTransparentColor(clDefault);
  else
    SetTransparentColor(TransparentColor());
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& R) {
  if (Empty() || !ACanvas) return;
  // A copy first: the bitmap may be drawn onto its own canvas.
  QImage& img = Image();
  HDC dc = ACanvas->Handle();
  if (Transparent())
    DrawImageOver(dc, R, KeyedOut(img, RgbOf(ColorToRGB(TransparentColor()))));
  else
    BlitImage(dc, R, OpaqueCopy(img, img.rect()), DWORD(ACanvas->CopyMode()));
}

void TBitmap::LoadFromBytes(const QByteArray& Data) {
  QImage img = QImage::fromData(Data);
  if (img.isNull()) throw EInvalidGraphic(QStringLiteral("Bitmap image is not valid"));
  TPixelFormat pf = pfDevice;
  if (Data.size() >= 30 && Data.startsWith("BM")) {
    int bits = uint8_t(Data[28]) | (uint8_t(Data[29]) << 8);
    pf = bits == 24 ? pf24bit : bits == 32 ? pf32bit : pfDevice;
  } else if (img.hasAlphaChannel()) {
    pf = pf32bit;
  }
  if (FCanvas) FCanvas->ReleasePainter();
  FPixelFormat = pf;
  FMonochrome = false;
  *FImage = img.convertToFormat(QtFormatOf(pf));
  FEmptySize = QSize();
  Changed();
}

QByteArray TBitmap::SaveToBytes() const { return Encode(*FImage, "BMP"); }

void TBitmap::LoadFromFile(const QString& FileName) { LoadFromBytes(ReadFileBytes(FileName)); }

void TBitmap::SaveToFile(const QString& FileName) {
  QImage& img = Image();
  WriteFileBytes(FileName, Encode(img, HasSuffix(FileName, "png") ? "PNG" : "BMP"));
}

void TBitmap::LoadFromResourceName(HINSTANCE, const QString& Name) {
  QString path = FindResource(Name, {"bmp", "png"});
  if (path.isEmpty()) throw EResNotFound(QStringLiteral("Resource %1 not found").arg(Name));
  LoadFromFile(path);
}

void TBitmap::SetImage(const QImage& Img) {
  if (FCanvas) FCanvas->ReleasePainter();
  *FImage = Img.isNull() ? QImage() : Img.convertToFormat(QtFormatOf(FPixelFormat));
  FEmptySize = QSize();
  Changed();
}

QImage TBitmap::ToImage() const {
  if (FCanvas) FCanvas->ReleasePainter();
  return FImage->copy();
}

void TBitmap::Assign(TPersistent* Source) {
  if (!Source) {
    SetImage(QImage());
    return;
  }
  if (auto* b = dynamic_cast<TBitmap*>(Source)) {
    if (b == this) return;
    if (FCanvas) FCanvas->ReleasePainter();
    FPixelFormat = b->FPixelFormat;
    FMonochrome = b->FMonochrome;
    FTransparent = b->FTransparent;
    FTransparentColor = b->FTransparentColor;
    FTransparentMode = b->FTransparentMode;
    *FImage = b->ToImage();
    FEmptySize = b->FImage->isNull() ? b->FEmptySize : QSize();
    Changed();
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    QImage img = g->ToImage();
    if (FCanvas) FCanvas->ReleasePainter();
    FPixelFormat = img.hasAlphaChannel() ? pf32bit : pfDevice;
    *FImage = img.convertToFormat(QtFormatOf(FPixelFormat));
    FEmptySize = QSize();
    Changed();
    return;
  }
  TGraphic::Assign(Source);
}

// ------------------------------------------------------------ TArgbGraphic

TArgbGraphic::TArgbGraphic() : FImage(std::make_unique<QImage>()) {}
TArgbGraphic::~TArgbGraphic() = default;
int TArgbGraphic::Width() const { return FImage->width(); }
int TArgbGraphic::Height() const { return FImage->height(); }
void TArgbGraphic::SetWidth(int Value) {
  QImage img(std::max(0, Value), Height(), QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  SetImage(img);
}
void TArgbGraphic::SetHeight(int Value) {
  QImage img(Width(), std::max(0, Value), QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  SetImage(img);
}
bool TArgbGraphic::Empty() const { return FImage->isNull(); }
void TArgbGraphic::Draw(TCanvas* ACanvas, const TRect& R) {
  if (!ACanvas || Empty()) return;
  DrawImageOver(ACanvas->Handle(), R, *FImage);
}
void TArgbGraphic::Assign(TPersistent* Source) {
  if (!Source) {
    SetImage(QImage());
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    if (g != this) SetImage(g->ToImage());
    return;
  }
  TGraphic::Assign(Source);
}
QImage TArgbGraphic::ToImage() const { return *FImage; }
void TArgbGraphic::SetImage(const QImage& Image) {
  *FImage = Image.isNull() ? QImage() : Image.convertToFormat(QImage::Format_ARGB32);
  Changed();
}

// --------------------------------------------------------------- TPngImage

void TPngImage::LoadFromBytes(const QByteArray& Data) {
  QImage img = QImage::fromData(Data, "PNG");
  if (img.isNull()) throw EInvalidGraphic(QStringLiteral("The \"Portable Network Graphics\" image is not valid"));
  SetImage(img);
}
QByteArray TPngImage::SaveToBytes() const { return Encode(*FImage, "PNG"); }
void TPngImage::LoadFromResourceName(HINSTANCE, const QString& Name) {
  QString path = FindResource(Name, {"png"});
  if (path.isEmpty()) throw EResNotFound(QStringLiteral("Resource %1 not found").arg(Name));
  LoadFromFile(path);
}

// ------------------------------------------------------------------- TIcon

void TIcon::LoadFromBytes(const QByteArray& Data) {
  QImage img = QImage::fromData(Data, "ICO");
  if (img.isNull()) img = QImage::fromData(Data);
  if (img.isNull()) throw EInvalidGraphic(QStringLiteral("Invalid icon"));
  SetImage(img);
}
QByteArray TIcon::SaveToBytes() const { return Encode(*FImage, "ICO"); }

// ---------------------------------------------------------------- TPicture

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}

void TPicture::Take(std::unique_ptr<TGraphic> G) {
  FGraphic = std::move(G);
  if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
  Changed();
}

void TPicture::SetGraphic(TGraphic* Value) {
  if (Value == FGraphic.get()) return;
  if (!Value) {
    Take(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> g;
  if (dynamic_cast<TBitmap*>(Value))
    g = std::make_unique<TBitmap>();
  else if (dynamic_cast<TPngImage*>(Value))
    g = std::make_unique<TPngImage>();
  else if (dynamic_cast<TIcon*>(Value))
    g = std::make_unique<TIcon>();
  else
    throw EInvalidGraphic(QStringLiteral("Unsupported graphic %1").arg(Value->ClassName()));
  g->Assign(Value);
  g->SetTransparent(Value->Transparent());
  Take(std::move(g));
}

TBitmap* TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic.get())) Take(std::make_unique<TBitmap>());
  return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::Icon() {
  if (!dynamic_cast<TIcon*>(FGraphic.get())) Take(std::make_unique<TIcon>());
  return static_cast<TIcon*>(FGraphic.get());
}

int TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }
int TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::LoadFromFile(const QString& FileName) {
  std::unique_ptr<TGraphic> g;
  QString ext = QFileInfo(FileName).suffix().toLower();
  if (ext == QLatin1String("bmp") || ext == QLatin1String("jpg") || ext == QLatin1String("jpeg") ||
      ext == QLatin1String("gif"))
    g = std::make_unique<TBitmap>();
  else if (ext == QLatin1String("png"))
    g = std::make_unique<TPngImage>();
  else if (ext == QLatin1String("ico"))
    g = std::make_unique<TIcon>();
  else
    throw EInvalidGraphic(QStringLiteral("Unknown picture file extension (.%1)").arg(ext));
  g->LoadFromFile(FileName);
  Take(std::move(g));
}

void TPicture::SaveToFile(const QString& FileName) {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source) {
    SetGraphic(nullptr);
    return;
  }
  if (auto* p = dynamic_cast<TPicture*>(Source)) {
    if (p != this) SetGraphic(p->Graphic());
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    SetGraphic(g);
    return;
  }
  TPersistent::Assign(Source);
}

// -------------------------------------------------------------- TImageList

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}
TImageList::~TImageList() = default;

// Out of line: the layers above the platform see QImage only declared.
int TImageList::Count() const { return static_cast<int>(FImages.size()); }

void TImageList::Changed() {
  if (OnChange) OnChange(this);
}

void TImageList::SetWidth(int Value) {
  if (Value <= 0 || Value == FWidth) return;
  FWidth = Value;
  Clear();
}

void TImageList::SetHeight(int Value) {
  if (Value <= 0 || Value == FHeight) return;
  FHeight = Value;
  Clear();
}

namespace {
// Cuts a picture into images of the list's size (at least one).
std::vector<QImage> CutImages(const QImage& Source, int W, int H) {
  std::vector<QImage> out;
  int n = std::max(1, Source.width() / W);
  for (int i = 0; i < n; ++i) {
    QImage img(W, H, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, Source, i * W, 0, W, H);
    p.end();
    out.push_back(img);
  }
  return out;
}
}  // namespace

int TImageList::Add(TBitmap* Image, TBitmap* Mask) {
  if (!Image || Image->Empty()) return -1;
  QImage src = OpaqueCopy(Image->Image(), Image->Image().rect()).convertToFormat(QImage::Format_ARGB32);
  if (Mask && !Mask->Empty()) {
    const QImage& m = Mask->Image();
    for (int y = 0; y < std::min(src.height(), m.height()); ++y)
      for (int x = 0; x < std::min(src.width(), m.width()); ++x)
        if ((m.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) src.setPixel(x, y, 0);
  }
  int first = Count();
  for (QImage& img : CutImages(src, FWidth, FHeight)) FImages.push_back(img);
  Changed();
  return first;
}

int TImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (!Image || Image->Empty()) return -1;
  TColor key = MaskColor == clDefault || MaskColor == clNone ? Image->TransparentColor() : MaskColor;
  QImage src = KeyedOut(Image->Image(), RgbOf(ColorToRGB(key)));
  int first = Count();
  for (QImage& img : CutImages(src, FWidth, FHeight)) FImages.push_back(img);
  Changed();
  return first;
}

int TImageList::AddIcon(TIcon* Image) {
  if (!Image || Image->Empty()) return -1;
  QImage src = Image->ToImage().scaled(FWidth, FHeight, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  FImages.push_back(src.convertToFormat(QImage::Format_ARGB32));
  Changed();
  return Count() - 1;
}

void TImageList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) return;
  FImages.erase(FImages.begin() + Index);
  Changed();
}

void TImageList::Clear() {
  FImages.clear();
  Changed();
}

void TImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  if (!Canvas || Index < 0 || Index >= Count()) return;
  HDC dc = Canvas->Handle();
  const QImage& img = FImages[size_t(Index)];
  TRect r = Bounds(X, Y, FWidth, FHeight);
  if (Enabled) {
    DrawImageOver(dc, r, img);
    return;
  }
  // Disabled: the dark pixels embossed, in the highlight colour one pixel down and
  // right, then in the shadow colour.
  auto mono = [&](QRgb color) {
    QImage m(img.size(), QImage::Format_ARGB32);
    m.fill(Qt::transparent);
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        QRgb c = img.pixel(x, y);
        if (qAlpha(c) >= 128 && qGray(c) < 192) m.setPixel(x, y, color);
      }
    return m;
  };
  DrawImageOver(dc, Bounds(X + 1, Y + 1, FWidth, FHeight), mono(0xFF000000u | RgbOf(ColorToRGB(clBtnHighlight))));
  DrawImageOver(dc, r, mono(0xFF000000u | RgbOf(ColorToRGB(clBtnShadow))));
}

bool TImageList::GetBitmap(int Index, TBitmap* Image) {
  if (!Image || Index < 0 || Index >= Count()) return false;
  Image->SetSize(FWidth, FHeight);
  TCanvas* c = Image->Canvas();
  c->FillRect(Rect(0, 0, FWidth, FHeight));
  Draw(c, 0, 0, Index, true);
  return true;
}

void TImageList::Assign(TPersistent* Source) {
  if (auto* l = dynamic_cast<TImageList*>(Source)) {
    if (l == this) return;
    FWidth = l->FWidth;
    FHeight = l->FHeight;
    FImages = l->FImages;
    Changed();
    return;
  }
  TComponent::Assign(Source);
}
