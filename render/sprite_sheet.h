// A loaded sprite sheet: the colour image with key-colour pixels turned black
// and its mask (white where the key colour was). Drawables cut their cells from
// sheets they reference; the object that loaded a sheet owns it.
#pragma once

#include "base/surface.h"

namespace quorel {

struct SpriteSheet {
  Surface image;
  Surface mask;

  bool IsLoaded() const { return !image.IsEmpty(); }
};

// Builds a sheet from a decoded image; an empty image gives an empty sheet
// (whose pictures draw nothing).
SpriteSheet MakeSpriteSheet(Surface decoded, Color key = kKeyColor);

}  // namespace quorel
