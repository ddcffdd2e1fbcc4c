// The spin edit's reading of its text as an integer, a number, a date and a
// time, and its character filter, on a spin edit of a shown offscreen form
// under a "." or a "," locale. Input lines: 0 the settings, 1 and 2 the lower
// and upper bound ("C" numbers; dates and times as day numbers, taken to
// whole days and whole seconds or minutes), 3 the text, 4 characters typed
// into it, 5 a value to set. Settings: character 0 holds the spin type (bits
// 0-1), the "," locale (bit 2), bounds (bit 3), times without seconds (bit
// 4); character 1 the precision (low 3 bits); character 2 the caret (modulo 16).
// Properties: no reading raises; after leaving the editor the value read lies
// within the bounds; a value set reads back (to the precision its text
// shows); characters typed into an empty integer or number spin leave a
// number there.
#include "FuzzSupport.h"

#include <QRegularExpression>
#include <cmath>

#include "controls/psgspin.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Messages.h"
#include "platform/widgets/StdCtrls.h"

namespace {

struct TSpinForm {
  TForm* Form;
  TPsgSpinEdit* Spin;
  TEdit* Other;
};

TSpinForm& Shown() {
  static TSpinForm f = [] {
    TSpinForm s{};
    s.Form = new TForm(nullptr);
    s.Form->SetBorderStyle(bsNone);
    s.Form->SetBounds(10, 10, 300, 120);
    s.Spin = new TPsgSpinEdit(s.Form);
    s.Spin->SetParent(s.Form);
    s.Spin->SetBounds(10, 10, 120, 24);
    s.Other = new TEdit(s.Form);
    s.Other->SetParent(s.Form);
    s.Other->SetBounds(10, 60, 120, 24);
    s.Form->Show();
    return s;
  }();
  return f;
}

// A "C" number of a line, Default when it is none or not finite.
double Number(const QString& Line, double Default) {
  bool ok = false;
  const double v = Line.trimmed().toDouble(&ok);
  return ok && std::isfinite(v) ? v : Default;
}

// The time of day of V in whole Unit (in days), made as the program makes
// times (EncodeTime).
TDateTime WholeTime(double V, double Unit) {
  const int seconds = static_cast<int>(std::floor(std::fmod(std::fabs(V), 1.0) / Unit + 1e-9) * Unit * 86400 + 0.5);
  return EncodeTime(static_cast<Word>(seconds / 3600), static_cast<Word>(seconds / 60 % 60),
                    static_cast<Word>(seconds % 60), 0);
}

QString Num(double V) { return QString::number(V, 'g', 17); }

// Fails unless the value of the spin's own type lies in [Lo, Hi].
void CheckInBounds(TPsgSpinEdit* S, double Lo, double Hi) {
  double v = 0;
  switch (S->SpinType()) {
    case sptNormal: v = S->Value(); break;
    case sptFloat: v = S->FloatValue(); break;
    case sptDate: v = S->DateValue(); break;
    case sptTime: v = S->TimeValue(); break;
  }
  if (!(v >= Lo && v <= Hi))
    Fuzz::Fail("the value read after leaving lies within the bounds",
               QStringLiteral("%1 .. %2").arg(Num(Lo), Num(Hi)), Num(v) + QStringLiteral(" from \"") + S->Text() + '"');
}

// Types Chars at the caret as the keyboard does.
void Type(TPsgSpinEdit* S, const QString& Chars) {
  for (const QChar c : Chars) S->Perform(WM_CHAR, c.unicode(), 0);
}

void ReadAll(TPsgSpinEdit* S) {
  (void)S->Value();
  (void)S->FloatValue();
  (void)S->DateValue();
  (void)S->TimeValue();
  for (ushort k = 0; k < 128; ++k) {
    QChar c(k);
    (void)S->IsValidChar(c);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Fuzz::InitApplication();
  (void)Shown();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const Fuzz::TLines in(Data, Size);
  const int flags = in.CharAt(0, 0, QChar(0)).unicode();
  const int precision = in.CharAt(0, 1, QChar(0)).unicode() & 7;
  const int caret = in.CharAt(0, 2, QChar(0)).unicode() % 16;
  const auto type = static_cast<TPsgSpinType>(flags & 3);
  const bool bounded = (flags & 8) != 0;
  const bool seconds = (flags & 16) == 0;
  TScopedFormatSettings locale(Fuzz::Locale((flags & 4) != 0));
  // Ctrl+V pastes only what this input copied.
  Clipboard()->Clear();

  TSpinForm& f = Shown();
  TPsgSpinEdit* s = f.Spin;
  s->SetText(QStringLiteral("0"));
  s->SetEditorEnabled(true);
  s->SetShowSeconds(seconds);
  s->SetPrecision(0);
  s->SetSpinType(sptNormal);
  s->SetMinValue(0);
  s->SetMaxValue(0);
  s->SetMinFloatValue(0);
  s->SetMaxFloatValue(0);
  s->SetMinDateValue(0);
  s->SetMaxDateValue(0);
  double lo = 0, hi = 0;
  if (bounded) {
    lo = Number(in[1], 0);
    hi = Number(in[2], 0);
    switch (type) {
      case sptNormal:
        lo = std::clamp(lo, -2147483648.0, 2147483647.0);
        hi = std::clamp(hi, -2147483648.0, 2147483647.0);
        s->SetMinValue(static_cast<int>(lo));
        s->SetMaxValue(static_cast<int>(hi));
        lo = s->MinValue();
        hi = s->MaxValue();
        break;
      case sptFloat:
        s->SetMinFloatValue(lo);
        s->SetMaxFloatValue(hi);
        break;
      case sptDate:
        // Days of the years 1 to 9999.
        lo = std::floor(std::clamp(lo, -693593.0, 2958465.0));
        hi = std::floor(std::clamp(hi, -693593.0, 2958465.0));
        s->SetMinDateValue(lo);
        s->SetMaxDateValue(hi);
        break;
      case sptTime: {
        const double unit = seconds ? 1.0 / 86400 : 1.0 / 1440;
        lo = WholeTime(lo, unit);
        hi = WholeTime(hi, unit);
        s->SetMinDateValue(lo);
        s->SetMaxDateValue(hi);
        break;
      }
    }
    // The reading clamps into the bounds in either order (equal bounds mean none).
    if (lo > hi) std::swap(lo, hi);
  }
  s->SetSpinType(type);
  s->SetPrecision(precision);

  // The readers on the text.
  s->SetFocus();
  s->SetText(in[3]);
  ReadAll(s);
  s->SetSelStart(std::min(caret, static_cast<int>(s->Text().size())));
  s->SetSelLength(0);
  Type(s, in[4].left(64));
  ReadAll(s);
  f.Other->SetFocus();
  if (!f.Other->Focused() && f.Form->ActiveControl() != f.Other) {
    std::fprintf(stderr, "fuzz: the spin edit cannot be left\n");
    std::abort();
  }
  if (bounded && lo != hi) CheckInBounds(s, lo, hi);

  // A value set reads back.
  const double value = Number(in[5], 0);
  switch (type) {
    case sptNormal: {
      const int read = s->Value();
      for (const int v : {read, static_cast<int>(std::clamp(value, -2147483648.0, 2147483647.0))}) {
        s->SetValue(v);
        const int expected = bounded && lo != hi ? static_cast<int>(std::clamp<double>(v, lo, hi)) : v;
        Fuzz::Check("an integer set reads back", QString::number(expected), QString::number(s->Value()));
      }
      break;
    }
    case sptFloat: {
      const double read = s->FloatValue();
      for (const double v : {read, value}) {
        if (!std::isfinite(v)) continue;
        s->SetFloatValue(v);
        const double expected = bounded && lo != hi ? std::clamp(v, lo, hi) : v;
        const double got = s->FloatValue();
        // The text holds 15 significant digits, or the decimals of the precision;
        // a half-way value rounded to them lies half a unit away in decimal,
        // and the double nearest the rounded text adds its own error on top.
        double room = std::fabs(expected) * 1e-14;
        if (precision > 0) room = std::max(room, 0.5 * std::pow(10.0, -precision) * (1 + 1e-9) + std::fabs(expected) * 1e-15);
        if (!(std::fabs(got - expected) <= room))
          Fuzz::Fail("a number set reads back", Num(expected), Num(got) + QStringLiteral(" from \"") + s->Text() + '"');
        const QString text = s->Text();
        s->SetFloatValue(got);
        Fuzz::Check("a number read back writes the same text", text, s->Text());
      }
      break;
    }
    case sptDate: {
      const double read = std::floor(s->DateValue());
      for (const double v : {read, std::floor(std::clamp(value, -693593.0, 2958465.0))}) {
        if (!(v >= -693593 && v <= 2958465)) continue;
        s->SetDateValue(v);
        const double expected = bounded && lo != hi ? std::clamp(v, lo, hi) : v;
        const double got = s->DateValue();
        if (got != expected)
          Fuzz::Fail("a date set reads back", Num(expected), Num(got) + QStringLiteral(" from ") + s->Text());
      }
      break;
    }
    case sptTime: {
      const double unit = seconds ? 1.0 / 86400 : 1.0 / 1440;
      for (const double v : {WholeTime(s->TimeValue(), unit), WholeTime(value, unit)}) {
        s->SetTimeValue(v);
        const double expected = bounded && lo != hi ? std::clamp(v, lo, hi) : v;
        const double got = s->TimeValue();
        if (!(std::fabs(got - expected) < 1e-3 / 86400))
          Fuzz::Fail("a time set reads back", Num(expected), Num(got) + QStringLiteral(" from ") + s->Text());
      }
      break;
    }
  }

  // Typing into an empty integer or number spin leaves a number there (the
  // keys of the edit, control characters, may paste what the filter did not
  // see, so they are left out here).
  const QString typed = in[4].left(64);
  bool plain = true;
  for (const QChar c : typed) plain = plain && (c.unicode() >= 32 || c.unicode() == 8);
  if (plain && (type == sptNormal || type == sptFloat)) {
    s->SetFocus();
    s->SetText(QString());
    Type(s, typed);
    const QString d = QRegularExpression::escape(QString(FormatSettings.DecimalSeparator));
    const QString pattern =
        type == sptNormal ? QStringLiteral("-?[0-9]*")
        : precision > 0   ? QStringLiteral("-?[0-9]*(%1[0-9]{0,%2})?").arg(d).arg(precision)
                          : QStringLiteral("-?[0-9]*(%1[0-9]*)?").arg(d);
    if (!QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(s->Text()).hasMatch())
      Fuzz::Fail("typed characters leave a number", pattern, s->Text());
    f.Other->SetFocus();
    if (bounded && lo != hi) CheckInBounds(s, lo, hi);
  }
  return 0;
}
