// Where the mini-HTML renderer finds the pictures of <IMG SRC="name">,
// <IMG SRC="scheme://..."> and <BODY BACKGROUND>: a picture container and a picture
// cache. Every use the renderer makes of them goes through the source below.
#include "controls/PsgHTMLE_p.h"

namespace {

// Gives no picture: the container and cache classes are connected here (a named
// picture of TPictureContainer::FindPicture; THTMLPictureCache::FindPicture by ID,
// else AddPicture with Asynch off and LoadFromURL), each wrapped in an IHTMLPicture.
class TNoPictureSource : public IHTMLPictureSource {
 public:
  std::unique_ptr<IHTMLPicture> ContainerPicture(TPictureContainer*, const QString&) override {
    return nullptr;
  }
  std::unique_ptr<IHTMLPicture> CachePicture(THTMLPictureCache*, const QString&) override {
    return nullptr;
  }
};

std::unique_ptr<IHTMLPictureSource>& Current() {
  static std::unique_ptr<IHTMLPictureSource> source = std::make_unique<TNoPictureSource>();
  return source;
}

}  // namespace

IHTMLPictureSource& HTMLPictureSource() { return *Current(); }

void SetHTMLPictureSource(std::unique_ptr<IHTMLPictureSource> Source) {
  Current() = Source ? std::move(Source) : std::make_unique<TNoPictureSource>();
}
