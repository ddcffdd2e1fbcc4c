// Run-time routines of the framework: exceptions, conversions, formatting,
// dates and times, files.
//
// The routines keep the framework's names and behaviour. Where a routine takes or
// returns a 1-based position (Pos, Copy, LastDelimiter, IsDelimiter, the Code of Val)
// it keeps the framework's 1-based counting, because callers translate whole
// algorithms that count that way; every other position in the program is 0-based.
//
// Implementation by family: SysUtils.cpp (exceptions, settings, strings, ticks),
// SysUtils_Convert.cpp (numbers from and to text), SysUtils_Format.cpp (Format,
// FormatFloat, FloatToStrF), SysUtils_DateTime.cpp, SysUtils_Files.cpp.
#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <cstddef>
#include <exception>
#include <initializer_list>
#include <memory>
#include <typeinfo>
#include <vector>

#include "platform/rtl/Types.h"

// The name a class has in the program ("TStringList"), from its run-time type.
QString ClassNameOf(const std::type_info& type);

// ---------------------------------------------------------------------------
// Exceptions

// Base of every error the program raises; carries the message shown to the user.
class Exception : public std::exception {
 public:
  explicit Exception(const QString& message) : FMessage(message) {}
  ~Exception() override = default;
  const QString& Message() const { return FMessage; }
  void SetMessage(const QString& message) { FMessage = message; FUtf8.clear(); }
  QString ClassName() const { return ClassNameOf(typeid(*this)); }
  const char* what() const noexcept override;

 private:
  QString FMessage;
  mutable QByteArray FUtf8;
};

#define ZIDI_DECLARE_EXCEPTION(Name, Base) \
  class Name : public Base {               \
   public:                                 \
    using Base::Base;                      \
  }

ZIDI_DECLARE_EXCEPTION(EAbort, Exception);
ZIDI_DECLARE_EXCEPTION(EConvertError, Exception);
ZIDI_DECLARE_EXCEPTION(EListError, Exception);
ZIDI_DECLARE_EXCEPTION(EStringListError, EListError);
ZIDI_DECLARE_EXCEPTION(EInOutError, Exception);
ZIDI_DECLARE_EXCEPTION(EStreamError, Exception);
ZIDI_DECLARE_EXCEPTION(EFCreateError, EStreamError);
ZIDI_DECLARE_EXCEPTION(EFOpenError, EStreamError);
ZIDI_DECLARE_EXCEPTION(EReadError, EStreamError);
ZIDI_DECLARE_EXCEPTION(EWriteError, EStreamError);
ZIDI_DECLARE_EXCEPTION(EComponentError, Exception);
ZIDI_DECLARE_EXCEPTION(EInvalidOperation, Exception);
ZIDI_DECLARE_EXCEPTION(EInvalidPointer, Exception);
ZIDI_DECLARE_EXCEPTION(EOutOfResources, Exception);
ZIDI_DECLARE_EXCEPTION(EArgumentException, Exception);
ZIDI_DECLARE_EXCEPTION(EArgumentOutOfRangeException, EArgumentException);
ZIDI_DECLARE_EXCEPTION(EOSError, Exception);

// Raises the silent exception that ends an operation without an error box.
[[noreturn]] void Abort();

// ---------------------------------------------------------------------------
// Format settings

// The regional settings the conversions read. The global FormatSettings is read at
// each use, so a test (or the program) may change it at any time; every routine
// that reads it also has an overload taking the settings explicitly.
//
// Month and day names are 0-based here: ShortMonthNames[0] is January,
// ShortDayNames[0] is Sunday.
struct TFormatSettings {
  QChar DecimalSeparator;
  QChar ThousandSeparator;  // QChar() means no thousand separators
  QChar DateSeparator;
  QChar TimeSeparator;
  QChar ListSeparator;
  QString ShortDateFormat;
  QString LongDateFormat;
  QString ShortTimeFormat;
  QString LongTimeFormat;
  QString TimeAMString;
  QString TimePMString;
  QString CurrencyString;
  Byte CurrencyFormat = 0;   // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  Byte NegCurrFormat = 0;    // 0 "($1)" ... 15 "(1 $)", the framework's table
  Byte CurrencyDecimals = 2;
  // Two-digit years read by StrToDate fall within this many years before now
  // (and the rest of the century after it); 0 means the current century.
  Word TwoDigitYearCenturyWindow = 50;
  QString ShortMonthNames[12];
  QString LongMonthNames[12];
  QString ShortDayNames[7];
  QString LongDayNames[7];

