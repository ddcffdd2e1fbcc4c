// One form holding every standard control, shown modally and driven with
// synthetic input (Qt event -> message -> handlers -> events), closed by its
// OK button's modal result; and its picture.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "ControlTestSupport.h"
#include "platform/widgets/Buttons.h"
#include "platform/widgets/CheckLst.h"
#include "platform/widgets/ComCtrls.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/widgets/Mask.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Snapshot.h"
#include "platform/widgets/StdCtrls.h"
#include "platform/ui/TestHooks.h"

// A log as one readable text for comparisons.
inline std::string J(const QStringList& L) { return L.join(QLatin1Char('\n')).toStdString(); }

namespace {

// A small picture drawn in code: a blue square with a white cross.
void DrawPicture(TBitmap* B, int W, int H, TColor Back, TColor Fore) {
  B->SetSize(W, H);
  TCanvas* c = B->Canvas();
  c->Brush()->SetColor(Back);
  c->FillRect(TRect(0, 0, W, H));
  c->Pen()->SetColor(Fore);
  c->Pen()->SetWidth(2);
  c->MoveTo(2, 2);
  c->LineTo(W - 2, H - 2);
  c->MoveTo(W - 3, 2);
  c->LineTo(1, H - 2);
}

// Every control of the platform's standard set on one form, logging its events.
class TFAllControls : public TForm {
 public:
  explicit TFAllControls(TComponent* Owner, QStringList* Log) : TForm(Owner), FLog(Log) {
    SetName(QStringLiteral("FAllControls"));
    SetCaption(QStringLiteral("All controls"));
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(760);
    SetClientHeight(540);
    SetColor(TColor(0x00EDF7F8));  // red 248, green 247, blue 237
    Font()->SetName(QStringLiteral("Verdana"));
    Font()->SetHeight(-11);

    Images = new TImageList(this);
    for (TColor c : {clGreen, clMaroon}) {
      TBitmap b;
      DrawPicture(&b, 16, 16, c, clWhite);
      Images->Add(&b, nullptr);
    }

    P_Title = Make<TPanel>("P_Title", this, 0, 0, 760, 40);
    P_Title->SetAlign(alTop);
    P_Title->SetBevelOuter(bvNone);
    P_Title->SetCaption(QString());
    L_Title = Make<TLabel>("L_Title", P_Title, 16, 4, 0, 0);
    L_Title->SetCaption(QStringLiteral("ZIDI"));
    L_Title->Font()->SetHeight(-28);
    L_Title->Font()->SetColor(clGray);

    // Column 1: text input.
    L_Name = Make<TLabel>("L_Name", this, 12, 52, 0, 0);
    L_Name->SetCaption(QStringLiteral("&Name"));
    E_Name = Make<TEdit>("E_Name", this, 110, 49, 150, 21);
    E_Name->SetText(QString());
    E_Name->SetMaxLength(31);
    L_Name->SetFocusControl(E_Name);
    L_Mask = Make<TLabel>("L_Mask", this, 12, 80, 0, 0);
    L_Mask->SetCaption(QStringLiteral("Time"));
    ME_Time = Make<TMaskEdit>("ME_Time", this, 110, 77, 150, 21);
    ME_Time->SetEditMask(QStringLiteral("!90:00;1;_"));
    Memo = Make<TMemo>("Memo", this, 12, 106, 248, 60);
    Memo->SetScrollBars(ssVertical);
    Memo->Clear();
    Memo->Lines()->Add(QStringLiteral("Memo line one"));
    Memo->Lines()->Add(QStringLiteral("and a second line"));
    RE = Make<TRichEdit>("RE", this, 12, 172, 248, 44);
    RE->SetRichText(QStringLiteral("{\\rtf1\\ansi x\\up4 2\\up0  + H\\dn4 2\\up0 O}"));
    L_Link = Make<TLinkLabel>("L_Link", this, 12, 224, 0, 0);
    L_Link->SetCaption(QStringLiteral("New version: <a href=\"http://localhost/download\">details</a>"));
    Pick = Make<TDateTimePicker>("Pick", this, 12, 246, 150, 21);
    Pick->SetDate(EncodeDate(2024, 3, 15));
    PickTime = Make<TDateTimePicker>("PickTime", this, 170, 246, 90, 21);
    PickTime->SetKind(dtkTime);
    PickTime->SetTime(EncodeTime(9, 30, 0, 0));

    // Column 2: choices.
    CB_Parity = Make<TComboBox>("CB_Parity", this, 280, 49, 150, 22);
    CB_Parity->SetStyle(csDropDownList);
    for (const char* s : {"NONE", "ODD", "EVEN"}) CB_Parity->Items()->Add(QString::fromLatin1(s));
    CB_Parity->SetItemIndex(0);
    CB_Baud = Make<TComboBox>("CB_Baud", this, 280, 77, 150, 22);
    for (const char* s : {"9600", "19200", "115200"}) CB_Baud->Items()->Add(QString::fromLatin1(s));
    CB_Baud->SetText(QStringLiteral("9600"));
    CHB_DHCP = Make<TCheckBox>("CHB_DHCP", this, 280, 104, 150, 17);
    CHB_DHCP->SetCaption(QStringLiteral("&DHCP"));
    CHB_Grayed = Make<TCheckBox>("CHB_Grayed", this, 280, 124, 150, 17);
    CHB_Grayed->SetCaption(QStringLiteral("Three states"));
    CHB_Grayed->SetAllowGrayed(true);
    CHB_Grayed->SetState(cbGrayed);
    GB = Make<TGroupBox>("GB", this, 280, 146, 150, 70);
    GB->SetCaption(QStringLiteral("Serial"));
    RB_232 = Make<TRadioButton>("RB_232", GB, 10, 20, 120, 17);
    RB_232->SetCaption(QStringLiteral("RS232"));
    RB_232->SetChecked(true);
    RB_485 = Make<TRadioButton>("RB_485", GB, 10, 42, 120, 17);
    RB_485->SetCaption(QStringLiteral("RS485"));
    LB = Make<TListBox>("LB", this, 280, 224, 150, 70);
    for (const char* s : {"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta"}) LB->Items()->Add(QString::fromLatin1(s));
    CLB = Make<TCheckListBox>("CLB", this, 280, 300, 150, 52);
    for (const char* s : {"Read", "Write", "Notify"}) CLB->Items()->Add(QString::fromLatin1(s));
    CLB->SetChecked(1, true);

    // Column 3: shapes, pictures, bars.
    Shape_Frame = Make<TShape>("Shape_Frame", this, 450, 49, 90, 40);
    Shape_Frame->Brush()->SetStyle(bsClear);
    Shape_Frame->Pen()->SetColor(clSilver);
    Shape_Circle = Make<TShape>("Shape_Circle", this, 550, 49, 40, 40);
    Shape_Circle->SetShape(stCircle);
    Shape_Circle->Brush()->SetColor(clYellow);
    Shape_Round = Make<TShape>("Shape_Round", this, 600, 49, 60, 40);
    Shape_Round->SetShape(stRoundRect);
    Shape_Round->Brush()->SetColor(clSkyBlue);
    Shape_Rule = Make<TShape>("Shape_Rule", this, 450, 95, 290, 1);
    Img = Make<TImage>("Img", this, 670, 49, 40, 40);
    DrawPicture(Img->Picture()->Bitmap(), 20, 20, clNavy, clWhite);
    Img->SetStretch(true);
    SB_Bold = Make<TSpeedButton>("SB_Bold", this, 450, 104, 24, 22);
    SB_Bold->SetCaption(QStringLiteral("B"));
    SB_Bold->SetGroupIndex(1);
    SB_Bold->SetAllowAllUp(true);
    SB_Left = Make<TSpeedButton>("SB_Left", this, 480, 104, 24, 22);
    SB_Left->SetGroupIndex(2);
    SB_Left->SetDown(true);
    SB_Left->SetCaption(QStringLiteral("L"));
    SB_Right = Make<TSpeedButton>("SB_Right", this, 506, 104, 24, 22);
    SB_Right->SetGroupIndex(2);
    SB_Right->SetCaption(QStringLiteral("R"));
    SB_Glyph = Make<TSpeedButton>("SB_Glyph", this, 540, 104, 24, 22);
    SB_Glyph->SetFlat(true);
    TBitmap g;
    DrawPicture(&g, 16, 16, clFuchsia, clPurple);
    SB_Glyph->SetGlyph(&g);
    Scroll = Make<TScrollBar>("Scroll", this, 450, 134, 290, 17);
    Scroll->SetParams(20, 0, 100);
    Scroll->SetPageSize(20);
    Track = Make<TTrackBar>("Track", this, 450, 156, 290, 40);
    Track->SetMax(20);
    Track->SetFrequency(2);
    Track->SetPosition(5);
    PC = Make<TPageControl>("PC", this, 450, 200, 290, 110);
    TS_Read = Make<TTabSheet>("TS_Read", PC, 0, 0, 0, 0);
    TS_Read->SetCaption(QStringLiteral("Modbus Read"));
    TS_Write = Make<TTabSheet>("TS_Write", PC, 0, 0, 0, 0);
    TS_Write->SetCaption(QStringLiteral("Modbus Write"));
    L_OnRead = Make<TLabel>("L_OnRead", TS_Read, 8, 8, 0, 0);
    L_OnRead->SetCaption(QStringLiteral("The read table"));
    E_OnWrite = Make<TEdit>("E_OnWrite", TS_Write, 8, 8, 120, 21);
    PC->SetActivePage(TS_Read);

    // The category panel group along the bottom left.
    CPG = Make<TCategoryPanelGroup>("CPG", this, 12, 360, 420, 130);
    CPG->VertScrollBar()->SetTracking(true);
    CPG->SetGradientBaseColor(TColor(0x00D8D8E7));
    CPG->SetGradientColor(TColor(0x00D8D8E7));
    CPG->HeaderFont()->SetName(QStringLiteral("Verdana"));
    CPG->HeaderFont()->SetHeight(-15);
    CPG->HeaderFont()->SetStyle(TFontStyles{fsBold});
    CPG->HeaderFont()->SetColor(clGray);
    CPG->SetChevronHotColor(clRed);
    CPG->SetImages(Images);
    CP_Eth = Make<TCategoryPanel>("CP_Eth", CPG, 0, 0, 400, 80);
    CP_Eth->SetCaption(QStringLiteral("1. Ethernet Connection"));
    CP_Eth->SetExpandedImageIndex(0);
    CP_Eth->SetCollapsedImageIndex(1);
    L_Dev = Make<TLabel>("L_Dev", CP_Eth, 14, 12, 0, 0);
    L_Dev->SetCaption(QStringLiteral("Device Name"));
    E_Dev = Make<TEdit>("E_Dev", CP_Eth, 191, 9, 180, 21);
    E_Dev->SetText(QStringLiteral("ZIDI-GW"));
    CP_NTP = Make<TCategoryPanel>("CP_NTP", CPG, 0, 80, 400, 94);
    CP_NTP->SetCaption(QStringLiteral("2. NTP (Network Time Protocol)"));
    CP_NTP->SetExpandedImageIndex(0);
    CP_NTP->SetCollapsedImageIndex(1);
    L_Poll = Make<TLabel>("L_Poll", CP_NTP, 14, 12, 0, 0);
    L_Poll->SetCaption(QStringLiteral("Poll Time (seconds)"));
    // The panels stacked in order, as a window does it.
    CP_Eth->SetTop(0);
    CP_NTP->SetTop(CP_Eth->Top() + CP_Eth->Height());

    // A splitter between the category panels and a scroll box on the right.
    SBox = Make<TScrollBox>("SBox", this, 450, 320, 290, 170);
    SplitPanel = Make<TPanel>("SplitPanel", SBox, 0, 0, 120, 100);
    SplitPanel->SetAlign(alLeft);
    SplitPanel->SetCaption(QStringLiteral("Left"));
    SplitPanel->SetParentBackground(false);
    SplitPanel->SetColor(clCream);
    Split = Make<TSplitter>("Split", SBox, 120, 0, 4, 100);
    Split->SetBeveled(true);
    InnerPanel = Make<TPanel>("InnerPanel", SBox, 130, 0, 100, 400);
    InnerPanel->SetAlign(alClient);
    InnerPanel->SetBevelOuter(bvLowered);
    InnerPanel->SetBevelInner(bvRaised);
    InnerPanel->SetBevelWidth(2);
    InnerPanel->SetCaption(QStringLiteral("Panel"));

    // Buttons along the bottom.
    P_Button = Make<TPanel>("P_Button", this, 0, 500, 760, 40);
    P_Button->SetAlign(alBottom);
    P_Button->SetBevelOuter(bvNone);
    P_Button->SetCaption(QString());
    Btn_OK = Make<TButton>("Btn_OK", P_Button, 526, 6, 110, 28);
    Btn_OK->SetCaption(QStringLiteral("OK"));
    Btn_OK->SetModalResult(mrOk);
    Btn_OK->SetDefault(true);
    Btn_Cancel = Make<TButton>("Btn_Cancel", P_Button, 642, 6, 110, 28);
    Btn_Cancel->SetCaption(QStringLiteral("Cancel"));
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Cancel->SetCancel(true);

    Menu = new TPopupMenu(this);
    for (const char* s : {"Copy", "-", "Paste"}) {
      auto* item = new TMenuItem(Menu);
      item->SetCaption(QString::fromLatin1(s));
      item->OnClick = [this, s](TObject*) { FLog->append(QStringLiteral("Menu: %1").arg(QString::fromLatin1(s))); };
      Menu->Items()->Add(item);
    }
    LB->SetPopupMenu(Menu);

    WireEvents();
  }

