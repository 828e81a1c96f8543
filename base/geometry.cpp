#include "base/geometry.h"

#include <algorithm>

namespace quorel {

Rect Intersect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (r.IsEmpty()) return Rect{};
  return r;
}

Rect SubtractRect(const Rect& a, const Rect& b) {
  Rect common = Intersect(a, b);
  if (common.IsEmpty()) return a;
  if (common == a) return Rect{};  // nothing of `a` is left
  Rect r = a;
  if (common.top == a.top && common.bottom == a.bottom) {  // spans the full height
    if (common.left == a.left) r.left = common.right;
    else if (common.right == a.right) r.right = common.left;
  } else if (common.left == a.left && common.right == a.right) {  // spans the full width
    if (common.top == a.top) r.top = common.bottom;
    else if (common.bottom == a.bottom) r.bottom = common.top;
  }
  return r;
}

}  // namespace quorel
