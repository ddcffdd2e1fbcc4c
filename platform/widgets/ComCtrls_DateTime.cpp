// TDateTimePicker and its month calendar (a pop-up window).
#include <QDate>
#include <QScopeGuard>
#include <algorithm>
#include <cmath>

#include "platform/widgets/ComCtrls.h"
#include "platform/ui/ControlWidget_p.h"
#include "platform/widgets/StdCtrls_p.h"

using namespace StdCtrlsPrivate;

namespace {

double DatePart(double V) { return std::trunc(V); }
double TimePart(double V) { return std::fabs(V - std::trunc(V)); }
// A day and a time of day as one value: before 30 December 1899 the day is
// negative and the time counts away from zero (-2.25 is 28 December, 6:00).
double Combine(double Day, double TimeOfDay) {
  return Day < 0 ? Day - TimeOfDay : Day + TimeOfDay;
}

// The framework's date and time formats in the window system's notation.
QString FromFrameworkFormat(const QString& F, bool Time) {
  QString r;
  for (int i = 0; i < F.size(); ++i) {
    const QChar c = F.at(i);
    if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
      const int e = F.indexOf(c, i + 1);
      const QString lit = F.mid(i + 1, (e < 0 ? F.size() : e) - i - 1);
      r += QLatin1Char('\'') + lit + QLatin1Char('\'');
      i = e < 0 ? F.size() : e;
      continue;
    }
    if (F.mid(i, 4).compare(QLatin1String("AMPM"), Qt::CaseInsensitive) == 0) {
      r += QStringLiteral("tt");
      i += 3;
      continue;
    }
    if (F.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0) {
      r += QStringLiteral("tt");
      i += 4;
      continue;
    }
    if (c == QLatin1Char('m') || c == QLatin1Char('M')) r += Time ? QLatin1Char('m') : QLatin1Char('M');
    else if (c == QLatin1Char('n') || c == QLatin1Char('N')) r += QLatin1Char('m');
    else if (c == QLatin1Char('/')) r += FormatSettings.DateSeparator;
    else if (c == QLatin1Char(':')) r += FormatSettings.TimeSeparator;
    else r += c;
  }
  return r;
}

bool IsFieldChar(QChar c) {
  switch (c.unicode()) {
    case 'd': case 'M': case 'y': case 'h': case 'H': case 'm': case 's': case 't':
      return true;
    default:
      return false;
  }
}

}  // namespace

void DateTimeToSystemTime(double DateTime, SYSTEMTIME& ST) {
  Word y = 0, m = 0, d = 0, dow = 0, h = 0, n = 0, s = 0, ms = 0;
  DecodeDateFully(DateTime, y, m, d, dow);
  DecodeTime(DateTime, h, n, s, ms);
  ST.wYear = y;
  ST.wMonth = m;
  ST.wDay = d;
  ST.wDayOfWeek = static_cast<WORD>(dow - 1);
  ST.wHour = h;
  ST.wMinute = n;
  ST.wSecond = s;
  ST.wMilliseconds = ms;
}

double SystemTimeToDateTime(const SYSTEMTIME& ST) {
  double d = 0, t = 0;
  if (!TryEncodeDate(ST.wYear, ST.wMonth, ST.wDay, d)) d = 0;
  if (!TryEncodeTime(ST.wHour, ST.wMinute, ST.wSecond, ST.wMilliseconds, t)) t = 0;
  return d >= 0 ? d + t : d - t;
}

// ------------------------------------------------------------ TMonthCalendarWindow

// The month calendar of a dropped-down date picker: the month's days in seven
// columns, arrows to the previous and next month, today's date below.
class TMonthCalendarWindow : public TCustomControl {
 public:
  explicit TMonthCalendarWindow(TDateTimePicker* Owner) : TCustomControl(nullptr), FOwner(Owner) {
    FView->setObjectName(QStringLiteral("TMonthCalendarWindow"));
    FVisible = false;
    FColor = clWindow;
    FParentColor = false;
    FBrush->SetColor(clWindow);
    FView->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
    FView->setAttribute(Qt::WA_ShowWithoutActivating);
  }
  ~TMonthCalendarWindow() override { RemovePopupCloser(FCloser); }

  double Selected() const { return FSelected; }

  // Places the calendar below its picker for the month of Value, with the
  // MCS_ styles reset, as the picker's calendar is made anew at each drop-down.
  void Prepare(double Value) {
    Font()->Assign(FOwner->Font());
    FSelected = DatePart(Value);
    Word y, m, d;
    DecodeDate(FSelected, y, m, d);
    FYear = y;
    FMonth = m;
    HandleNeeded();
    SetWindowStyle(WindowStyle() & ~(MCS_WEEKNUMBERS | MCS_NOTODAYCIRCLE | MCS_NOTODAY), WindowExStyle());
    const TRect need = MinReqRect();
    const TSize s(need.Right + 2, need.Bottom + 2);  // and the border
    const TRect ins = FOwner->NonClientInsets();
    const TPoint org = FOwner->ClientToScreen(TPoint(-ins.Left, -ins.Top));
    int x = org.X;
    if (FOwner->CalAlignment() == dtaRight) x = org.X + FOwner->Width() - s.cx;
    SetBounds(x, org.Y + FOwner->Height(), s.cx, s.cy);
  }