  // The settings of an English (United States) system, which the program uses
  // unless it is told otherwise: "." decimal, "," thousands, "M/d/yyyy",
  // "dddd, mmmm d, yyyy", "h:nn AMPM", "h:nn:ss AMPM", "$" currency.
  static TFormatSettings Create();
};

extern TFormatSettings FormatSettings;

// Keeps FormatSettings as they are when the object is made (optionally setting
// Value for the scope) and restores them when the scope ends, also on an
// exception: a test that changes the regional settings leaves none behind.
class TScopedFormatSettings {
 public:
  TScopedFormatSettings() : FSaved(FormatSettings) {}
  explicit TScopedFormatSettings(const TFormatSettings& Value) : FSaved(FormatSettings) { FormatSettings = Value; }
  ~TScopedFormatSettings() { FormatSettings = FSaved; }
  TScopedFormatSettings(const TScopedFormatSettings&) = delete;
  TScopedFormatSettings& operator=(const TScopedFormatSettings&) = delete;

 private:
  TFormatSettings FSaved;
};

// ---------------------------------------------------------------------------
// Integers and text

QString IntToStr(int Value);
QString IntToStr(long Value);
QString IntToStr(long long Value);
QString IntToStr(unsigned Value);
QString IntToStr(unsigned long Value);
QString IntToStr(unsigned long long Value);
QString UIntToStr(uint32_t Value);
QString UIntToStr(uint64_t Value);
// Upper-case hexadecimal with at least Digits digits. Negative values show their
// two's complement in the width of their type ("FFFFFFFF" for an int -1).
QString IntToHex(int Value, int Digits);
QString IntToHex(long Value, int Digits);
QString IntToHex(long long Value, int Digits);
QString IntToHex(unsigned Value, int Digits);
QString IntToHex(unsigned long Value, int Digits);
QString IntToHex(unsigned long long Value, int Digits);

// The framework's integer conversion: characters up to ' ' at the start are
// skipped, then one optional sign, then decimal digits or hexadecimal digits after
// "$", "x", "X", "0x" or "0X". Anything after the digits (blanks too), an empty
// text and an overflow make the text no number. Hexadecimal fills the whole width,
// so "$FFFFFFFF" is -1 in 32 bits. StrToInt raises EConvertError
// "'<text>' is not a valid integer value".
int StrToInt(const QString& S);
int StrToIntDef(const QString& S, int Default);
bool TryStrToInt(const QString& S, int& Value);
Int64 StrToInt64(const QString& S);
Int64 StrToInt64Def(const QString& S, Int64 Default);
bool TryStrToInt64(const QString& S, Int64& Value);

// The run-time library's Val: reads S as above; Code is 0 on success, else the
// 1-based position of the first character that does not fit (the length + 1 when
// the text ends too early). On failure Value holds what was read before that
// character. The real-number form reads "." as its decimal point.
void Val(const QString& S, int& Value, int& Code);
void Val(const QString& S, Int64& Value, int& Code);
void Val(const QString& S, double& Value, int& Code);

// ---------------------------------------------------------------------------
// Real numbers from text

// Blanks around the number are allowed; then a sign, digits with the settings'
// decimal separator (no thousand separators) and an exponent "E-5". "INF", "-INF"
// and "NAN" read as what FloatToStr writes for them. StrToFloat raises
// EConvertError "'<text>' is not a valid floating point value".
double StrToFloat(const QString& S);
double StrToFloat(const QString& S, const TFormatSettings& AFormatSettings);
double StrToFloatDef(const QString& S, double Default);
double StrToFloatDef(const QString& S, double Default, const TFormatSettings& AFormatSettings);
bool TryStrToFloat(const QString& S, double& Value);
bool TryStrToFloat(const QString& S, double& Value, const TFormatSettings& AFormatSettings);

// ---------------------------------------------------------------------------
// Real numbers to text
//
// The framework rounds on decimal digits, half away from zero, after taking the
// value to at most 15 significant digits (17 when a larger precision is asked for):
// FloatToStrF(2.675, ffFixed, 15, 2) is "2.68". Infinities and not-a-number are
// written "INF", "-INF" and "NAN".

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// ffGeneral: the shorter of fixed and scientific notation with Precision significant
//   digits, no trailing zeros ("1.5", "1E20", "1E-5"); Digits is the least number of
//   exponent digits.
// ffExponent: "-d.dddE+ddd" with Precision digits and at least Digits exponent digits.
// ffFixed: "-ddd.dd" with Digits decimals; scientific when the number has more than
//   Precision digits before the point.
// ffNumber: as ffFixed with thousand separators.
// ffCurrency: as ffNumber with the currency string placed by CurrencyFormat and
//   NegCurrFormat.
QString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);
QString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits,
                    const TFormatSettings& AFormatSettings);
