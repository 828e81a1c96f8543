#include "base/raster_aa.h"

#include <algorithm>
#include <cmath>

namespace quorel {

namespace {

constexpr int kSubScanlines = 16;  // vertical samples per pixel row

struct Crossing {
  double x;
  int winding;
};

// Blends `c` over `d` by coverage a in [0, 1].
Color Blend(Color d, Color c, double a) {
  if (a >= 1.0) return c;
  auto mix = [a](int dv, int cv) { return static_cast<int>(std::floor(dv + (cv - dv) * a + 0.5)); };
  return Rgb(mix(RedOf(d), RedOf(c)), mix(GreenOf(d), GreenOf(c)), mix(BlueOf(d), BlueOf(c)));
}

// Adds the horizontal coverage of [xa, xb) (pixel units) to acc, weighted.
void AddSpan(std::vector<double>& acc, int origin, double xa, double xb, double weight) {
  const int n = static_cast<int>(acc.size());
  xa = std::max(xa, static_cast<double>(origin));
  xb = std::min(xb, static_cast<double>(origin + n));
  if (xb <= xa) return;
  const int first = static_cast<int>(std::floor(xa));
  const int last = static_cast<int>(std::floor(xb));
  if (first == last) {
    acc[first - origin] += (xb - xa) * weight;
    return;
  }
  acc[first - origin] += (first + 1 - xa) * weight;
  for (int i = first + 1; i < last; ++i) acc[i - origin] += weight;
  if (last - origin < n) acc[last - origin] += (xb - last) * weight;
}

}  // namespace

void FillPolygonAA(Surface& dst, const std::vector<PointF>& points, Color color) {
  if (points.size() < 3 || dst.IsEmpty()) return;
  // Raster space: pixel (i, j) covers [i, i+1) x [j, j+1).
  std::vector<PointF> p(points);
  double min_x = 1e9, max_x = -1e9, min_y = 1e9, max_y = -1e9;
  for (auto& q : p) {
    q.x += 0.5;
    q.y += 0.5;
    min_x = std::min(min_x, q.x);
    max_x = std::max(max_x, q.x);
    min_y = std::min(min_y, q.y);
    max_y = std::max(max_y, q.y);
  }
  const int x0 = std::max(0, static_cast<int>(std::floor(min_x)));
  const int x1 = std::min(dst.Width(), static_cast<int>(std::ceil(max_x)) + 1);
  const int y0 = std::max(0, static_cast<int>(std::floor(min_y)));
  const int y1 = std::min(dst.Height(), static_cast<int>(std::ceil(max_y)) + 1);
  if (x0 >= x1 || y0 >= y1) return;

  // Edges with their slope, so that each sub-scanline costs one multiply per edge.
  struct Edge {
    double top, bottom, x_at_top, slope;
    int winding;
  };
  std::vector<Edge> edges;
  edges.reserve(p.size());
  for (std::size_t i = 0; i < p.size(); ++i) {
    const PointF& a = p[i];
    const PointF& b = p[(i + 1) % p.size()];
    if (a.y == b.y) continue;
    const bool down = b.y > a.y;
    const PointF& t = down ? a : b;
    const PointF& u = down ? b : a;
    edges.push_back({t.y, u.y, t.x, (u.x - t.x) / (u.y - t.y), down ? 1 : -1});
  }

  std::vector<double> acc(static_cast<std::size_t>(x1 - x0));
  std::vector<Crossing> crossings(edges.size());
  const double weight = 1.0 / kSubScanlines;
  for (int y = y0; y < y1; ++y) {
    std::fill(acc.begin(), acc.end(), 0.0);
    for (int s = 0; s < kSubScanlines; ++s) {
      const double sy = y + (s + 0.5) / kSubScanlines;
      std::size_t n = 0;
      for (const Edge& e : edges) {
        if (sy < e.top || sy >= e.bottom) continue;
        // Insertion by x: polygons here have few edges.
        Crossing c{e.x_at_top + (sy - e.top) * e.slope, e.winding};
        std::size_t j = n++;
        while (j > 0 && crossings[j - 1].x > c.x) {
          crossings[j] = crossings[j - 1];
          --j;
        }
        crossings[j] = c;
      }
      int winding = 0;
      for (std::size_t i = 0; i + 1 < n; ++i) {
        winding += crossings[i].winding;
        if (winding != 0) AddSpan(acc, x0, crossings[i].x, crossings[i + 1].x, weight);
      }
    }
    Color* row = dst.Row(y);
    for (int x = x0; x < x1; ++x) {
      const double a = std::min(acc[x - x0], 1.0);
      if (a > 0.0) row[x] = Blend(row[x], color, a);
    }
  }
}

void DrawLineAA(Surface& dst, PointF from, PointF to, Color color) {
  const double dx = to.x - from.x, dy = to.y - from.y;
  const double len = std::hypot(dx, dy);
  if (len <= 0.0) return;
  const double nx = -dy / len * 0.5, ny = dx / len * 0.5;
  FillPolygonAA(dst,
                {{from.x + nx, from.y + ny}, {to.x + nx, to.y + ny}, {to.x - nx, to.y - ny}, {from.x - nx, from.y - ny}},
                color);
}

}  // namespace quorel