  void Open() {
    SetVisible(true);
    FView->show();
    if (!OffscreenPlatform()) FView->raise();
    TControlGuard self(this);
    TControlGuard owner(FOwner);
    FCloser = InstallPopupCloser(
        [this, self](const QPoint& g) {
          if (!self.Alive()) return true;
          return QRect(FView->mapToGlobal(QPoint(0, 0)), FView->size()).contains(g);
        },
        [this, owner] {
          if (owner.Alive()) RunGuarded(FOwner, [this] { FOwner->ShowCalendar(false); });
        });
    Invalidate();
  }

  bool Shown() const { return FView != nullptr && FView->isVisible(); }

  void Close() {
    RemovePopupCloser(FCloser);
    FCloser = nullptr;
    SetVisible(false);
    if (FView != nullptr) FView->hide();
  }

  // Keys of the picker while the calendar is shown.
  bool Key(WORD K) {
    switch (K) {
      case VK_LEFT: Move(-1); return true;
      case VK_RIGHT: Move(1); return true;
      case VK_UP: Move(-7); return true;
      case VK_DOWN: Move(7); return true;
      case VK_PRIOR: MoveMonth(-1, true); return true;
      case VK_NEXT: MoveMonth(1, true); return true;
      case VK_RETURN: FOwner->CalendarPicked(FSelected); return true;
      case VK_ESCAPE: FOwner->ShowCalendar(false); return true;
      default: return false;
    }
  }

  // Client rectangle of a day shown in the grid, empty when not shown.
  TRect DayRect(double Day) {
    Layout();
    const double first = FirstShown();
    const int k = static_cast<int>(DatePart(Day) - first);
    if (k < 0 || k >= 42) return TRect();
    return Bounds(FGrid.Left + (k % 7) * FCellW, FGrid.Top + (k / 7) * FCellH, FCellW, FCellH);
  }

 protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP | WS_BORDER;
    Params.ExStyle |= WS_EX_TOOLWINDOW;
    Params.WndParent = nullptr;
  }
  void UpdateViewVisible() override {
    if (FView != nullptr) FView->setVisible(FVisible);
  }

  void Paint() override {
    Layout();
    TCanvas* c = Canvas();
    c->SetFont(Font());
    const TRect cr = ClientRect();
    c->Brush()->SetColor(clWindow);
    c->FillRect(cr);
    // The title: month and year between the arrows.
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(FTitle);
    DrawFrameControl(c->Handle(), FPrev, DFC_SCROLL, DFCS_SCROLLLEFT | (CanMove(-1) ? 0u : DFCS_INACTIVE));
    DrawFrameControl(c->Handle(), FNext, DFC_SCROLL, DFCS_SCROLLRIGHT | (CanMove(1) ? 0u : DFCS_INACTIVE));
    c->Brush()->SetStyle(bsClear);
    TRect t = FTitle;
    const QString title = FormatSettings.LongMonthNames[FMonth - 1] + QLatin1Char(' ') + QString::number(FYear);
    c->Font()->SetStyle(TFontStyles{fsBold});
    ::DrawText(c->Handle(), title, -1, t, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    c->Font()->SetStyle(TFontStyles());
    // Day names and the grid.
    for (int i = 0; i < 7; ++i) {
      TRect r = Bounds(FGrid.Left + i * FCellW, FGrid.Top - FCellH, FCellW, FCellH);
      ::DrawText(c->Handle(), FormatSettings.ShortDayNames[i].left(2), -1, r,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    c->Pen()->SetColor(clBtnShadow);
    c->MoveTo(FGrid.Left, FGrid.Top - 1);
    c->LineTo(FGrid.Left + 7 * FCellW, FGrid.Top - 1);
    const double first = FirstShown();
    if (Has(MCS_WEEKNUMBERS)) {
      // The ISO week of each row's Thursday: rows run from Sunday to Saturday,
      // so it is the week of the row's Monday to Saturday.
      c->MoveTo(FGrid.Left - 1, FGrid.Top);
      c->LineTo(FGrid.Left - 1, FGrid.Bottom);
      c->Font()->SetColor(clWindowText);
      for (int row = 0; row < 6; ++row) {
        Word y, m, d;
        DecodeDate(first + row * 7 + 4, y, m, d);
        TRect r = Bounds(FWeeks.Left, FGrid.Top + row * FCellH, FWeeks.Width(), FCellH);
        ::DrawText(c->Handle(), QString::number(QDate(y, m, d).weekNumber()), -1, r,
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      }
    }
    const double today = DatePart(Now());
    const bool circle = !Has(MCS_NOTODAYCIRCLE);
    for (int k = 0; k < 42; ++k) {
      const double day = first + k;
      Word y, m, d;
      DecodeDate(day, y, m, d);
      TRect r = Bounds(FGrid.Left + (k % 7) * FCellW, FGrid.Top + (k / 7) * FCellH, FCellW, FCellH);
      const bool sel = day == FSelected;
      if (sel) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clHighlight);
        c->FillRect(r);
        c->Brush()->SetStyle(bsClear);
      }
      TColor fc = (m == FMonth) ? clWindowText : clGrayText;
      if (!InRange(day)) fc = clGrayText;
      if (sel) fc = clHighlightText;
      c->Font()->SetColor(fc);
      ::DrawText(c->Handle(), QString::number(d), -1, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      if (day == today && circle) {
        c->Brush()->SetColor(clRed);
        c->FrameRect(r);
        c->Brush()->SetStyle(bsClear);
      }
    }
    c->Font()->SetColor(clWindowText);
    if (!Has(MCS_NOTODAY)) {
      TRect tr = FToday;
      if (circle) {
        // The today mark before the line's text.
        const TRect mark = Bounds(tr.Left, tr.Top + 2, 16, tr.Height() - 4);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clRed);
        c->FrameRect(mark);
        c->Brush()->SetStyle(bsClear);
        tr.Left = mark.Right + 4;
      }
      ::DrawText(c->Handle(), QStringLiteral("Today: ") + DateToStr(today), -1, tr,
                 DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    c->Brush()->SetStyle(bsSolid);
  }

  void DefaultHandler(TMessage& Message) override {
    if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) {
      Layout();
      const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
      if (PtInRect(FPrev, p)) {
        MoveMonth(-1, false);
        return;
      }
      if (PtInRect(FNext, p)) {
        MoveMonth(1, false);
        return;
      }
      if (!Has(MCS_NOTODAY) && PtInRect(FToday, p)) {
        const double today = DatePart(Now());
        if (InRange(today)) FOwner->CalendarPicked(today);
        return;
      }
      if (p.X >= FGrid.Left && p.X < FGrid.Left + 7 * FCellW && p.Y >= FGrid.Top && p.Y < FGrid.Top + 6 * FCellH) {
        const int k = ((p.Y - FGrid.Top) / FCellH) * 7 + (p.X - FGrid.Left) / FCellW;
        const double day = FirstShown() + k;
        if (InRange(day)) FOwner->CalendarPicked(day);
        return;
      }
      return;
    }
    if (Message.Msg == MCM_GETMINREQRECT) {
      if (Message.LParam != 0) *reinterpret_cast<TRect*>(Message.LParam) = MinReqRect();
      Message.Result = 1;
      return;
    }
    TCustomControl::DefaultHandler(Message);
  }

 private:
  bool Has(DWORD McsStyle) const { return (WindowStyle() & McsStyle) != 0; }

  // The client area one month needs with the present styles.
  TRect MinReqRect() {
    Layout();
    return TRect(0, 0, FGrid.Right + 4, (Has(MCS_NOTODAY) ? FGrid.Bottom : FToday.Bottom) + 4);
  }

  void Layout() {
    HDC dc = MeasureDC();
    SelectObject(dc, Font()->Handle());
    TSize s;
    GetTextExtentPoint32(dc, QStringLiteral("Wed"), -1, &s);
    FCellW = std::max(22, static_cast<int>(s.cx) + 6);
    FCellH = std::max(15, static_cast<int>(s.cy) + 2);
    const int w = 7 * FCellW;
    const int weeks = Has(MCS_WEEKNUMBERS) ? FCellW : 0;
    FTitle = TRect(4, 4, 4 + weeks + w, 4 + FCellH + 6);
    FPrev = Bounds(FTitle.Left + 2, FTitle.Top + (FTitle.Height() - 16) / 2, 18, 16);
    FNext = Bounds(FTitle.Right - 20, FPrev.Top, 18, 16);
    const int top = FTitle.Bottom + FCellH + 3;
    FWeeks = TRect(4, top, 4 + weeks, top + 6 * FCellH);
    FGrid = TRect(4 + weeks, top, 4 + weeks + w, top + 6 * FCellH);
    FToday = TRect(8, FGrid.Bottom + 3, FGrid.Right, FGrid.Bottom + 3 + FCellH);
  }

  double FirstShown() const {
    const double first = EncodeDate(static_cast<Word>(FYear), static_cast<Word>(FMonth), 1);
    const int dow = DayOfWeek(first) - 1;  // 0 = Sunday
    return first - (dow == 0 ? 7 : dow);
  }

  bool InRange(double Day) const {
    if (FOwner->MinDate() != 0 && Day < DatePart(FOwner->MinDate())) return false;
    if (FOwner->MaxDate() != 0 && Day > DatePart(FOwner->MaxDate())) return false;
    return true;
  }

  bool CanMove(int Months) const {
    const double target = IncMonth(EncodeDate(static_cast<Word>(FYear), static_cast<Word>(FMonth), 1), Months);
    Word y, m, d;
    DecodeDate(target, y, m, d);
    const double last = target + DaysInAMonth(y, m) - 1;
    return InRange(target) || InRange(last);
  }

  void MoveMonth(int Months, bool MoveSelection) {
    if (!CanMove(Months)) return;
    const double target = IncMonth(EncodeDate(static_cast<Word>(FYear), static_cast<Word>(FMonth), 1), Months);
    Word y, m, d;
    DecodeDate(target, y, m, d);
    FYear = y;
    FMonth = m;
    if (MoveSelection) {
      const double s = IncMonth(FSelected, Months);
      if (InRange(s)) FSelected = s;
    }
    Invalidate();
  }

  void Move(int Days) {
    const double s = FSelected + Days;
    if (!InRange(s)) return;
    FSelected = s;
    Word y, m, d;
    DecodeDate(s, y, m, d);
    FYear = y;
    FMonth = m;
    Invalidate();
  }

  TDateTimePicker* FOwner;
  QObject* FCloser = nullptr;
  double FSelected = 0;
  int FYear = 2000;
  int FMonth = 1;
  int FCellW = 24;
  int FCellH = 16;
  TRect FTitle, FPrev, FNext, FWeeks, FGrid, FToday;
};

// ------------------------------------------------------------ TDateTimePicker

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  FView->setObjectName(QStringLiteral("TDateTimePicker"));
  FParentColor = false;
  FColor = clWindow;
  FBrush->SetColor(clWindow);
  SetTabStop(true);
  FDateTime = Now();
  SetBounds(0, 0, 186, 21);
  ParseFormat();
}

TDateTimePicker::~TDateTimePicker() {
  if (FCalendar != nullptr) {
    FCalendar->Close();
    delete FCalendar;
    FCalendar = nullptr;
  }
}

void TDateTimePicker::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

double TDateTimePicker::Date() const { return DatePart(FDateTime); }
double TDateTimePicker::Time() const { return TimePart(FDateTime); }

double TDateTimePicker::Clamp(double Value) const {
  if (FMinDate != 0 && DatePart(Value) < DatePart(FMinDate)) Value = Combine(DatePart(FMinDate), TimePart(Value));
  if (FMaxDate != 0 && DatePart(Value) > DatePart(FMaxDate)) Value = Combine(DatePart(FMaxDate), TimePart(Value));
  return Value;
}

void TDateTimePicker::SetDateTime(double Value) {
  if (FMinDate != 0 && DatePart(Value) < DatePart(FMinDate))
    throw EDateTimeError(QStringLiteral("Date exceeds minimum of %1").arg(DateToStr(FMinDate)));
  if (FMaxDate != 0 && DatePart(Value) > DatePart(FMaxDate))
    throw EDateTimeError(QStringLiteral("Date exceeds maximum of %1").arg(DateToStr(FMaxDate)));
  FDateTime = Value;
  Invalidate();
}

void TDateTimePicker::SetDate(double Value) { SetDateTime(Combine(DatePart(Value), Time())); }
void TDateTimePicker::SetTime(double Value) { SetDateTime(Combine(Date(), TimePart(Value))); }

void TDateTimePicker::SetKind(TDateTimeKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  ParseFormat();
  Invalidate();
}

void TDateTimePicker::SetDateMode(TDTDateMode Value) {
  if (FDateMode == Value) return;
  FDateMode = Value;
  Invalidate();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat Value) {
  if (FDateFormat == Value) return;
  FDateFormat = Value;
  ParseFormat();
  Invalidate();
}

void TDateTimePicker::SetFormat(const QString& Value) {
  FFormat = Value;
  ParseFormat();
  Invalidate();
}

void TDateTimePicker::SetShowCheckbox(bool Value) {
  if (FShowCheckbox == Value) return;
  FShowCheckbox = Value;
  Invalidate();
}

void TDateTimePicker::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  Invalidate();
}

