#include "base/raster.h"

#include <algorithm>
#include <cstdlib>

namespace quorel {

void Blit(Surface& dst, int dx, int dy, const Surface& src, int sx, int sy, int w, int h, RasterOp op) {
  // Clip the source block to the source, moving the destination with it.
  if (sx < 0) { dx -= sx; w += sx; sx = 0; }
  if (sy < 0) { dy -= sy; h += sy; sy = 0; }
  w = std::min(w, src.Width() - sx);
  h = std::min(h, src.Height() - sy);
  // Then to the destination.
  if (dx < 0) { sx -= dx; w += dx; dx = 0; }
  if (dy < 0) { sy -= dy; h += dy; dy = 0; }
  w = std::min(w, dst.Width() - dx);
  h = std::min(h, dst.Height() - dy);
  if (w <= 0 || h <= 0) return;
  for (int y = 0; y < h; ++y) {
    const Color* s = src.Row(sy + y) + sx;
    Color* d = dst.Row(dy + y) + dx;
    switch (op) {
      case RasterOp::kCopy:
        std::copy(s, s + w, d);
        break;
      case RasterOp::kAnd:
        for (int x = 0; x < w; ++x) d[x] &= s[x];
        break;
      case RasterOp::kOr:
        for (int x = 0; x < w; ++x) d[x] |= s[x];
        break;
      case RasterOp::kNotSrcCopy:
        for (int x = 0; x < w; ++x) d[x] = ~s[x] & 0x00ffffffu;
        break;
    }
  }
}

void FillRect(Surface& dst, const Rect& r, Color c) {
  Rect clipped = Intersect(r, dst.Bounds());
  for (int y = clipped.top; y < clipped.bottom; ++y) {
    Color* row = dst.Row(y);
    std::fill(row + clipped.left, row + clipped.right, c);
  }
}

Point LineTo(Surface& dst, Point from, Point to, Color c) {
  // Bresenham; the last point is left out as LineTo leaves it out.
  int x = from.x, y = from.y;
  const int adx = std::abs(to.x - from.x), ady = std::abs(to.y - from.y);
  const int sx = to.x > from.x ? 1 : -1, sy = to.y > from.y ? 1 : -1;
  int err = adx - ady;
  while (x != to.x || y != to.y) {
    dst.SetPixel(x, y, c);
    const int e2 = 2 * err;
    if (e2 > -ady) { err -= ady; x += sx; }
    if (e2 < adx) { err += adx; y += sy; }
  }
  return to;
}

Surface MakeMask(Surface& sheet, Color key) {
  Surface mask(sheet.Width(), sheet.Height(), kBlack);
  for (int y = 0; y < sheet.Height(); ++y) {
    Color* s = sheet.Row(y);
    Color* m = mask.Row(y);
    for (int x = 0; x < sheet.Width(); ++x) {
      if ((s[x] & 0x00ffffffu) == key) {
        m[x] = kWhite;
        s[x] = kBlack;
      } else {
        s[x] &= 0x00ffffffu;
      }
    }
  }
  return mask;
}

namespace {

// One ring of an edge: top and left in `top_left`, then bottom and right in
// `bottom_right`.
void DrawRing(Surface& dst, const Rect& r, Color top_left, Color bottom_right) {
  if (r.IsEmpty()) return;
  FillRect(dst, Rect{r.left, r.top, r.right, r.top + 1}, top_left);
  FillRect(dst, Rect{r.left, r.top, r.left + 1, r.bottom}, top_left);
  FillRect(dst, Rect{r.left, r.bottom - 1, r.right, r.bottom}, bottom_right);
  FillRect(dst, Rect{r.right - 1, r.top, r.right, r.bottom}, bottom_right);
}

}  // namespace

void DrawEdge(Surface& dst, const Rect& r, EdgeKind kind, const EdgeColors& colors) {
  // Outer rings: raised = light / dark shadow, sunken = shadow / highlight.
  // Inner rings: raised = highlight / shadow, sunken = dark shadow / light.
  const bool outer_raised = kind == EdgeKind::kBump || kind == EdgeKind::kRaised;
  const bool inner_raised = kind == EdgeKind::kEtched || kind == EdgeKind::kRaised;
  if (outer_raised) DrawRing(dst, r, colors.light, colors.dark_shadow);
  else DrawRing(dst, r, colors.shadow, colors.highlight);
  const Rect inner = r.Inflated(-1, -1);
  if (inner_raised) DrawRing(dst, inner, colors.highlight, colors.shadow);
  else DrawRing(dst, inner, colors.dark_shadow, colors.light);
}

}  // namespace quorel
