// Points and rectangles with the platform's conventions: a rectangle holds
// left/top and excludes right/bottom, as RECT does, so that values pass
// between the portable rules and the shell unchanged.
#pragma once

#include <ostream>

namespace quorel {

struct Point {
  int x = 0, y = 0;
  friend bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }
  friend bool operator!=(const Point& a, const Point& b) { return !(a == b); }
};

struct Size {
  int width = 0, height = 0;
  friend bool operator==(const Size& a, const Size& b) { return a.width == b.width && a.height == b.height; }
  friend std::ostream& operator<<(std::ostream& os, const Size& s) { return os << s.width << " x " << s.height; }
};

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  // As PtInRect: the right and bottom edges are outside.
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  Rect Inflated(int dx, int dy) const { return Rect{left - dx, top - dy, right + dx, bottom + dy}; }
  Rect Offset(int dx, int dy) const { return Rect{left + dx, top + dy, right + dx, bottom + dy}; }
  friend bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
  friend bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }
};

inline std::ostream& operator<<(std::ostream& os, const Point& p) { return os << "(" << p.x << ", " << p.y << ")"; }
inline std::ostream& operator<<(std::ostream& os, const Rect& r) {
  return os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

// As IntersectRect: the common part, or an empty rectangle.
Rect Intersect(const Rect& a, const Rect& b);

// As SubtractRect: `a` without `b`, but only where `b` covers a whole side of
// `a` (spans it completely in one direction); otherwise `a` unchanged; an
// empty rectangle when `b` covers all of `a`.
Rect SubtractRect(const Rect& a, const Rect& b);

}  // namespace quorel