void TDateTimePicker::SetMinDate(double Value) {
  if (FMaxDate != 0 && Value != 0 && DatePart(Value) > DatePart(FMaxDate))
    throw EDateTimeError(QStringLiteral("Date exceeds maximum of %1").arg(DateToStr(FMaxDate)));
  FMinDate = Value;
  FDateTime = Clamp(FDateTime);
  Invalidate();
}

void TDateTimePicker::SetMaxDate(double Value) {
  if (FMinDate != 0 && Value != 0 && DatePart(Value) < DatePart(FMinDate))
    throw EDateTimeError(QStringLiteral("Date exceeds minimum of %1").arg(DateToStr(FMinDate)));
  FMaxDate = Value;
  FDateTime = Clamp(FDateTime);
  Invalidate();
}

QString TDateTimePicker::EffectiveFormat() const {
  if (!FFormat.isEmpty()) return FFormat;
  if (FKind == dtkTime) return FromFrameworkFormat(FormatSettings.LongTimeFormat, true);
  return FromFrameworkFormat(FDateFormat == dfLong ? FormatSettings.LongDateFormat : FormatSettings.ShortDateFormat,
                             false);
}

void TDateTimePicker::ParseFormat() {
  FFields.clear();
  const QString f = EffectiveFormat();
  for (int i = 0; i < f.size();) {
    const QChar c = f.at(i);
    TField fld;
    if (c == QLatin1Char('\'')) {
      int e = f.indexOf(QLatin1Char('\''), i + 1);
      if (e < 0) e = f.size();
      fld.Code = f.mid(i + 1, e - i - 1);
      fld.Literal = true;
      i = e + 1;
    } else if (IsFieldChar(c)) {
      int e = i;
      while (e < f.size() && f.at(e) == c) ++e;
      fld.Code = f.mid(i, e - i);
      i = e;
    } else {
      int e = i;
      while (e < f.size() && !IsFieldChar(f.at(e)) && f.at(e) != QLatin1Char('\'')) ++e;
      fld.Code = f.mid(i, e - i);
      fld.Literal = true;
      i = e;
    }
    FFields.push_back(fld);
  }
  if (FCurField >= static_cast<int>(FFields.size()) || (FCurField >= 0 && FFields[static_cast<size_t>(FCurField)].Literal))
    FCurField = NextField(-1, 1);
}

