// Anti-aliased filling of polygons and thin lines, as GDI+ draws them with
// SmoothingModeAntiAlias: pixel (i, j) is centred on the point (i, j), each
// pixel is blended with the fill colour by the share of its area the shape
// covers, and polygons are filled by the non-zero winding rule.
#pragma once

#include <vector>

#include "base/surface.h"

namespace quorel {

struct PointF {
  double x = 0, y = 0;
};

void FillPolygonAA(Surface& dst, const std::vector<PointF>& points, Color color);

// A line drawn with a one-pixel pen and flat caps.
void DrawLineAA(Surface& dst, PointF from, PointF to, Color color);

}  // namespace quorel
