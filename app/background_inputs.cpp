#include "app/background_inputs.h"

namespace quorel {

int BackgroundModeFrom(const QuorelSettings& s) {
  return BackgroundModeFor(s.background_animation != 0, s.weather_fetch != 0, s.weather_background != 0,
                           s.special_background_first != 0);
}

std::string ForcedSceneFrom(const QuorelSettings& s) {
  switch (s.debug_background_kind) {
    case 1: return s.debug_background_still;
    case 2: return s.debug_background_animated;
    case 3: return s.debug_background_weather;
    case 4: return s.debug_background_event;
    default: return std::string();
  }
}

bool ApplyBackgroundSettings(CDrawBackground& background, const QuorelSettings& s, const ClockTime& main) {
  const CLayerObject* before = background.CurrentScene();
  background.SetMode(BackgroundModeFrom(s));
  background.ForceScene(ForcedSceneFrom(s));
  background.UpdateMoment(main.month, main.day, main.hour, main.minute);
  return background.CurrentScene() != before;
}

}  // namespace quorel
