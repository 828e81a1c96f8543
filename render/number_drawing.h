// Numbers drawn with digit pictures: cell d of the picture is digit d.
#pragma once

#include "base/surface.h"
#include "render/draw_object.h"

namespace quorel {

// Draws `value` at (x, y) and returns the x after it. With width > 0 the text
// is padded on the left to `width` characters ("0", or " " when blank_pad)
// and cut to its last `width` characters; with width 0 it is the plain
// decimal text. Every character, blanks included, advances x by the cell
// width + gap; a blank draws nothing.
int DrawNumber(Surface& dc, const CPictureObject& digits, int value, int x, int y, int gap, int width,
               bool blank_pad = false);

// A separator (colon, slash) at (x, y); returns the x after it.
int DrawSeparator(Surface& dc, const CPictureObject& separator, int x, int y, int gap);

}  // namespace quorel
