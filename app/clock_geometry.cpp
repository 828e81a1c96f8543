#include "app/clock_geometry.h"

#include "app/setting_meanings.h"

namespace quorel {

Size ClockWindowSize(int magnification) {
  int num = 1, den = 1;
  switch (magnification) {
    case 1: num = 6, den = 5; break;
    case 2: num = 3, den = 2; break;
    case 3: num = 9, den = 5; break;
    case 4: num = 2, den = 1; break;
    default: break;
  }
  return Size{kClockBaseWidth * num / den, kClockBaseHeight * num / den};
}

CalendarOffsets AttachedCalendarOffsets(int calendar_kind, int calendar_placement) {
  const int kSmallCalendarHeight = 69;
  CalendarOffsets off;
  if (calendar_kind == kCalendarSmall && calendar_placement == kCalendarAbove) off.above = kSmallCalendarHeight;
  if (calendar_kind == kCalendarSmall && calendar_placement == kCalendarBelow) off.below = kSmallCalendarHeight;
  return off;
}

Rect WorkArea(const Rect& monitor, const Rect& taskbar) {
  Rect work = SubtractRect(monitor, taskbar);
  return work.IsEmpty() ? monitor : work;
}

Point StartupPosition(const PlacementInput& in, const Rect& work, Size size, const Rect& saved) {
  switch (in.placement) {
    case kPlaceTopLeft: return Point{work.left + in.margin_x, work.top + in.margin_y + in.calendar.above};
    case kPlaceTopRight:
      return Point{work.right - size.width - in.margin_x, work.top + in.margin_y + in.calendar.above};
    case kPlaceBottomLeft:
      return Point{work.left + in.margin_x, work.bottom - size.height - in.margin_y - in.calendar.below};
    case kPlaceBottomRight:
      return Point{work.right - size.width - in.margin_x, work.bottom - size.height - in.margin_y - in.calendar.below};
    default: return Point{saved.left, saved.top};
  }
}

Rect KeepInsideMonitor(const Rect& saved, const Rect& monitor) {
  Rect r = saved;
  if (r.left < monitor.left) r = r.Offset(monitor.left - r.left, 0);
  else if (r.right > monitor.right) r = r.Offset(monitor.right - r.right, 0);
  if (r.top < monitor.top) r = r.Offset(0, monitor.top - r.top);
  else if (r.bottom > monitor.bottom) r = r.Offset(0, monitor.bottom - r.bottom);
  return r;
}

int ProximityMargin(int sensitivity, int hypersensitive_range) {
  switch (sensitivity) {
    case kSensitivityLow: return 5;
    case kSensitivityOnlyOver: return 0;
    case kSensitivityHyper: return hypersensitive_range;
    default: return 15;
  }
}

bool IsCursorNearRect(Point cursor, const Rect& window, int sensitivity, int hypersensitive_range) {
  int m = ProximityMargin(sensitivity, hypersensitive_range);
  return window.Inflated(m, m).Contains(cursor);
}

namespace {

// The two mirror kinds jump across the area's centre line; 2 x (centre of A -
// centre of U) is computed from the edge sums, which keeps the half pixel.
FleeStep Mirror(bool vertical, const FleeInput& in, const Rect& window, const Rect& unit, const Rect& area) {
  FleeStep step{true, window, in.moved_away};
  if (vertical) step.window = window.Offset(0, (area.top + area.bottom) - (unit.top + unit.bottom));
  else step.window = window.Offset((area.left + area.right) - (unit.left + unit.right), 0);
  return step;
}

// Kinds 3 and 4: a step of the unit's size x "移動量" / 100, in the preferred
// direction when there is room (toggling "移動ずみ"), else the other way (keeping it).
FleeStep Little(bool vertical, const FleeInput& in, const Rect& window, const Rect& unit, const Rect& area) {
  int size = vertical ? unit.Height() : unit.Width();
  int d = size * in.amount / 100;
  int lo_edge = vertical ? unit.top : unit.left;
  int hi_edge = vertical ? unit.bottom : unit.right;
  int lo_limit = vertical ? area.top : area.left;
  int hi_limit = vertical ? area.bottom : area.right;
  bool room_forward = hi_edge + d <= hi_limit;  // down or right
  bool room_back = lo_edge - d >= lo_limit;     // up or left
  FleeStep step{false, window, in.moved_away};
  if (!room_forward && !room_back) return step;
  bool prefer_forward = in.initial_up == in.moved_away;
  int delta;
  if (prefer_forward ? room_forward : room_back) {
    delta = prefer_forward ? d : -d;
    step.moved_away = !in.moved_away;
  } else {
    delta = prefer_forward ? -d : d;
  }
  step.moves = true;
  step.window = vertical ? window.Offset(0, delta) : window.Offset(delta, 0);
  return step;
}

}  // namespace

FleeStep Flee(const FleeInput& in, const Rect& window, const Rect& unit, const Rect& area) {
  switch (in.kind) {
    case kFleeMirrorVertical: return Mirror(true, in, window, unit, area);
    case kFleeMirrorHorizontal: return Mirror(false, in, window, unit, area);
    case kFleeStepVertical: return Little(true, in, window, unit, area);
    case kFleeStepHorizontal: return Little(false, in, window, unit, area);
    default: return FleeStep{false, window, in.moved_away};
  }
}

ReturnStep ReturnHome(const FleeInput& in, const Rect& window, const Rect& unit, const Rect& monitor, Point cursor,
                      const Rect& calendar_window) {
  ReturnStep result{false, window, in.moved_away};
  if (!FleeStepsAway(in.kind)) return result;
  FleeStep step = Flee(in, window, unit, monitor);
  if (!step.moves) return result;
  Rect target_unit = unit.Offset(step.window.left - window.left, step.window.top - window.top);
  if (target_unit.Contains(cursor) || calendar_window.Contains(cursor)) return result;
  return ReturnStep{true, step.window, step.moved_away};
}

int FadeStepTowards(int current, int target) {
  if (current < target) return current + kFadeStep > target ? target : current + kFadeStep;
  if (current > target) return current - kFadeStep < target ? target : current - kFadeStep;
  return current;
}

}  // namespace quorel
