// Loading sprite sheets and pictures with GDI+: "PNG" resources through a
// read-only stream over the resource bytes, and image files by name. Each
// decoded image is drawn once into a plain 32-bit bitmap and read into a
// surface; afterwards only the surface is kept.
#pragma once

#include <windows.h>

#include <string>

#include "base/surface.h"
#include "render/sprite_sheet.h"

namespace quorel {

// GDI+ for the lifetime of the object (the clock window holds one).
class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool ok() const { return ok_; }

 private:
  ULONG_PTR token_ = 0;
  bool ok_ = false;
};

// Empty surfaces when the resource is missing, cannot be locked or decoded.
Surface LoadImageFromResource(HMODULE module, int id, const wchar_t* type = L"PNG");
// `path` is CP932; an empty surface when the file cannot be decoded or has zero width.
Surface LoadImageFromFile(const std::string& path);
Surface DecodeImageWithGdiplus(const void* bytes, std::size_t size);

inline SpriteSheet LoadSheetFromResource(HMODULE module, int id) {
  return MakeSpriteSheet(LoadImageFromResource(module, id));
}
inline SpriteSheet LoadSheetFromFile(const std::string& path) { return MakeSpriteSheet(LoadImageFromFile(path)); }

}  // namespace quorel