// ffGeneral with 15 digits.
QString FloatToStr(double Value);
QString FloatToStr(double Value, const TFormatSettings& AFormatSettings);
// A currency amount (four decimals kept).
QString CurrToStr(double Value);
QString CurrToStr(double Value, const TFormatSettings& AFormatSettings);
QString CurrToStrF(double Value, TFloatFormat Format, int Digits);
QString CurrToStrF(double Value, TFloatFormat Format, int Digits,
                   const TFormatSettings& AFormatSettings);

// The framework's number pattern: "0" a digit always written, "#" a digit written
// when needed, "." the decimal separator, "," anywhere asks for thousand separators,
// "E+0" / "E-0" scientific notation (the "0"s giving the least exponent digits),
// '...' and "..." literal text, other characters as they stand. Up to three
// sections separated by ";" serve positive, negative (written without its sign) and
// zero values; an empty section falls back to the first. An empty pattern means
// FloatToStr.
QString FormatFloat(const QString& Format, double Value);
QString FormatFloat(const QString& Format, double Value, const TFormatSettings& AFormatSettings);

// ---------------------------------------------------------------------------
// Format

// One argument of Format: an integer, a real number, a text, a character or a
// pointer, as the framework's "array of const" carries them.
class TVarRec {
 public:
  enum TVarType { vtInteger, vtInt64, vtExtended, vtString, vtPChar, vtChar, vtPointer, vtBoolean };

  TVarRec(int v) : VType(vtInteger), VInteger(v) {}  // NOLINT: arguments convert implicitly
  TVarRec(unsigned v) : VType(vtInt64), VInt64(v) {}  // NOLINT
  TVarRec(long v) : VType(vtInt64), VInt64(v) {}  // NOLINT
  TVarRec(unsigned long v) : VType(vtInt64), VInt64(static_cast<Int64>(v)) {}  // NOLINT
  TVarRec(long long v) : VType(vtInt64), VInt64(v) {}  // NOLINT
  TVarRec(unsigned long long v) : VType(vtInt64), VInt64(static_cast<Int64>(v)) {}  // NOLINT
  TVarRec(double v) : VType(vtExtended), VExtended(v) {}  // NOLINT
  TVarRec(bool v) : VType(vtBoolean), VBoolean(v) {}  // NOLINT
  TVarRec(char v) : VType(vtChar), VChar(static_cast<unsigned char>(v)) {}  // NOLINT
  TVarRec(char16_t v) : VType(vtChar), VChar(v) {}  // NOLINT
  TVarRec(QChar v) : VType(vtChar), VChar(v.unicode()) {}  // NOLINT
  TVarRec(const char* v) : VType(vtPChar), VPChar(v) {}  // NOLINT: UTF-8 text
  TVarRec(const QString& v) : VType(vtString), VInteger(0), VString(v) {}  // NOLINT
  TVarRec(QLatin1String v) : VType(vtString), VInteger(0), VString(v) {}  // NOLINT
  TVarRec(QStringView v) : VType(vtString), VInteger(0), VString(v.toString()) {}  // NOLINT
  TVarRec(const char16_t* v)  // NOLINT: UTF-16 text
      : VType(vtString), VInteger(0), VString(QString::fromUtf16(v)) {}
  TVarRec(const void* v) : VType(vtPointer), VPointer(v) {}  // NOLINT
  TVarRec(std::nullptr_t) : VType(vtPointer), VPointer(nullptr) {}  // NOLINT

  TVarType VType;
  union {
    int VInteger;
    Int64 VInt64;
    double VExtended;
    bool VBoolean;
    char16_t VChar;
    const char* VPChar;
    const void* VPointer;
  };
  QString VString;
};

