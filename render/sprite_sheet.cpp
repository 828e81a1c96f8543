#include "render/sprite_sheet.h"

#include <utility>

#include "base/raster.h"

namespace quorel {

SpriteSheet MakeSpriteSheet(Surface decoded, Color key) {
  SpriteSheet sheet;
  sheet.image = std::move(decoded);
  sheet.mask = MakeMask(sheet.image, key);
  return sheet;
}

}  // namespace quorel