QString TDateTimePicker::FieldText(const TField& F) const {
  if (F.Literal) return F.Code;
  Word y, mo, d, h, mi, s, ms;
  DecodeDate(FDateTime, y, mo, d);
  DecodeTime(FDateTime, h, mi, s, ms);
  const QChar c = F.Code.at(0);
  const int n = F.Code.size();
  auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
  switch (c.unicode()) {
    case 'd':
      if (n >= 4) return FormatSettings.LongDayNames[DayOfWeek(FDateTime) - 1];
      if (n == 3) return FormatSettings.ShortDayNames[DayOfWeek(FDateTime) - 1];
      return n == 2 ? two(d) : QString::number(d);
    case 'M':
      if (n >= 4) return FormatSettings.LongMonthNames[mo - 1];
      if (n == 3) return FormatSettings.ShortMonthNames[mo - 1];
      return n == 2 ? two(mo) : QString::number(mo);
    case 'y':
      if (n == 1) return QString::number(y % 10);
      if (n == 2) return two(y % 100);
      // The full year in four digits, so that year 30 does not read back as 2030.
      return n >= 4 ? QStringLiteral("%1").arg(y, 4, 10, QLatin1Char('0')) : QString::number(y);
    case 'h': {
      const int h12 = h % 12 == 0 ? 12 : h % 12;
      return n >= 2 ? two(h12) : QString::number(h12);
    }
    case 'H': return n >= 2 ? two(h) : QString::number(h);
    case 'm': return n >= 2 ? two(mi) : QString::number(mi);
    case 's': return n >= 2 ? two(s) : QString::number(s);
    case 't': {
      const QString ampm = h < 12 ? FormatSettings.TimeAMString : FormatSettings.TimePMString;
      return n >= 2 ? ampm : ampm.left(1);
    }
    default: return QString();
  }
}

QString TDateTimePicker::DisplayText() const {
  QString r;
  for (const TField& f : FFields) r += FieldText(f);
  return r;
}

bool TDateTimePicker::DroppedDown() const { return FCalendar != nullptr && (FDropping || FCalendar->Shown()); }

void TDateTimePicker::SetDroppedDown(bool Value) {
  if (Value != DroppedDown()) ShowCalendar(Value);
}

TCustomControl* TDateTimePicker::CalendarWindow() const { return DroppedDown() ? FCalendar : nullptr; }

TRect TDateTimePicker::ButtonRect() const {
  const TRect cr = ClientRect();
  const bool combo = FKind == dtkDate && FDateMode == dmComboBox;
  const int w = combo ? GetSystemMetrics(SM_CXVSCROLL) : 16;
  return TRect(cr.Right - w, cr.Top, cr.Right, cr.Bottom);
}

TRect TDateTimePicker::CheckRect() const {
  if (!FShowCheckbox) return TRect();
  return Bounds(2, (ClientHeight() - 13) / 2, 13, 13);
}

