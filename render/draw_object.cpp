#include "render/draw_object.h"

#include "base/raster.h"

namespace quorel {

CPictureObject::CPictureObject(const SpriteSheet* sheet, int source_x, int source_y, int width, int height, int dest_x,
                               int dest_y, int duration)
    : sheet_(sheet), source_x_(source_x), source_y_(source_y), dest_x_(dest_x), dest_y_(dest_y), width_(width),
      height_(height), duration_(duration) {}

CPictureObject::CPictureObject(const SpriteSheet* sheet, int source_x, int source_y, int width, int height, int step_x,
                               int step_y, int dest_x, int dest_y, int duration)
    : sheet_(sheet), source_x_(source_x), source_y_(source_y), dest_x_(dest_x), dest_y_(dest_y), step_x_(step_x),
      step_y_(step_y), width_(width), height_(height), duration_(duration) {}

Point CPictureObject::CellSource(int cell) const {
  if (cells_per_row_ <= 0) return Point{source_x_ + cell * step_x_, source_y_ + cell * step_y_};
  const int column = cell % cells_per_row_, row = cell / cells_per_row_;
  return Point{source_x_ + column * step_x_, source_y_ + row * step_y_};
}

void CPictureObject::DrawCell(Surface& dc, int cell, int x, int y) const {
  if (sheet_ == nullptr || width_ <= 0 || height_ <= 0) return;
  const Point s = CellSource(cell);
  switch (blend_mode_) {
    case kBlendMasked:
      Blit(dc, x, y, sheet_->mask, s.x, s.y, width_, height_, RasterOp::kAnd);
      Blit(dc, x, y, sheet_->image, s.x, s.y, width_, height_, RasterOp::kOr);
      break;
    case kBlendOr:
      Blit(dc, x, y, sheet_->image, s.x, s.y, width_, height_, RasterOp::kOr);
      break;
    default:
      break;  // unknown modes draw nothing
  }
}

}  // namespace quorel
