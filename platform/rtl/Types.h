// Basic types of the desktop framework: integer names, sets, points and rectangles.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

// The framework's integer names keep their meaning.
using Integer = int32_t;
using Cardinal = uint32_t;
using Word = uint16_t;
using Byte = uint8_t;
using Int64 = int64_t;
using UInt64 = uint64_t;
using LongInt = int32_t;
using LongWord = uint32_t;
using SmallInt = int16_t;
using ShortInt = int8_t;

// Days since 1899-12-30; the time of day is the fraction.
using TDateTime = double;

// A set of values of an unscoped enumeration (the framework's "set of").
// N bounds the ordinal values the set can hold.
template <typename E, std::size_t N = 128>
class TSet {
  static_assert(std::is_enum_v<E>, "TSet holds enumeration values");

 public:
  constexpr TSet() = default;
  TSet(std::initializer_list<E> items) {
    for (E e : items) bits_.set(index(e));
  }
  TSet(E e) { bits_.set(index(e)); }  // NOLINT: a single value converts to a set

  bool contains(E e) const { return bits_.test(index(e)); }
  bool empty() const { return bits_.none(); }
  std::size_t count() const { return bits_.count(); }
  void clear() { bits_.reset(); }
  TSet& Include(E e) { bits_.set(index(e)); return *this; }
  TSet& Exclude(E e) { bits_.reset(index(e)); return *this; }

  TSet operator+(const TSet& o) const { TSet r; r.bits_ = bits_ | o.bits_; return r; }
  TSet operator-(const TSet& o) const { TSet r; r.bits_ = bits_ & ~o.bits_; return r; }
  TSet operator*(const TSet& o) const { TSet r; r.bits_ = bits_ & o.bits_; return r; }
  TSet& operator+=(const TSet& o) { bits_ |= o.bits_; return *this; }
  TSet& operator-=(const TSet& o) { bits_ &= ~o.bits_; return *this; }
  TSet& operator*=(const TSet& o) { bits_ &= o.bits_; return *this; }
  bool operator==(const TSet& o) const { return bits_ == o.bits_; }
  bool operator!=(const TSet& o) const { return bits_ != o.bits_; }
  // True when every member of o is in this set (Pascal's ">=").
  bool includes(const TSet& o) const { return (o.bits_ & ~bits_).none(); }

 private:
  static std::size_t index(E e) { return static_cast<std::size_t>(e); }
  std::bitset<N> bits_;
};

struct TPoint {
  int X = 0;
  int Y = 0;
  constexpr TPoint() = default;
  constexpr TPoint(int x, int y) : X(x), Y(y) {}
  bool operator==(const TPoint& o) const = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  constexpr TSize() = default;
  constexpr TSize(int w, int h) : cx(w), cy(h) {}
  bool operator==(const TSize& o) const = default;
};

// A rectangle whose right and bottom edges are exclusive.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  constexpr TRect() = default;
  constexpr TRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  TPoint TopLeft() const { return {Left, Top}; }
  TPoint BottomRight() const { return {Right, Bottom}; }
  bool operator==(const TRect& o) const = default;
};

// Grid coordinates (column, row) of a rectangular block of cells; all four inclusive.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const TGridRect& o) const = default;
};

struct TGridCoord {
  int X = 0;
  int Y = 0;
  bool operator==(const TGridCoord& o) const = default;
};

constexpr TPoint Point(int x, int y) { return {x, y}; }
constexpr TRect Rect(int l, int t, int r, int b) { return {l, t, r, b}; }
constexpr TRect Bounds(int l, int t, int w, int h) { return {l, t, l + w, t + h}; }

inline bool IsRectEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }
inline bool PtInRect(const TRect& r, const TPoint& p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
inline void OffsetRect(TRect& r, int dx, int dy) {
  r.Left += dx; r.Right += dx; r.Top += dy; r.Bottom += dy;
}
inline void InflateRect(TRect& r, int dx, int dy) {
  r.Left -= dx; r.Right += dx; r.Top -= dy; r.Bottom += dy;
}
// Sets dst to the overlap of a and b; an empty overlap gives the empty rectangle and false.
inline bool IntersectRect(TRect& dst, const TRect& a, const TRect& b) {
  TRect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
          a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
  if (IsRectEmpty(r)) {
    dst = TRect();
    return false;
  }
  dst = r;
  return true;
}
// Sets dst to the smallest rectangle holding a and b; empty inputs are ignored.
inline bool UnionRect(TRect& dst, const TRect& a, const TRect& b) {
  if (IsRectEmpty(a)) { dst = b; return !IsRectEmpty(b); }
  if (IsRectEmpty(b)) { dst = a; return true; }
  dst = TRect{a.Left < b.Left ? a.Left : b.Left, a.Top < b.Top ? a.Top : b.Top,
              a.Right > b.Right ? a.Right : b.Right, a.Bottom > b.Bottom ? a.Bottom : b.Bottom};
  return true;
}
