// The meanings of the enumerated settings, so that code compares a setting
// with what it means rather than with a bare number.
#pragma once

namespace quorel {

// "移動": how the clock gets out of the cursor's way.
enum FleeKind : int {
  kFleeNone = 0,
  kFleeMirrorVertical = 1,    // jumps across the area's horizontal centre line
  kFleeMirrorHorizontal = 2,  // jumps across the vertical centre line
  kFleeStepVertical = 3,      // moves a little up or down
  kFleeStepHorizontal = 4,    // moves a little left or right
  kFleeVanish = 5,            // hides while the cursor is near
  kFleeTransparent = 6,       // turns see-through and lets clicks pass
};

// Kinds that step away and may come back home afterwards.
constexpr bool FleeStepsAway(int kind) { return kind == kFleeStepVertical || kind == kFleeStepHorizontal; }

// "起動時の配置".
enum StartupPlacement : int {
  kPlaceTopLeft = 0,
  kPlaceTopRight = 1,
  kPlaceAsLastTime = 2,
  kPlaceBottomLeft = 3,
  kPlaceBottomRight = 4,
};

// "感度": how near the cursor must come.
enum Sensitivity : int {
  kSensitivityNormal = 0,
  kSensitivityLow = 1,
  kSensitivityOnlyOver = 2,
  kSensitivityHyper = 3,  // the range "過敏設定で反応する範囲", tested on a timer too
};

// "カレンダの種類" and "カレンダの配置" of the small calendar attached to the clock.
enum CalendarKind : int { kCalendarNone = 0, kCalendarSmall = 1 };
enum CalendarPlacement : int { kCalendarBelow = 1, kCalendarAbove = 2 };

}  // namespace quorel