  template <typename T>
  T* Make(const char* Name, TWinControl* Parent, int X, int Y, int W, int H) {
    auto* c = new T(this);
    c->SetName(QString::fromLatin1(Name));
    if (auto* sheet = dynamic_cast<TTabSheet*>(static_cast<TControl*>(c))) {
      sheet->SetPageControl(static_cast<TPageControl*>(Parent));
      return c;
    }
    c->SetParent(Parent);
    if (W > 0 && H > 0) c->SetBounds(X, Y, W, H);
    else c->SetBounds(X, Y, c->Width(), c->Height());
    return c;
  }

  void Add(const QString& S) { FLog->append(S); }

  void WireEvents() {
    E_Name->OnKeyDown = [this](TObject*, Word& k, TShiftState) { Add(QStringLiteral("E_Name.OnKeyDown %1").arg(k)); };
    E_Name->OnKeyPress = [this](TObject*, QChar& c) { Add(QStringLiteral("E_Name.OnKeyPress %1").arg(c)); };
    E_Name->OnChange = [this](TObject*) { Add(QStringLiteral("E_Name.OnChange ") + E_Name->Text()); };
    E_Name->OnKeyUp = [this](TObject*, Word& k, TShiftState) { Add(QStringLiteral("E_Name.OnKeyUp %1").arg(k)); };
    CB_Parity->OnDropDown = [this](TObject*) { Add(QStringLiteral("CB_Parity.OnDropDown")); };
    CB_Parity->OnSelect = [this](TObject*) { Add(QStringLiteral("CB_Parity.OnSelect ") + CB_Parity->Text()); };
    CB_Parity->OnChange = [this](TObject*) { Add(QStringLiteral("CB_Parity.OnChange ") + CB_Parity->Text()); };
    CB_Parity->OnCloseUp = [this](TObject*) { Add(QStringLiteral("CB_Parity.OnCloseUp")); };
    CB_Parity->OnClick = [this](TObject*) { Add(QStringLiteral("CB_Parity.OnClick")); };
    CB_Baud->OnChange = [this](TObject*) { Add(QStringLiteral("CB_Baud.OnChange ") + CB_Baud->Text()); };
    CHB_DHCP->OnClick = [this](TObject*) { Add(QStringLiteral("CHB_DHCP.OnClick %1").arg(CHB_DHCP->Checked())); };
    RB_485->OnClick = [this](TObject*) { Add(QStringLiteral("RB_485.OnClick")); };
    LB->OnClick = [this](TObject*) { Add(QStringLiteral("LB.OnClick %1").arg(LB->ItemIndex())); };
    LB->OnDblClick = [this](TObject*) { Add(QStringLiteral("LB.OnDblClick")); };
    CLB->OnClickCheck = [this](TObject*) { Add(QStringLiteral("CLB.OnClickCheck %1").arg(CLB->Checked(0))); };
    SB_Right->OnClick = [this](TObject*) { Add(QStringLiteral("SB_Right.OnClick")); };
    Track->OnChange = [this](TObject*) { Add(QStringLiteral("Track.OnChange %1").arg(Track->Position())); };
    Scroll->OnChange = [this](TObject*) { Add(QStringLiteral("Scroll.OnChange %1").arg(Scroll->Position())); };
    PC->OnChanging = [this](TObject*, bool& allow) {
      Add(QStringLiteral("PC.OnChanging"));
      allow = true;
    };
    PC->OnChange = [this](TObject*) { Add(QStringLiteral("PC.OnChange %1").arg(PC->ActivePageIndex())); };
    L_Link->OnLinkClick = [this](TObject*, const QString& link, TSysLinkType t) {
      Add(QStringLiteral("L_Link.OnLinkClick %1 %2").arg(link).arg(t));
    };
    Pick->OnDropDown = [this](TObject*) { Add(QStringLiteral("Pick.OnDropDown")); };
    Pick->OnChange = [this](TObject*) { Add(QStringLiteral("Pick.OnChange ") + Pick->DisplayText()); };
    Pick->OnCloseUp = [this](TObject*) { Add(QStringLiteral("Pick.OnCloseUp")); };
    CP_NTP->OnCollapse = [this](TObject*) { Add(QStringLiteral("CP_NTP.OnCollapse")); };
    Btn_OK->OnClick = [this](TObject*) { Add(QStringLiteral("Btn_OK.OnClick")); };
    OnClose = [this](TObject*, TCloseAction&) { Add(QStringLiteral("Form.OnClose")); };
  }

