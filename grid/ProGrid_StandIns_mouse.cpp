// Stand-ins for members that other families of the grid provide; each keeps
// the documented default, so that nothing passes for a success that did not
// happen.
#include "grid/ProGrid.h"
#include "grid/ProGrid_HintWindow_p.h"
#include "platform/gdi/Graphics.h"
#include "platform/gdi/WinGdi.h"
#include "platform/ui/WinApi.h"
#include "platform/widgets/StdCtrls.h"

// Cell graphics: no cell holds a comment yet.
bool TProStringGrid::IsComment(int, int, QString&) { return false; }

// The mini-HTML renderer: tags dropped, the text laid out by DrawText.
QString HintStripTagsStandIn(const QString& Text) {
  QString out;
  bool inTag = false;
  for (int i = 0; i < Text.size(); ++i) {
    const QChar ch = Text.at(i);
    if (ch == u'<') {
      if (Text.mid(i, 4).compare(QLatin1String("<BR>"), Qt::CaseInsensitive) == 0) out += u'\n';
      inTag = true;
    } else if (ch == u'>' && inTag) {
      inTag = false;
    } else if (!inTag) {
      out += ch;
    }
  }
  return out;
}

void HintDrawHTMLStandIn(TCanvas* Canvas, const TRect& R, const QString& Text, bool MeasureOnly,
                         bool WordWrap, int& XSize, int& YSize) {
  const QString plain = HintStripTagsStandIn(Text);
  TRect r = R;
  const UINT wrap = WordWrap ? DT_WORDBREAK : DT_END_ELLIPSIS;
  YSize = DrawText(Canvas->Handle(), plain, -1, r, DT_CALCRECT | DT_NOPREFIX | wrap);
  XSize = r.Width();
  if (!MeasureOnly) {
    TRect d = R;
    DrawText(Canvas->Handle(), plain, -1, d, DT_NOPREFIX | wrap);
  }
}
