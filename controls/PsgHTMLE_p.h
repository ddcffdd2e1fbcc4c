// Inside of the mini-HTML unit: the entity table, the text helpers shared by the
// renderer's files, and the lookup of pictures in a picture container or cache.
#pragma once

#include <QString>
#include <memory>
#include <span>
#include <vector>

#include "controls/PsgHTMLE.h"

struct THTMLEntity {
  char16_t Char;
  const char* Name;  // "&eacute;"
};
// The named entities, in the order the encoder and decoder try them.
std::span<const THTMLEntity> HTMLEntityTable();

// The value of an attribute in a tag's text: after the attribute's name (found in
// Upper, the tag's text upper-cased), the text between the next double quote and
// the one after it; empty when a quote is missing. Present: whether the name is there.
QString QuotedAfter(const QString& Upper, const QString& Text, const QString& Name, bool* Present = nullptr);

// Upper case of ASCII letters only, so that positions keep their meaning.
QString UpperAscii(const QString& S);

// The controls of a text: where each <CONTROL tag starts and ends (0-based, End
// past the ">" or the text's end) and its attributes.
struct TControlSpan {
  int Start = 0;
  int End = 0;
  TControlTag Tag;
};
std::vector<TControlSpan> FindControlTags(const QString& Text);

// Rotated fonts made for <R> that still exist (each call releases its own).
int HTMLLiveRotatedFonts();

// ------------------------------------------------------------- pictures

// A picture of a picture container or cache as the renderer uses it.
class IHTMLPicture {
 public:
  virtual ~IHTMLPicture() = default;
  virtual bool Empty() const = 0;
  // Natural size in pixels at 96 pixels per inch.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Size of the whole animation area (the natural size when not animated).
  virtual int MaxWidth() const = 0;
  virtual int MaxHeight() const = 0;
  virtual int FrameCount() const = 0;
  virtual int FrameXPos() const = 0;
  virtual int FrameYPos() const = 0;
  virtual void SetStretch(bool Value) = 0;
  // Stretched: fills R; else drawn at R's top-left in its natural size.
  virtual void Draw(TCanvas* Canvas, const TRect& R) = 0;
};

// Where pictures come from: the named picture of a container (names compared
// without case), and the picture of a cache with this ID (added and loaded from
// the address when absent). Null when there is none.
class IHTMLPictureSource {
 public:
  virtual ~IHTMLPictureSource() = default;
  virtual std::unique_ptr<IHTMLPicture> ContainerPicture(TPictureContainer* Container,
                                                         const QString& Name) = 0;
  virtual std::unique_ptr<IHTMLPicture> CachePicture(THTMLPictureCache* Cache, const QString& URL) = 0;
};

// The source in use; SetHTMLPictureSource(nullptr) restores the real one.
IHTMLPictureSource& HTMLPictureSource();
void SetHTMLPictureSource(std::unique_ptr<IHTMLPictureSource> Source);
