#include "schedule/schedule_time_bar.h"

namespace quorel {

namespace {

constexpr int kCellLeft = 7, kCellPitch = 7, kCellTop = 12, kCellWidth = 6, kCellHeight = 17;
constexpr int kLastCellX = kCellLeft + kCellPitch * kTimeBarCells - 1;  // 342
constexpr int kRightEdge = 343;
constexpr int kBottomEdge = 29;

bool ValidTime(int h, int m) { return h >= 0 && h <= 23 && m >= 0 && m <= 59; }

int CellOfTime(int h, int m) { return h * 2 + (m >= 30 ? 1 : 0); }

// Digits 0-9 in 3 x 5, one row a byte of three bits.
constexpr unsigned char kDigits[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

void DrawDigit(Surface& s, int digit, int x, int y, Color c) {
  for (int row = 0; row < 5; ++row) {
    for (int col = 0; col < 3; ++col) {
      if (kDigits[digit][row] & (4 >> col)) s.SetPixel(x + col, y + row, c);
    }
  }
}

void FillBox(Surface& s, int x, int y, int w, int h, Color c) {
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) s.SetPixel(i, j, c);
  }
}

}  // namespace

CellBox TimeBarCellBox(int cell) { return {kCellLeft + kCellPitch * cell, kCellTop, kCellWidth, kCellHeight}; }

int TimeBarHitTest(int x, int y) {
  if (x < kCellLeft || x > kRightEdge || y < kCellTop || y > kBottomEdge) return -1;
  const int cell = (x - kCellLeft) / kCellPitch;
  return cell < kTimeBarCells ? cell : kTimeBarCells - 1;
}

BarTime CellStartTime(int cell) { return {cell / 2, 30 * (cell % 2)}; }

BarTime CellEndTime(int cell) {
  if (cell % 2 == 0) return {cell / 2, 30};
  const int hour = (cell + 1) / 2;
  return hour >= 24 ? BarTime{23, 59} : BarTime{hour, 0};
}

bool TimeBarModel::SetTimes(int sh, int sm, int eh, int em) {
  if (mode_ == TimeBarMode::kStartOnly) eh = 23, em = 59;
  if (mode_ == TimeBarMode::kEndOnly) sh = 0, sm = 0;
  BarTime start = ValidTime(sh, sm) ? BarTime{sh, sm} : BarTime{};
  BarTime end = ValidTime(eh, em) ? BarTime{eh, em} : BarTime{};
  if (start == start_ && end == end_) return false;
  start_ = start;
  end_ = end;
  FillCells();
  return true;
}

void TimeBarModel::FillCells() {
  cells_.fill(false);
  if (!start_.set()) return;
  const int first = CellOfTime(start_.hour, start_.minute);
  int last = -1;
  if (end_.set()) {
    // The cell of the minute before the end.
    int h = end_.hour, m = end_.minute - 1;
    if (m < 0) m = 59, --h;
    last = h < 0 ? -1 : CellOfTime(h, m);
  }
  if (last < first) last = first;
  for (int i = first; i <= last; ++i) cells_[i] = true;
}

bool TimeBarModel::Press(int x, int y) {
  const int cell = TimeBarHitTest(x, y);
  if (cell < 0) return false;
  hover_ = cell;
  const BarTime s = CellStartTime(cell), e = CellEndTime(cell);
  if (mode_ == TimeBarMode::kStartOnly) {
    SetTimes(s.hour, s.minute, end_.hour, end_.minute);
    return true;
  }
  dragging_ = true;
  SetTimes(s.hour, s.minute, e.hour, e.minute);
  return false;
}

void TimeBarModel::Move(int x, int y) {
  const int cell = TimeBarHitTest(x, y);
  hover_ = cell;
  if (!dragging_ || cell < 0) return;
  const BarTime e = CellEndTime(cell);
  SetTimes(start_.hour, start_.minute, e.hour, e.minute);
}

bool TimeBarModel::Release() {
  if (!dragging_) return false;
  dragging_ = false;
  if (start_.set() && end_.set() && end_.hour * 60 + end_.minute < start_.hour * 60 + start_.minute) {
    SetTimes(start_.hour, start_.minute, start_.hour, start_.minute);
  }
  return true;
}

const TimeBarColours& TimeBarPalette(bool high_contrast) {
  static const TimeBarColours normal = {Rgb(236, 240, 246), Rgb(128, 140, 160), Rgb(72, 84, 104), Rgb(64, 128, 224),
                                        Rgb(255, 255, 255), Rgb(255, 176, 64), Rgb(176, 188, 208)};
  static const TimeBarColours contrast = {Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(255, 255, 0),
                                          Rgb(0, 0, 0), Rgb(0, 255, 255), Rgb(255, 255, 255)};
  return high_contrast ? contrast : normal;
}

Surface RenderTimeBar(const TimeBarModel& bar, bool enabled, bool high_contrast) {
  const TimeBarColours& c = TimeBarPalette(high_contrast);
  const Color disabled_bg = high_contrast ? Rgb(0, 0, 0) : Rgb(212, 212, 212);
  const Color disabled_ink = high_contrast ? Rgb(128, 128, 128) : Rgb(160, 160, 160);
  Surface s(kTimeBarWidth, kTimeBarHeight, enabled ? c.background : disabled_bg);
  const Color ink = enabled ? c.marks : disabled_ink;
  const Color frame = enabled ? c.frame : disabled_ink;
  // Frame.
  for (int x = 0; x < kTimeBarWidth; ++x) s.SetPixel(x, 0, frame), s.SetPixel(x, kTimeBarHeight - 1, frame);
  for (int y = 0; y < kTimeBarHeight; ++y) s.SetPixel(0, y, frame), s.SetPixel(kTimeBarWidth - 1, y, frame);
  // Hour marks: a tick before every hour's first cell, its number every second hour.
  for (int h = 0; h <= 24; ++h) {
    const int x = kCellLeft + kCellPitch * 2 * h - 1;
    const int tick = h % 6 == 0 ? 4 : 2;
    for (int y = kCellTop - tick; y < kCellTop; ++y) s.SetPixel(x, y, ink);
    if (h % 2 == 0 && h < 24) {
      const int digits = h >= 10 ? 2 : 1;
      const int left = x + 2;
      if (digits == 2) {
        DrawDigit(s, h / 10, left, 3, ink);
        DrawDigit(s, h % 10, left + 4, 3, ink);
      } else {
        DrawDigit(s, h, left, 3, ink);
      }
    }
  }
  if (!enabled) return s;
  for (int i = 0; i < kTimeBarCells; ++i) {
    const CellBox b = TimeBarCellBox(i);
    const Color fill = i == bar.hover() ? c.hover : (bar.cell(i) ? c.set : c.unset);
    FillBox(s, b.x, b.y, b.width, b.height, c.cell_edge);
    FillBox(s, b.x + 1, b.y + 1, b.width - 2, b.height - 2, fill);
  }
  return s;
}

}  // namespace quorel
