// The calendar's title font: a sheet of glyphs in 14 colour bands (seven
// colours, then the same paled), the right half in high-contrast colours.
// Glyph places are found from the sheet's one-pixel separator lines.
#pragma once

#include <string>

#include "base/geometry.h"
#include "base/surface.h"

namespace quorel {

// The characters of the calendar's title fonts, in sheet order.
extern const char kCalendarFontCharacters[];

class BitmapFont {
 public:
  // Takes the decoded sheet (key colour RGB(128, 0, 128) transparent). False
  // when the sheet is empty or has no glyph rows.
  bool Load(Surface decoded, const char* characters);
  bool IsLoaded() const { return !image_.IsEmpty(); }

  void SetSpacing(int spacing) { spacing_ = spacing; }
  int GetSpacing() const { return spacing_; }
  void SetColour(int colour) {
    if (colour >= 0 && colour <= 6) colour_ = colour;
  }
  void SetHighContrast(bool on) { high_contrast_ = on; }
  void SetPale(bool on) { pale_ = on; }

  // Characters are bytes; any byte without a glyph draws nothing.
  Size Measure(const std::string& text) const;
  int DrawString(Surface& dc, const std::string& text, int x, int y) const;
  void DrawCentred(Surface& dc, const std::string& text, const Rect& r) const;

  const Rect& Glyph(unsigned char c) const { return glyphs_[c]; }
  int GlyphHeight() const { return glyph_height_; }
  int StripWidth() const { return strip_width_; }

 private:
  Surface image_;
  Surface mask_;
  Rect glyphs_[256]{};
  int glyph_height_ = 0;
  int strip_width_ = 0;
  int spacing_ = 0;
  int colour_ = 0;
  bool high_contrast_ = false;
  bool pale_ = false;
};

}  // namespace quorel
