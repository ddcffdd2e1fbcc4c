// Private helpers of the hint window.
#pragma once

#include <QString>

class TCanvas;
struct TRect;

// --- stand-ins until the mini-HTML renderer lands ---
// The text of a mini-HTML string without its tags (line breaks kept).
QString HintStripTagsStandIn(const QString& Text);
// Measures (MeasureOnly) or paints a mini-HTML text into R: the tags are
// dropped, the words wrapped at R's width when WordWrap is set. XSize and YSize
// give the text's extent.
void HintDrawHTMLStandIn(TCanvas* Canvas, const TRect& R, const QString& Text, bool MeasureOnly,
                         bool WordWrap, int& XSize, int& YSize);