// The framework's Format: each "%[index:][-][width][.precision]type" takes the next
// argument (an index "%1:s" moves to that argument, and the following directives go
// on from there); "*" for index, width or precision takes it from an integer
// argument; "%%" is "%". Types:
//   d u x  integers (precision: least digits; x upper-case hexadecimal; negative
//          values are their two's complement for u and x)
//   e f g n m  real numbers: scientific (precision: digits, 15 by default), fixed
//          (precision: decimals, 2), general (digits, 15), fixed with thousand
//          separators (decimals, 2), currency (decimals, CurrencyDecimals)
//   s      text or character (precision: most characters)
//   p      pointer as hexadecimal
// The width pads with blanks, on the left unless "-" asks for the right. An argument
// of the wrong kind or a bad directive raises EConvertError "Format '<fmt>' invalid
// or incompatible with argument", a missing argument "No argument for format '<fmt>'".
QString Format(const QString& Fmt, std::initializer_list<TVarRec> Args);
QString Format(const QString& Fmt, std::initializer_list<TVarRec> Args,
               const TFormatSettings& AFormatSettings);
QString Format(const QString& Fmt, const std::vector<TVarRec>& Args);
QString Format(const QString& Fmt, const std::vector<TVarRec>& Args,
               const TFormatSettings& AFormatSettings);
QString Format(const QString& Fmt, const TVarRec* Args, int Count,
               const TFormatSettings& AFormatSettings);

// "True"/"False" with UseBoolStrs, else "-1"/"0" as the framework writes them.
QString BoolToStr(bool B, bool UseBoolStrs = false);
// "True"/"False" (any case) or a number, non-zero meaning true. StrToBool raises
// EConvertError "'<text>' is not a valid boolean value".
bool StrToBool(const QString& S);
bool StrToBoolDef(const QString& S, bool Default);
bool TryStrToBool(const QString& S, bool& Value);

// ---------------------------------------------------------------------------
// Strings

// Remove the characters up to ' ' (blanks and control characters) at the ends.
QString Trim(const QString& S);
QString TrimLeft(const QString& S);
QString TrimRight(const QString& S);
// ASCII letters only.
QString UpperCase(const QString& S);
QString LowerCase(const QString& S);
// All letters.
QString AnsiUpperCase(const QString& S);
QString AnsiLowerCase(const QString& S);
// Ordinal comparisons: < 0, 0 or > 0. CompareText and SameText ignore the case of
// ASCII letters only.
int CompareStr(const QString& S1, const QString& S2);
bool SameStr(const QString& S1, const QString& S2);
int CompareText(const QString& S1, const QString& S2);
bool SameText(const QString& S1, const QString& S2);
// Comparisons for people: AnsiCompareText ignores the case of every letter;
// AnsiCompareStr orders letters alike regardless of case first and then puts the
// lower-case form first ("a" < "A" < "b"), as the desktop's sort order does.
int AnsiCompareStr(const QString& S1, const QString& S2);
int AnsiCompareText(const QString& S1, const QString& S2);
bool AnsiSameStr(const QString& S1, const QString& S2);
bool AnsiSameText(const QString& S1, const QString& S2);

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag, 8>;
// Replaces the first occurrence of OldPattern (every one with rfReplaceAll);
// rfIgnoreCase ignores the case of every letter.
QString StringReplace(const QString& S, const QString& OldPattern, const QString& NewPattern,
                      TReplaceFlags Flags);

// 'text' with inner quotes doubled.
QString QuotedStr(const QString& S);
QString AnsiQuotedStr(const QString& S, QChar Quote);
// The text between a leading Quote and its closing Quote with doubled quotes made
// single; S itself when it does not start with Quote or the closing one is missing.
QString AnsiDequotedStr(const QString& S, QChar Quote);

// 1-based position of the first occurrence of Substr in S, 0 when absent (and for an
// empty Substr). PosEx starts looking at the 1-based Offset.
int Pos(const QString& Substr, const QString& S);
int Pos(QChar C, const QString& S);
int PosEx(const QString& Substr, const QString& S, int Offset = 1);
int AnsiPos(const QString& Substr, const QString& S);
// Count characters from the 1-based Index; an Index below 1 counts as 1; clamped to
// the text.
QString Copy(const QString& S, int Index, int Count);
QString StringOfChar(QChar Ch, int Count);
// 1-based position of the last character of S that is one of Delimiters, 0 if none.
int LastDelimiter(const QString& Delimiters, const QString& S);
// Whether the character at the 1-based Index of S is one of Delimiters.
bool IsDelimiter(const QString& Delimiters, const QString& S, int Index);

enum TTextLineBreakStyle { tlbsLF, tlbsCRLF };
// Every CR, LF, CR LF or LF CR becomes one line break of the given style.
QString AdjustLineBreaks(const QString& S, TTextLineBreakStyle Style = tlbsCRLF);

