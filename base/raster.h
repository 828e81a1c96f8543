// Block transfers and simple drawing on surfaces, with the results of the GDI
// calls they stand for (BitBlt raster operations, FillRect, MoveTo/LineTo).
#pragma once

#include "base/geometry.h"
#include "base/surface.h"

namespace quorel {

enum class RasterOp {
  kCopy,        // SRCCOPY
  kAnd,         // SRCAND
  kOr,          // SRCPAINT
  kNotSrcCopy,  // NOTSRCCOPY
};

// Transfers the w x h block at (sx, sy) of `src` to (dx, dy) of `dst`,
// clipped against both surfaces.
void Blit(Surface& dst, int dx, int dy, const Surface& src, int sx, int sy, int w, int h, RasterOp op);

// Fills `r` (clipped) with one colour.
void FillRect(Surface& dst, const Rect& r, Color c);

// A one-pixel solid line as LineTo draws it: from `from` towards `to`, the end
// point itself excluded. Returns `to`, the next current position.
Point LineTo(Surface& dst, Point from, Point to, Color c);

// The sprite mask of a sheet: white where the sheet has the key colour, black
// elsewhere. The sheet's key-colour pixels are turned black in place, so that
// AND with the mask, then OR with the sheet, paints the sprite.
Surface MakeMask(Surface& sheet, Color key);

// The classic 3-D colours of raised and sunken edges.
struct EdgeColors {
  Color highlight = Rgb(255, 255, 255);  // COLOR_3DHILIGHT
  Color light = Rgb(212, 208, 200);      // COLOR_3DLIGHT
  Color shadow = Rgb(128, 128, 128);     // COLOR_3DSHADOW
  Color dark_shadow = Rgb(64, 64, 64);   // COLOR_3DDKSHADOW
};

enum class EdgeKind { kBump, kEtched, kRaised, kSunken };

// DrawEdge with BF_RECT: an outer and an inner one-pixel ring on `r`. Top and
// left lines come first, so the bottom-left and top-right corner pixels take
// the colour of the bottom and right lines.
void DrawEdge(Surface& dst, const Rect& r, EdgeKind kind, const EdgeColors& colors = EdgeColors{});

}  // namespace quorel