void TDateTimePicker::LayoutFields(HDC DC) {
  SelectObject(DC, Font()->Handle());
  int x = FShowCheckbox ? 2 + 13 + 3 : 2;
  const int h = ClientHeight();
  for (TField& f : FFields) {
    TSize s;
    GetTextExtentPoint32(DC, FieldText(f), -1, &s);
    const int top = (h - s.cy) / 2;
    f.Bounds = TRect(x, top, x + s.cx, top + s.cy);
    x += s.cx;
  }
}

int TDateTimePicker::NextField(int From, int Dir) const {
  const int n = static_cast<int>(FFields.size());
  for (int i = From + Dir; i >= 0 && i < n; i += Dir)
    if (!FFields[static_cast<size_t>(i)].Literal) return i;
  return From >= 0 && From < n ? From : -1;
}

void TDateTimePicker::NotifyParent(UINT Code) {
  if (Code == DTN_DATETIMECHANGE) {
    NMDATETIMECHANGE n;
    n.nmhdr.hwndFrom = View();
    n.nmhdr.code = Code;
    n.dwFlags = (FShowCheckbox && !FChecked) ? GDT_NONE : GDT_VALID;
    DateTimeToSystemTime(FDateTime, n.st);
    if (!HandleAllocated() || FParent == nullptr) Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
    else NotifyParentHeader(this, &n);
    return;
  }
  NMHDR h;
  h.hwndFrom = View();
  h.code = Code;
  if (!HandleAllocated() || FParent == nullptr) Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&h));
  else NotifyParentHeader(this, &h);
}

void TDateTimePicker::UserChange(double Value) {
  Value = Clamp(Value);
  if (Value == FDateTime && (!FShowCheckbox || FChecked)) return;
  FDateTime = Value;
  if (FShowCheckbox) FChecked = true;
  Invalidate();
  NotifyParent(DTN_DATETIMECHANGE);
}

void TDateTimePicker::StepField(int Field, int Delta) {
  if (Field < 0 || Field >= static_cast<int>(FFields.size())) return;
  const TField& f = FFields[static_cast<size_t>(Field)];
  if (f.Literal) return;
  Word y, mo, d, h, mi, s, ms;
  DecodeDate(FDateTime, y, mo, d);
  DecodeTime(FDateTime, h, mi, s, ms);
  auto wrap = [](int v, int lo, int hi) {
    const int n = hi - lo + 1;
    return lo + ((v - lo) % n + n) % n;
  };
  int Y = y, M = mo, D = d, H = h, N = mi, S = s;
  switch (f.Code.at(0).unicode()) {
    case 'd': D = wrap(D + Delta, 1, DaysInAMonth(static_cast<Word>(Y), static_cast<Word>(M))); break;
    case 'M': M = wrap(M + Delta, 1, 12); break;
    case 'y': Y = std::clamp(Y + Delta, 1, 9999); break;
    case 'h':
    case 'H': H = wrap(H + Delta, 0, 23); break;
    case 'm': N = wrap(N + Delta, 0, 59); break;
    case 's': S = wrap(S + Delta, 0, 59); break;
    case 't': H = (H + 12) % 24; break;
    default: return;
  }
  D = std::min(D, static_cast<int>(DaysInAMonth(static_cast<Word>(Y), static_cast<Word>(M))));
  const double v = EncodeDate(static_cast<Word>(Y), static_cast<Word>(M), static_cast<Word>(D)) +
                   EncodeTime(static_cast<Word>(H), static_cast<Word>(N), static_cast<Word>(S), ms);
  UserChange(v);
}

void TDateTimePicker::TypeDigit(int Field, int Digit) {
  if (Field < 0 || Field >= static_cast<int>(FFields.size())) return;
  const TField& f = FFields[static_cast<size_t>(Field)];
  if (f.Literal) return;
  const QChar c = f.Code.at(0);
  if (c == QLatin1Char('t')) return;
  const bool year = c == QLatin1Char('y');
  const int maxDigits = year ? (f.Code.size() <= 2 ? 2 : 4) : 2;
  FTypedValue = FTyped == 0 ? Digit : FTypedValue * 10 + Digit;
  ++FTyped;
  Word y, mo, d, h, mi, s, ms;
  DecodeDate(FDateTime, y, mo, d);
  DecodeTime(FDateTime, h, mi, s, ms);
  int Y = y, M = mo, D = d, H = h, N = mi, S = s;
  int v = FTypedValue;
  switch (c.unicode()) {
    case 'd': if (v >= 1 && v <= 31) D = v; break;
    case 'M': if (v >= 1 && v <= 12) M = v; break;
    case 'y':
      if (f.Code.size() <= 2) Y = (Y / 100) * 100 + v % 100;
      else if (FTyped == maxDigits) Y = std::clamp(v, 1, 9999);
      break;
    case 'h': if (v >= 1 && v <= 12) H = (H >= 12 ? 12 : 0) + v % 12; break;
    case 'H': if (v <= 23) H = v; break;
    case 'm': if (v <= 59) N = v; break;
    case 's': if (v <= 59) S = v; break;
    default: break;
  }
  D = std::min(D, static_cast<int>(DaysInAMonth(static_cast<Word>(Y), static_cast<Word>(M))));
  UserChange(EncodeDate(static_cast<Word>(Y), static_cast<Word>(M), static_cast<Word>(D)) +
             EncodeTime(static_cast<Word>(H), static_cast<Word>(N), static_cast<Word>(S), ms));
  // A full field moves on to the next.
  const bool full = FTyped >= maxDigits || (!year && FTypedValue * 10 > (c == QLatin1Char('M') ? 12 : c == QLatin1Char('d') ? 31 : c == QLatin1Char('h') ? 12 : c == QLatin1Char('H') ? 23 : 59));
  if (full) {
    FTyped = 0;
    FCurField = NextField(Field, 1);
    Invalidate();
  }
}

