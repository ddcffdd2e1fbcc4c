// Where the mini-HTML renderer finds the pictures of <IMG SRC="name">,
// <IMG SRC="scheme://..."> and <BODY BACKGROUND>: a picture container and a picture
// cache. Every use the renderer makes of them goes through the source below.
#include "controls/PictureContainer.h"
#include "controls/PsgHTMLE_p.h"

namespace {

// A picture of a container or cache, which keeps owning it.
class TPictureRef : public IHTMLPicture {
 public:
  explicit TPictureRef(THTMLPicture* Picture) : P(Picture) {}
  bool Empty() const override { return P->Empty(); }
  int Width() const override { return P->Width(); }
  int Height() const override { return P->Height(); }
  int MaxWidth() const override { return P->MaxWidth(); }
  int MaxHeight() const override { return P->MaxHeight(); }
  int FrameCount() const override { return P->FrameCount(); }
  int FrameXPos() const override { return P->FrameXPos(); }
  int FrameYPos() const override { return P->FrameYPos(); }
  void SetStretch(bool Value) override { P->SetStretch(Value); }
  void Draw(TCanvas* Canvas, const TRect& R) override { P->Draw(Canvas, R); }

 private:
  THTMLPicture* P;
};

// The named picture of TPictureContainer::FindPicture; the cache's picture of
// that ID, else a new one added with Asynch off and loaded from the address
// ("RES://" and "FILE://" load at once, other addresses stay empty).
class TContainerPictureSource : public IHTMLPictureSource {
 public:
  std::unique_ptr<IHTMLPicture> ContainerPicture(TPictureContainer* Container, const QString& Name) override {
    THTMLPicture* p = Container ? Container->FindPicture(Name) : nullptr;
    return p ? std::make_unique<TPictureRef>(p) : nullptr;
  }
  std::unique_ptr<IHTMLPicture> CachePicture(THTMLPictureCache* Cache, const QString& URL) override {
    if (!Cache) return nullptr;
    THTMLPicture* p = Cache->FindPicture(URL);
    if (!p) {
      p = Cache->AddPicture();
      p->SetAsynch(false);
      p->LoadFromURL(URL);
    }
    return std::make_unique<TPictureRef>(p);
  }
};

std::unique_ptr<IHTMLPictureSource>& Current() {
  static std::unique_ptr<IHTMLPictureSource> source = std::make_unique<TContainerPictureSource>();
  return source;
}

}  // namespace

IHTMLPictureSource& HTMLPictureSource() { return *Current(); }

void SetHTMLPictureSource(std::unique_ptr<IHTMLPictureSource> Source) {
  Current() = Source ? std::move(Source) : std::make_unique<TContainerPictureSource>();
}
