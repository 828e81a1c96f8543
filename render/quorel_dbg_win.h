// "ころぷくのデバック画面だよん！": forces a scene by kind and name, hides the
// character or the time, and forces an idle motion, for checking the art.
// Kind, names and the two switches go into the settings record on OK (they act
// when the settings are next applied); the forced motion is the caller's, not stored.
#pragma once

#include <string>
#include <vector>

#include "app/settings.h"
#include "wingui/dialog_win.h"

class CQuorelDbg : public wingui::Dialog {
 public:
  static constexpr int kTemplate = 154;
  enum : int {
    kKindClock = 1742, kKindStill = 1738, kKindAnimated = 1739, kKindWeather = 1741, kKindEvent = 1740,
    kStill = 1526, kAnimated = 1527, kEvent = 1528, kWeather = 1529,
    kHideCharacter = 1421, kHideTime = 1422, kMotion = 1530,
  };
  // The scene names of each kind, as the background lists them.
  struct SceneNames {
    std::vector<std::string> still, animated, weather, event;
  };

  CQuorelDbg(quorel::QuorelSettings& settings, SceneNames names, int& forced_motion);

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  quorel::QuorelSettings& settings_;
  SceneNames names_;
  int& forced_motion_;
};
