// A layer: child drawables painted in list order (back to front), with a name
// and an optional active period of dates and times.
#pragma once

#include <string>
#include <vector>

#include "render/draw_object.h"

namespace quorel {

// Start and end of the dates and of the times a layer is active. The date
// window and the time window are tested independently of each other.
struct LayerPeriod {
  int start_month = 0, start_day = 0, end_month = 0, end_day = 0;
  int start_hour = 0, start_minute = 0, end_hour = 0, end_minute = 0;
};

class CLayerObject : public CDrawObject {
 public:
  // Children are references; the scene object that made them owns them.
  void Add(CDrawObject* child) { children_.push_back(child); }
  void SetName(std::string name) { name_ = std::move(name); }
  const std::string& Name() const { return name_; }
  const std::vector<CDrawObject*>& Children() const { return children_; }

  // A period that wraps over the year's end or midnight is stored with the end
  // month + 12 or the end hour + 24.
  void SetPeriod(const LayerPeriod& period);
  const LayerPeriod& Period() const { return period_; }
  bool Contains(int month, int day, int hour, int minute) const;

  void Reset() override;
  bool Advance() override;
  bool IsAnimated() override;
  void Draw(Surface& dc) override;

 private:
  std::vector<CDrawObject*> children_;
  std::string name_;
  LayerPeriod period_;
};

}  // namespace quorel
