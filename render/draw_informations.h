// The information icons in the upper corner: the weather forecast (one or two
// weathers with their white backings and the connector), mail and news.
#pragma once

#include <memory>

#include "base/surface.h"
#include "render/draw_object.h"
#include "render/sprite_sheet.h"

namespace quorel {

// Weather codes and connectors of the forecast.
enum WeatherCode { kWeatherNone = 0, kWeatherFine = 1, kWeatherCloudy = 2, kWeatherRain = 3, kWeatherSnow = 4,
                   kWeatherStorm = 5, kWeatherSnowstorm = 6 };
enum WeatherConnector { kConnectorSingle = 0, kConnectorLater = 1, kConnectorAtTimes = 2 };

struct InformationInputs {
  int corner_side = 0;
  bool weather_shown = false;
  bool weather_valid = false;
  int primary_weather = kWeatherNone;
  int secondary_weather = kWeatherNone;
  int connector = kConnectorSingle;
  bool mail_shown = false;
  bool mail_visible = true;  // this blink phase
  int mail_count = 0;
  bool news_shown = false;
  bool news_visible = true;  // this blink phase
};

class CDrawInformations {
 public:
  // Takes the icon sheet (PNG 310).
  explicit CDrawInformations(SpriteSheet icon_sheet);
  CDrawInformations(const CDrawInformations&) = delete;
  CDrawInformations& operator=(const CDrawInformations&) = delete;

  void SetInputs(const InformationInputs& inputs) { inputs_ = inputs; }
  InformationInputs& Inputs() { return inputs_; }

  void DrawIcons(Surface& dc) const;

 private:
  // Draws the icon (or its backing) of a code at (x, y); other codes draw nothing.
  void DrawWeather(Surface& dc, int code, bool backing, int x, int y) const;

  std::unique_ptr<SpriteSheet> sheet_;
  InformationInputs inputs_;
  CPictureObject news_, one_letter_, several_letters_, arrow_, arrow_backing_;
  CPictureObject weather_[7], weather_backing_[7];
};

}  // namespace quorel
