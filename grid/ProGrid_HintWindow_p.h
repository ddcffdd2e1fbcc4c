// Private helpers of the hint window.
#pragma once

#include <QString>

class TCanvas;
class TImageList;
class TPictureContainer;
struct TRect;

// Measures (MeasureOnly) or paints a mini-HTML text into R with the mini-HTML
// renderer as the hint window uses it (blue links, grey shadow, <IMG> from
// Images and Container), words wrapped at R's width when WordWrap is set.
// XSize and YSize give the text's extent.
void HintDrawHTML(TCanvas* Canvas, const TRect& R, const QString& Text, bool MeasureOnly, bool WordWrap,
                  int& XSize, int& YSize, TImageList* Images = nullptr, TPictureContainer* Container = nullptr);
