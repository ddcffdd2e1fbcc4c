// The grid's search bar: its parts, their places, the edit's Return keys and
// the buttons following the edit's text.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "grid/ProGrid.h"
#include "grid/ProGrid_SearchPanel.h"
#include "platform/ui/Forms.h"
#include "tests/platform/ControlTestSupport.h"

TEST(SearchPanel, NeedsAGridAsOwner) {
  TComponent notAGrid(nullptr);
  EXPECT_THROW(TSearchPanel p(&notAGrid), EProGridError);
}

TEST(SearchPanel, PartsDefaultsAndPlaces) {
  TShownForm f{600, 300};
  auto* g = new TProStringGrid(f.Form);
  g->SetParent(f.Form);
  auto* p = new TSearchPanel(g);
  EXPECT_EQ(p->Grid(), g);
  EXPECT_EQ(p->ColorTo(), clNone);
  EXPECT_EQ(p->Align(), alBottom);
  EXPECT_EQ(p->Height(), 0);
  EXPECT_EQ(p->BorderWidth(), 0);
  p->FindNextCaption = "Find &next";
  p->FindPrevCaption = "Find &previous";
  p->HighLightCaption = "Highlight";
  p->MatchCaseCaption = "Match case";
  p->HintFindNext = "Find next occurrence";
  p->SetParent(f.Form);
  p->SetHeight(32);
  f.Show();
  struct TPlace {
    TControl* C;
    int Left, Top, Width;
  };
  for (const TPlace& t : {TPlace{p->Edit(), 25, 6, 110}, TPlace{p->ForwardButton(), 140, 5, 90},
                          TPlace{p->BackwardButton(), 235, 5, 90}, TPlace{p->ExitButton(), 5, 7, 14},
                          TPlace{p->HiliteButton(), 330, 5, 90}}) {
    EXPECT_EQ(t.C->Left(), t.Left) << t.Left;
    EXPECT_EQ(t.C->Top(), t.Top) << t.Left;
    EXPECT_EQ(t.C->Width(), t.Width) << t.Left;
  }
  EXPECT_EQ(p->MatchCase()->Left(), 425);
  EXPECT_EQ(p->MatchCase()->Top(), 8);
  EXPECT_EQ(p->ForwardButton()->Caption(), "Find &next");
  EXPECT_EQ(p->BackwardButton()->Caption(), "Find &previous");
  EXPECT_EQ(p->HiliteButton()->Caption(), "Highlight");
  EXPECT_EQ(p->MatchCase()->Caption(), "Match case");
  EXPECT_TRUE(p->ForwardButton()->ShowHint());
  EXPECT_FALSE(p->BackwardButton()->ShowHint());  // no hint text
  EXPECT_EQ(p->HiliteButton()->Style(), tasCheck);
  // The find buttons and the highlight button follow the edit's text.
  int changes = 0;
  p->OnEditChange = [&](TObject* S) {
    EXPECT_EQ(S, p);
    ++changes;
  };
  for (TProGridButton* b : {p->ForwardButton(), p->BackwardButton(), p->HiliteButton()})
    EXPECT_FALSE(b->Enabled());
  p->Edit()->SetText("abc");
  for (TProGridButton* b : {p->ForwardButton(), p->BackwardButton(), p->HiliteButton()})
    EXPECT_TRUE(b->Enabled());
  p->Edit()->SetText("");
  EXPECT_FALSE(p->ForwardButton()->Enabled());
  EXPECT_EQ(changes, 2);
  // Return finds forward, Ctrl+Return backward; neither reaches the text.
  QStringList log;
  p->OnForwardClick = [&](TObject*) { log << "forward"; };
  p->OnBackwardClick = [&](TObject*) { log << "backward"; };
  p->Edit()->SetText("x");
  p->Edit()->SetFocus();
  QTest::keyClick(p->Edit()->View(), Qt::Key_Return);
  QTest::keyClick(p->Edit()->View(), Qt::Key_Return, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_EQ(log, QStringList({"forward", "backward"}));
  EXPECT_EQ(p->Edit()->Text(), "x");
  p->SetColorTo(clBlue);
  EXPECT_EQ(p->ColorTo(), clBlue);
}