void TDateTimePicker::ShowCalendar(bool Show) {
  if (Show) {
    if (DroppedDown() || !HandleAllocated()) return;
    if (FCalendar == nullptr) FCalendar = new TMonthCalendarWindow(this);
    FCalendar->Prepare(FDateTime);
    TControlGuard self(this);
    bool closed = false;
    {
      // The handler may destroy the picker (nothing of it is touched then) or
      // close the calendar again (ShowCalendar(false) clears FDropping).
      FDropping = true;
      const auto dropped = qScopeGuard([&] {
        if (self.Alive()) FDropping = false;
      });
      NotifyParent(DTN_DROPDOWN);
      closed = self.Alive() && !FDropping;
    }
    if (!self.Alive() || closed) return;
    FCalendar->Open();
    FButtonDown = true;
    Invalidate();
  } else {
    if (!DroppedDown()) return;
    FDropping = false;
    FCalendar->Close();
    FButtonDown = false;
    Invalidate();
    NotifyParent(DTN_CLOSEUP);
  }
}

void TDateTimePicker::CalendarPicked(double Day) {
  TControlGuard self(this);
  FCalendar->Close();
  FButtonDown = false;
  Invalidate();
  UserChange(DatePart(Day) + Time());
  if (self.Alive()) NotifyParent(DTN_CLOSEUP);
}

void TDateTimePicker::CNNotify(TMessageView& Message) {
  auto* h = reinterpret_cast<NMHDR*>(Message.LParam);
  if (h == nullptr) return;
  if (h->code == DTN_DATETIMECHANGE) Change();
  else if (h->code == DTN_DROPDOWN) DropDown();
  else if (h->code == DTN_CLOSEUP) CloseUp();
}

void TDateTimePicker::Change() {
  TControl::Changed();
  if (OnChange) OnChange(this);
}

void TDateTimePicker::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TDateTimePicker::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TDateTimePicker::WMGetDlgCode(TMessageView& Message) {
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (DroppedDown()) Message.Result |= DLGC_WANTALLKEYS;
}

void TDateTimePicker::CMFontChanged(TMessageView& Message) {
  TWinControl::CMFontChanged(Message);
  SetHeight(FontHeight(Font()) + 8);
}

void TDateTimePicker::CMExit(TMessageView& Message) {
  ShowCalendar(false);
  FTyped = 0;
  TWinControl::CMExit(Message);
}

void TDateTimePicker::PaintPicker(HDC DC) {
  LayoutFields(DC);
  const bool focused = Focused();
  const bool active = Enabled() && (!FShowCheckbox || FChecked);
  if (FShowCheckbox)
    DrawFrameControl(DC, CheckRect(), DFC_BUTTON, DFCS_BUTTONCHECK | (FChecked ? DFCS_CHECKED : 0u) |
                                                       (Enabled() ? 0u : DFCS_INACTIVE));
  SetBkMode(DC, TRANSPARENT);
  const TRect b = ButtonRect();
  const int save = SaveDC(DC);
  IntersectClipRect(DC, 0, 0, b.Left, ClientHeight());
  for (int i = 0; i < static_cast<int>(FFields.size()); ++i) {
    const TField& f = FFields[static_cast<size_t>(i)];
    const bool cur = focused && i == FCurField && !f.Literal && active;
    if (cur) FillColor(DC, f.Bounds, clHighlight);
    SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(cur ? clHighlightText : (active ? Font()->Color() : clGrayText))));
    ::TextOut(DC, f.Bounds.Left, f.Bounds.Top, FieldText(f), -1);
  }
  RestoreDC(DC, save);
  if (FKind == dtkDate && FDateMode == dmComboBox) {
    UINT state = DFCS_SCROLLCOMBOBOX;
    if (FButtonDown) state |= DFCS_PUSHED | DFCS_FLAT;
    if (!Enabled()) state |= DFCS_INACTIVE;
    DrawFrameControl(DC, b, DFC_SCROLL, state);
  } else {
    const int mid = (b.Top + b.Bottom) / 2;
    DrawFrameControl(DC, TRect(b.Left, b.Top, b.Right, mid), DFC_SCROLL,
                     DFCS_SCROLLUP | (FSpinDown == 1 ? DFCS_PUSHED : 0u) | (Enabled() ? 0u : DFCS_INACTIVE));
    DrawFrameControl(DC, TRect(b.Left, mid, b.Right, b.Bottom), DFC_SCROLL,
                     DFCS_SCROLLDOWN | (FSpinDown == -1 ? DFCS_PUSHED : 0u) | (Enabled() ? 0u : DFCS_INACTIVE));
  }
}