// ---------------------------------------------------------------------------
// Dates and times
//
// A TDateTime counts days from 1899-12-30 with the time of day as the fraction.
// Before that day the value is negative while its fraction still counts forward
// from midnight (-1.25 is 1899-12-29 06:00): the date is the value truncated toward
// zero, the time the fraction's absolute value.

constexpr Int64 MSecsPerDay = 86400000;
constexpr int SecsPerDay = 86400;
constexpr int DateDelta = 693594;  // days from 0001-01-01 to 1899-12-30
constexpr double UnixDateDelta = 25569;  // 1970-01-01

bool IsLeapYear(Word Year);
Word DaysInAMonth(Word AYear, Word AMonth);
Word DaysInMonth(TDateTime DateTime);
// EncodeDate raises EConvertError "Invalid argument to date encode" for a day that
// does not exist (years 1 to 9999), EncodeTime "Invalid argument to time encode"
// unless hour < 24, minute < 60, second < 60 and milliseconds < 1000.
TDateTime EncodeDate(Word Year, Word Month, Word Day);
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date);
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time);
TDateTime EncodeDateTime(Word Year, Word Month, Word Day, Word Hour, Word Min, Word Sec,
                         Word MSec);
bool TryEncodeDateTime(Word Year, Word Month, Word Day, Word Hour, Word Min, Word Sec, Word MSec,
                       TDateTime& Value);
// Values outside the years 1 to 9999 decode as zeros. DecodeDateFully also gives
// the day of the week (1 = Sunday) and returns whether the year is a leap year.
void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day);
bool DecodeDateFully(TDateTime Date, Word& Year, Word& Month, Word& Day, Word& DOW);
void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec);
void DecodeDateTime(TDateTime AValue, Word& AYear, Word& AMonth, Word& ADay, Word& AHour,
                    Word& AMinute, Word& ASecond, Word& AMilliSecond);
int DayOfWeek(TDateTime DateTime);  // 1 = Sunday ... 7 = Saturday
// The same day NumberOfMonths later (earlier when negative), the day clamped to the
// length of the new month; the time is kept.
TDateTime IncMonth(TDateTime DateTime, int NumberOfMonths = 1);
TDateTime Now();   // local time
TDateTime Date();  // today, no time
TDateTime Time();  // the time of day, no date

// The framework's date and time pattern letters (case does not matter):
//   c       short date, then the long time unless the time is midnight
//   d dd    day; ddd dddd short and long day name; ddddd short date; dddddd long date
//   m mm    month; mmm mmmm short and long month name ("m" right after an hour: minutes)
//   yy yyyy year in two or four digits
//   h hh    hour (12-hour clock when an am/pm marker follows); n nn minute; s ss second
//   z zzz   milliseconds; t tt short and long time
//   am/pm a/p  the marker in the case written; ampm  TimeAMString / TimePMString
//   /  :    the settings' date and time separators
//   '...' "..."  literal text
// An empty format means "c".
QString FormatDateTime(const QString& Format, TDateTime DateTime);
QString FormatDateTime(const QString& Format, TDateTime DateTime,
                       const TFormatSettings& AFormatSettings);
QString DateToStr(TDateTime Date);  // short date format
QString DateToStr(TDateTime Date, const TFormatSettings& AFormatSettings);
QString TimeToStr(TDateTime Time);  // long time format
QString TimeToStr(TDateTime Time, const TFormatSettings& AFormatSettings);
QString DateTimeToStr(TDateTime DateTime);  // "c"
QString DateTimeToStr(TDateTime DateTime, const TFormatSettings& AFormatSettings);

// A date is two or three numbers joined by the date separator in the order of the
// short date format (day, month, year as its first letter says); two numbers take
// the current year, a year of one or two digits falls into the settings' century
// window. A time is hours, optional minutes, seconds and a fraction of a second
// (after the decimal separator) joined by the time separator, with an AM/PM marker
// before or after. Blanks around the parts are allowed, nothing else. StrToDate,
// StrToTime and StrToDateTime raise EConvertError "'<text>' is not a valid date"
// ("... time", "... date and time").
TDateTime StrToDate(const QString& S);
TDateTime StrToDate(const QString& S, const TFormatSettings& AFormatSettings);
TDateTime StrToTime(const QString& S);
TDateTime StrToTime(const QString& S, const TFormatSettings& AFormatSettings);
TDateTime StrToDateTime(const QString& S);
TDateTime StrToDateTime(const QString& S, const TFormatSettings& AFormatSettings);
TDateTime StrToDateDef(const QString& S, TDateTime Default);
TDateTime StrToTimeDef(const QString& S, TDateTime Default);
TDateTime StrToDateTimeDef(const QString& S, TDateTime Default);
bool TryStrToDate(const QString& S, TDateTime& Value);
bool TryStrToDate(const QString& S, TDateTime& Value, const TFormatSettings& AFormatSettings);
bool TryStrToTime(const QString& S, TDateTime& Value);
bool TryStrToTime(const QString& S, TDateTime& Value, const TFormatSettings& AFormatSettings);
bool TryStrToDateTime(const QString& S, TDateTime& Value);
bool TryStrToDateTime(const QString& S, TDateTime& Value, const TFormatSettings& AFormatSettings);