  QStringList* FLog;
  TImageList* Images;
  TPanel *P_Title, *P_Button, *SplitPanel, *InnerPanel;
  TLabel *L_Title, *L_Name, *L_Mask, *L_OnRead, *L_Dev, *L_Poll;
  TEdit *E_Name, *E_OnWrite, *E_Dev;
  TMaskEdit* ME_Time;
  TMemo* Memo;
  TRichEdit* RE;
  TLinkLabel* L_Link;
  TDateTimePicker *Pick, *PickTime;
  TComboBox *CB_Parity, *CB_Baud;
  TCheckBox *CHB_DHCP, *CHB_Grayed;
  TGroupBox* GB;
  TRadioButton *RB_232, *RB_485;
  TListBox* LB;
  TCheckListBox* CLB;
  TShape *Shape_Frame, *Shape_Circle, *Shape_Round, *Shape_Rule;
  TImage* Img;
  TSpeedButton *SB_Bold, *SB_Left, *SB_Right, *SB_Glyph;
  TScrollBar* Scroll;
  TTrackBar* Track;
  TPageControl* PC;
  TTabSheet *TS_Read, *TS_Write;
  TCategoryPanelGroup* CPG;
  TCategoryPanel *CP_Eth, *CP_NTP;
  TScrollBox* SBox;
  TSplitter* Split;
  TButton *Btn_OK, *Btn_Cancel;
  TPopupMenu* Menu;
};

QPoint Mid(TControl* C) { return QPoint(C->Width() / 2, C->Height() / 2); }

TEST(StdForm, EveryControlDrivenInAModalFormClosedByTheOkButton) {
  QStringList log;
  auto* f = NewForm<TFAllControls>(nullptr, &log);
  TScopedDialogResponder noDialogs([](const TDialogRequest&) { return TDialogAnswer::Cancel(); });
  TestHooks::SetPopupMenuHook([&](TPopupMenu* m, int, int) { return m->Items()->Items(2); });
  TScopedModalHook hook([&](TCustomForm*) {
    // Typing into the edit: key down, character, change, key up.
    f->E_Name->SetFocus();
    QTest::keyClicks(f->E_Name->View(), QStringLiteral("gw"));
    // The label's accelerator moves the focus to its edit.
    f->CB_Baud->SetFocus();
    QTest::keyClick(f->CB_Baud->View(), Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(f->E_Name->Focused());
    // The combo box: drop down with the button, pick the third item.
    QTest::mouseClick(f->CB_Parity->View(), Qt::LeftButton, {}, QPoint(f->CB_Parity->Width() - 8, 8));
    TCustomListBox* list = f->CB_Parity->DropDownList();
    const int h = list->ItemHeight();
    QTest::mouseClick(list->View(), Qt::LeftButton, {}, QPoint(10, 1 + 2 * h + h / 2));
    // Typing into the editable combo.
    f->CB_Baud->SetFocus();
    f->CB_Baud->SetAutoComplete(false);
    QTest::keyClick(f->CB_Baud->View(), Qt::Key_End);
    QTest::keyClick(f->CB_Baud->View(), Qt::Key_0);
    // Check box, radio button, list box (click, double click, context menu), check list box.
    QTest::mouseClick(f->CHB_DHCP->View(), Qt::LeftButton, {}, QPoint(6, 8));
    QTest::mouseClick(f->RB_485->View(), Qt::LeftButton, {}, QPoint(6, 8));
    const int lh = f->LB->ItemHeight();
    QTest::mouseClick(f->LB->View(), Qt::LeftButton, {}, QPoint(30, 2 + lh + lh / 2));
    QTest::mouseDClick(f->LB->View(), Qt::LeftButton, {}, QPoint(30, 2 + lh + lh / 2));
    QTest::mouseRelease(f->LB->View(), Qt::LeftButton, {}, QPoint(30, 2 + lh + lh / 2));
    QTest::mouseClick(f->LB->View(), Qt::RightButton, {}, QPoint(30, 10));
    QTest::mouseClick(f->CLB->View(), Qt::LeftButton, {}, QPoint(9, 2 + f->CLB->ItemHeight() / 2));
    // Speed buttons of one group, track bar, scroll bar, page control, link.
    QTest::mouseClick(f->SB_Right->View(), Qt::LeftButton, {}, Mid(f->SB_Right));
    f->Track->SetFocus();
    QTest::keyClick(f->Track->View(), Qt::Key_Right);
    QTest::mouseClick(f->Scroll->View(), Qt::LeftButton, {}, QPoint(f->Scroll->Width() - 6, 8));
    const TRect tab = f->PC->TabRect(1);
    QTest::mouseClick(f->PC->View(), Qt::LeftButton, {}, QPoint(tab.Left + 10, tab.Top + 8));
    const TRect link = f->L_Link->LinkRect(0);
    QTest::mouseClick(f->L_Link->View(), Qt::LeftButton, {}, QPoint(link.Left + 5, link.Top + 5));
    // The date picker's calendar: the next day, picked with Enter.
    QTest::mouseClick(f->Pick->View(), Qt::LeftButton, {}, QPoint(f->Pick->Width() - 8, 8));
    ASSERT_TRUE(f->Pick->DroppedDown());
    ASSERT_NE(f->Pick->CalendarWindow(), nullptr);
    QTest::keyClick(f->Pick->View(), Qt::Key_Right);
    QTest::keyClick(f->Pick->View(), Qt::Key_Return);
    // A category panel collapses from its header.
    QTest::mouseClick(f->CP_NTP->View(), Qt::LeftButton, {}, QPoint(40, 10));
    // OK closes the modal form after its click handler.
    QTest::mouseClick(f->Btn_OK->View(), Qt::LeftButton, {}, Mid(f->Btn_OK));
  });
  const int result = f->ShowModal();
  TestHooks::SetPopupMenuHook(nullptr);
  EXPECT_EQ(result, mrOk);
  const QStringList expected = {
      "E_Name.OnKeyDown 71", "E_Name.OnKeyPress g", "E_Name.OnChange g", "E_Name.OnKeyUp 71",
      "E_Name.OnKeyDown 87", "E_Name.OnKeyPress w", "E_Name.OnChange gw", "E_Name.OnKeyUp 87",
      // Alt+N moved the focus to E_Name: the keys' release reaches it there.
      "E_Name.OnKeyUp 78", "E_Name.OnKeyUp 18",
      "CB_Parity.OnDropDown", "CB_Parity.OnClick", "CB_Parity.OnSelect EVEN", "CB_Parity.OnCloseUp",
      "CB_Baud.OnChange 96000",
      "CHB_DHCP.OnClick 1", "RB_485.OnClick",
      "LB.OnClick 1", "LB.OnDblClick", "Menu: Paste", "CLB.OnClickCheck 1",
      "SB_Right.OnClick", "Track.OnChange 6", "Track.OnChange 6", "Scroll.OnChange 21",
      "PC.OnChanging", "PC.OnChange 1", "L_Link.OnLinkClick http://localhost/download 0",
      "Pick.OnDropDown", "Pick.OnChange 3/16/2024", "Pick.OnCloseUp",
      "CP_NTP.OnCollapse", "Btn_OK.OnClick", "Form.OnClose"};
  EXPECT_EQ(J(log), J(expected));
  EXPECT_EQ(f->CB_Parity->ItemIndex(), 2);
  EXPECT_TRUE(f->RB_485->Checked());
  EXPECT_FALSE(f->RB_232->Checked());
  EXPECT_TRUE(f->SB_Right->Down());
  EXPECT_FALSE(f->SB_Left->Down());
  EXPECT_TRUE(f->CP_NTP->Collapsed());
  EXPECT_EQ(f->CP_NTP->Height(), 24);
  EXPECT_EQ(f->PC->ActivePage(), f->TS_Write);
  delete f;
}

TEST(StdForm, PictureOfEveryControl) {
  QStringList log;
  auto* f = NewForm<TFAllControls>(nullptr, &log);
  f->CHB_DHCP->SetChecked(true);
  f->LB->SetItemIndex(2);
  f->CLB->SetItemIndex(0);
  const QImage img = GrabControl(f);
  ASSERT_EQ(img.size(), QSize(760, 540));
  // A few pixels where the controls must have drawn: the form's colour outside,
  // the edit's white inside its frame, the shape's yellow, the list's selection.
  EXPECT_EQ(img.pixelColor(5, 300), QColor(248, 247, 237));
  EXPECT_EQ(img.pixelColor(f->E_Name->Left() + 40, f->E_Name->Top() + 4), QColor(Qt::white));
  EXPECT_EQ(img.pixelColor(f->Shape_Circle->Left() + 20, f->Shape_Circle->Top() + 20), QColor(Qt::yellow));
  const TRect sel = f->LB->ItemRect(2);
  EXPECT_EQ(img.pixelColor(f->LB->Left() + 2 + sel.Right - 3, f->LB->Top() + 2 + sel.Top + 1),
            QColor(ColorToRGB(clHighlight) & 0xFF, (ColorToRGB(clHighlight) >> 8) & 0xFF,
                   (ColorToRGB(clHighlight) >> 16) & 0xFF));
  // ZIDI_SCREENSHOT names a file for the picture (the documentation's screenshot).
  const QByteArray target = qgetenv("ZIDI_SCREENSHOT");
  if (!target.isEmpty()) {
    EXPECT_TRUE(img.save(QString::fromLocal8Bit(target), "PNG"));
  }
  delete f;
}

}  // namespace
