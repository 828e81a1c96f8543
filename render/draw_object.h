// The drawables of the scene: the common interface and the sprite picture,
// one cell (or a grid of equal cells) cut from a sprite sheet.
#pragma once

#include "base/geometry.h"
#include "base/surface.h"
#include "render/sprite_sheet.h"

namespace quorel {

class CDrawObject {
 public:
  virtual ~CDrawObject() = default;
  // Back to the start state (animations restart, particles are placed anew).
  virtual void Reset() {}
  // One tick of the driving timer; true when the appearance changed.
  virtual bool Advance() { return false; }
  // True when anything of the object moves.
  virtual bool IsAnimated() { return false; }
  // Paints the object at its own position.
  virtual void Draw(Surface& dc) = 0;
};

enum BlendMode {
  kBlendMasked = 0,  // transparent where the sheet had the key colour
  kBlendOr = 1,      // the cell OR-ed onto the destination, no mask
};

class CPictureObject : public CDrawObject {
 public:
  CPictureObject() = default;
  explicit CPictureObject(const SpriteSheet* sheet) : sheet_(sheet) {}
  CPictureObject(const SpriteSheet* sheet, int source_x, int source_y, int width, int height, int dest_x, int dest_y,
                 int duration = -1);
  CPictureObject(const SpriteSheet* sheet, int source_x, int source_y, int width, int height, int step_x, int step_y,
                 int dest_x, int dest_y, int duration = -1);

  void Draw(Surface& dc) override { DrawCell(dc, 0, dest_x_, dest_y_); }
  void DrawCell(Surface& dc, int cell) const { DrawCell(dc, cell, dest_x_, dest_y_); }
  void DrawOffset(Surface& dc, int x, int y) const { DrawCell(dc, 0, x + dest_x_, y + dest_y_); }
  void DrawCell(Surface& dc, int cell, int x, int y) const;

  // Top-left of cell n in the sheet.
  Point CellSource(int cell) const;

  void SetBlendMode(int mode) { blend_mode_ = mode; }
  void SetCellsPerRow(int n) { cells_per_row_ = n; }
  void SetDestination(int x, int y) { dest_x_ = x; dest_y_ = y; }
  void SetDuration(int ticks) { duration_ = ticks; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  int DestX() const { return dest_x_; }
  int DestY() const { return dest_y_; }
  int Duration() const { return duration_; }
  int BlendModeValue() const { return blend_mode_; }
  Color KeyColor() const { return key_color_; }

 private:
  const SpriteSheet* sheet_ = nullptr;
  Color key_color_ = kKeyColor;
  int blend_mode_ = kBlendMasked;
  int source_x_ = -1, source_y_ = -1;
  int dest_x_ = -1, dest_y_ = -1;
  int step_x_ = 0, step_y_ = 0;
  int cells_per_row_ = 0;
  int width_ = -1, height_ = -1;
  int duration_ = -1;
};

}  // namespace quorel
