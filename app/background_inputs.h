// From the settings record to the scene behind the clock: the background mode
// and the scene the developer's debug settings force.
#pragma once

#include <string>

#include "app/settings.h"
#include "base/clock_time.h"
#include "render/draw_background.h"

namespace quorel {

int BackgroundModeFrom(const QuorelSettings& s);
// The name "デバッグ用背景の種別" picks (empty: none forced).
std::string ForcedSceneFrom(const QuorelSettings& s);
// Mode and forced scene as Apply gives them, then the scene of the moment.
// True when a new scene became current.
bool ApplyBackgroundSettings(CDrawBackground& background, const QuorelSettings& s, const ClockTime& main);

}  // namespace quorel
