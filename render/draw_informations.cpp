#include "render/draw_informations.h"

#include "render/sheet_layout.h"

namespace quorel {

namespace {

CPictureObject Picture(const SpriteSheet* s, const sheet::Cell& c, int blend = kBlendMasked) {
  CPictureObject p(s, c.x, c.y, c.width, c.height, -1, -1);
  p.SetBlendMode(blend);
  return p;
}

}  // namespace

CDrawInformations::CDrawInformations(SpriteSheet icon_sheet)
    : sheet_(std::make_unique<SpriteSheet>(std::move(icon_sheet))) {
  using namespace sheet;
  const SpriteSheet* s = sheet_.get();
  news_ = Picture(s, kNewsIcon);
  one_letter_ = Picture(s, kOneLetter);
  several_letters_ = Picture(s, kSeveralLetters);
  arrow_ = Picture(s, kArrow);
  arrow_backing_ = Picture(s, kArrowBacking, kBlendOr);
  for (int code = kWeatherFine; code <= kWeatherSnowstorm; ++code) {
    weather_[code] = Picture(s, Cell{kWeatherIconX, kWeatherRowY[code], kWeatherWidth, kWeatherHeight});
    weather_backing_[code] =
        Picture(s, Cell{kWeatherBackingX, kWeatherRowY[code], kWeatherWidth, kWeatherHeight}, kBlendOr);
  }
}

void CDrawInformations::DrawWeather(Surface& dc, int code, bool backing, int x, int y) const {
  if (code < kWeatherFine || code > kWeatherSnowstorm) return;
  (backing ? weather_backing_ : weather_)[code].DrawCell(dc, 0, x, y);
}

void CDrawInformations::DrawIcons(Surface& dc) const {
  const InformationInputs& in = inputs_;
  const bool right = in.corner_side == 1;
  int y = 1;
  if (in.weather_shown) {
    if (in.weather_valid && in.primary_weather != kWeatherNone) {
      const int x = right ? sheet::kSceneWidth - 23 : 1;
      const int primary = in.primary_weather, secondary = in.secondary_weather;
      switch (in.connector) {
        case kConnectorLater:
          DrawWeather(dc, secondary, true, x + 9, 1);
          DrawWeather(dc, primary, true, x, 1);
          arrow_backing_.DrawCell(dc, 0, x + 6, 10);
          DrawWeather(dc, secondary, false, x + 9, 1);
          DrawWeather(dc, primary, false, x, 1);
          arrow_.DrawCell(dc, 0, x + 6, 10);
          break;
        case kConnectorAtTimes:
          DrawWeather(dc, secondary, true, x + 8, 4);
          DrawWeather(dc, primary, true, x, 1);
          DrawWeather(dc, secondary, false, x + 8, 4);
          DrawWeather(dc, primary, false, x, 1);
          break;
        default:
          DrawWeather(dc, primary, true, x, 1);
          DrawWeather(dc, primary, false, x, 1);
          break;
      }
    }
    y = 18;  // the row is kept whether or not the forecast is valid
  }
  if (in.mail_shown) {
    if (in.mail_visible) {
      const int x = right ? sheet::kSceneWidth - 17 - 1 : 1;
      (in.mail_count < 2 ? one_letter_ : several_letters_).DrawCell(dc, 0, x, y);
    }
    y += 14 + 1;
  }
  if (in.news_shown && in.news_visible) {
    const int x = right ? sheet::kSceneWidth - 16 - 1 : 1;
    news_.DrawCell(dc, 0, x, y);
  }
}

}  // namespace quorel