// ---------------------------------------------------------------------------
// Files and folders
//
// Paths use "/"; the path routines also take "\" as a folder delimiter, and the
// routines that reach the file system read a "\" in a path as "/".

constexpr QChar PathDelim = u'/';
constexpr QChar PathSep = u':';

bool FileExists(const QString& FileName);  // false for a folder
bool DirectoryExists(const QString& Directory);
bool CreateDir(const QString& Dir);  // one level; false when it exists or fails
// Creates the folder and every missing folder above it; raises EInOutError
// "Unable to create directory" for an empty name.
bool ForceDirectories(const QString& Dir);
bool RemoveDir(const QString& Dir);  // an empty folder only
bool DeleteFile(const QString& FileName);  // a file only
// Renames or moves a file or folder; false when NewName exists already.
bool RenameFile(const QString& OldName, const QString& NewName);
QString GetCurrentDir();
bool SetCurrentDir(const QString& Dir);

// The folder part with its trailing delimiter ("/a/b/" of "/a/b/c.txt").
QString ExtractFilePath(const QString& FileName);
// The folder part without the trailing delimiter (unless it is the root).
QString ExtractFileDir(const QString& FileName);
QString ExtractFileName(const QString& FileName);
// The extension with its dot, "" when there is none.
QString ExtractFileExt(const QString& FileName);
// Extension is given with its dot ("" removes the extension).
QString ChangeFileExt(const QString& FileName, const QString& Extension);
QString IncludeTrailingPathDelimiter(const QString& S);
QString ExcludeTrailingPathDelimiter(const QString& S);
bool IsPathDelimiter(const QString& S, int Index);  // Index 1-based
// The absolute, cleaned form of FileName ("." and ".." resolved against the current
// folder), with "/" as its delimiter.
QString ExpandFileName(const QString& FileName);

// File attributes as FindFirst reports them. faHidden means a name that starts with
// a dot; faSysFile and faVolumeID are never set; faArchive is set on every file that
// is not a folder; faReadOnly on entries the program may not write.
constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faNormal = 0x80;
constexpr int faSymLink = 0x400;
constexpr int faAnyFile = 0x1FF;

struct TSearchState;
struct TSearchRec {
  int Time = 0;          // modification time as a packed file date (FileDateToDateTime)
  Int64 Size = 0;
  int Attr = 0;
  QString Name;          // the name without its folder
  int ExcludeAttr = 0;
  TDateTime TimeStamp = 0;  // modification time, local
  std::shared_ptr<TSearchState> FindHandle;
};

// Lists the entries of a folder that match a mask: Path is the folder and the mask
// ("dir/*.lng"), with "*" and "?" as wildcards matched with case as the file system
// does ("*.*" matches every name). Entries come in name order. Files are always
// listed; folders only when Attr holds faDirectory and entries whose name starts with
// a dot only when Attr holds faHidden. "." and ".." come as folders, as the framework
// lists them. Returns 0 and fills F with the first entry, else an error code (2 no
// entry matches, 3 the folder does not exist). FindNext returns 0 with the next
// entry, 18 after the last. FindClose releases the listing.
int FindFirst(const QString& Path, int Attr, TSearchRec& F);
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);

// The file's modification time (local), false when there is no such file.
bool FileAge(const QString& FileName, TDateTime& FileDateTime);
// Packed file dates (year since 1980, month, day, hour, minute, two-second units).
TDateTime FileDateToDateTime(int FileDate);
int DateTimeToFileDate(TDateTime DateTime);

// ---------------------------------------------------------------------------
// Ticks

// Milliseconds since an arbitrary start, monotonic; the 32-bit form wraps.
uint32_t GetTickCount();
uint64_t GetTickCount64();
void Sleep(uint32_t Milliseconds);
