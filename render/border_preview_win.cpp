#include "render/border_preview_win.h"

#include "wingui/gdi_win.h"

namespace quorel {

void DrawBorderPreview(HDC dc, const RECT& rect, HBITMAP scene, int kind, COLORREF top_left, COLORREF bottom_right) {
  if (scene) {
    BITMAP info{};
    GetObjectW(scene, sizeof info, &info);
    wingui::MemoryDC source(dc);
    source.Select(scene);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source.get(), 0, 0,
               info.bmWidth, info.bmHeight, SRCCOPY);
  }
  RECT edge = rect;
  switch (kind) {
    case 1:
      DrawEdge(dc, &edge, EDGE_BUMP, BF_RECT);
      break;
    case 2:
      DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
      break;
    case 3:
      DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
      break;
    case 4:
      DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
      break;
    case 5: {
      // Up the left side and along the top, then down the right and back along the bottom.
      const int l = rect.left, t = rect.top, r = rect.right - 1, b = rect.bottom - 1;
      wingui::GdiObject<HPEN> light(CreatePen(PS_SOLID, 1, top_left));
      wingui::GdiObject<HPEN> dark(CreatePen(PS_SOLID, 1, bottom_right));
      MoveToEx(dc, l, b, nullptr);
      {
        wingui::SelectScope pen(dc, light.get());
        LineTo(dc, l, t);
        LineTo(dc, r, t);
      }
      wingui::SelectScope pen(dc, dark.get());
      LineTo(dc, r, b);
      LineTo(dc, l, b);
      break;
    }
    default:
      break;
  }
}

}  // namespace quorel