void TDateTimePicker::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      if (Message.WParam != 0) PaintPicker(reinterpret_cast<HDC>(Message.WParam));
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (!Focused() && CanFocus()) SetFocus();
      const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
      FTyped = 0;
      if (FShowCheckbox && PtInRect(CheckRect(), p)) {
        FChecked = !FChecked;
        Invalidate();
        NotifyParent(DTN_DATETIMECHANGE);
        return;
      }
      const TRect b = ButtonRect();
      if (PtInRect(b, p)) {
        if (FKind == dtkDate && FDateMode == dmComboBox) {
          ShowCalendar(!DroppedDown());
        } else {
          FSpinDown = p.Y < (b.Top + b.Bottom) / 2 ? 1 : -1;
          if (FCurField < 0) FCurField = NextField(-1, 1);
          StepField(FCurField, FSpinDown);
          Invalidate();
        }
        return;
      }
      LayoutFields(MeasureDC());
      for (int i = 0; i < static_cast<int>(FFields.size()); ++i) {
        const TField& f = FFields[static_cast<size_t>(i)];
        if (!f.Literal && p.X >= f.Bounds.Left && p.X < f.Bounds.Right) {
          FCurField = i;
          Invalidate();
          break;
        }
      }
      return;
    }
    case WM_LBUTTONUP:
      if (FSpinDown != 0) {
        FSpinDown = 0;
        Invalidate();
      }
      break;
    case WM_SYSKEYDOWN:
      if (Message.WParam == VK_DOWN && FKind == dtkDate && FDateMode == dmComboBox) {
        ShowCalendar(!DroppedDown());
        return;
      }
      break;
    case WM_KEYDOWN: {
      const WORD k = static_cast<WORD>(Message.WParam);
      if (DroppedDown() && FCalendar->Key(k)) return;
      FTyped = k >= '0' && k <= '9' ? FTyped : 0;
      switch (k) {
        case VK_F4:
          if (FKind == dtkDate && FDateMode == dmComboBox) ShowCalendar(!DroppedDown());
          return;
        case VK_LEFT: FCurField = NextField(FCurField, -1); Invalidate(); return;
        case VK_RIGHT: FCurField = NextField(FCurField, 1); Invalidate(); return;
        case VK_UP: StepField(FCurField, 1); return;
        case VK_DOWN: StepField(FCurField, -1); return;
        case VK_SPACE:
          if (FShowCheckbox) {
            FChecked = !FChecked;
            Invalidate();
            NotifyParent(DTN_DATETIMECHANGE);
          }
          return;
        default: break;
      }
      break;
    }
    case WM_CHAR: {
      const QChar c(static_cast<char16_t>(Message.WParam));
      if (c.isDigit()) TypeDigit(FCurField, c.digitValue());
      return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      FTyped = 0;
      if (FCurField < 0) FCurField = NextField(-1, 1);
      Invalidate();
      break;
    case DTM_GETSYSTEMTIME:
      if (Message.LParam != 0) DateTimeToSystemTime(FDateTime, *reinterpret_cast<SYSTEMTIME*>(Message.LParam));
      Message.Result = (FShowCheckbox && !FChecked) ? GDT_NONE : GDT_VALID;
      return;
    case DTM_SETSYSTEMTIME:
      if (Message.WParam == GDT_NONE) {
        FChecked = false;
      } else if (Message.LParam != 0) {
        FDateTime = Clamp(SystemTimeToDateTime(*reinterpret_cast<const SYSTEMTIME*>(Message.LParam)));
        FChecked = true;
      }
      Invalidate();
      Message.Result = 1;
      return;
    case DTM_CLOSEMONTHCAL:
      ShowCalendar(false);
      return;
    case DTM_GETMONTHCAL:
      Message.Result = DroppedDown() ? reinterpret_cast<LRESULT>(FCalendar->View()) : 0;
      return;
    default:
      break;
  }
  TWinControl::DefaultHandler(Message);
}
