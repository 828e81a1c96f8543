// The border preview of the "表示" page: the small clock scene (bitmap 210)
// stretched over the control, with the chosen border drawn over it.
#pragma once

#include <windows.h>

namespace quorel {

// `kind` is the list item of "枠の種類": 0 none, 1 bump, 2 etched, 3 raised,
// 4 sunken, 5 one-pixel lines in the two colours (top and left in
// `top_left`, right and bottom in `bottom_right`). A null `scene` leaves the
// background as it is.
void DrawBorderPreview(HDC dc, const RECT& rect, HBITMAP scene, int kind, COLORREF top_left, COLORREF bottom_right);

}  // namespace quorel
