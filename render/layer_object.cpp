#include "render/layer_object.h"

namespace quorel {

void CLayerObject::SetPeriod(const LayerPeriod& period) {
  period_ = period;
  if (period_.end_month < period_.start_month) period_.end_month += 12;
  if (period_.end_hour < period_.start_hour) period_.end_hour += 24;
}

bool CLayerObject::Contains(int month, int day, int hour, int minute) const {
  const LayerPeriod& p = period_;
  if (month < p.start_month) month += 12;
  if (hour < p.start_hour) hour += 24;
  const bool date = (month > p.start_month || (month == p.start_month && day >= p.start_day)) &&
                    (month < p.end_month || (month == p.end_month && day <= p.end_day));
  const bool time = (hour > p.start_hour || (hour == p.start_hour && minute >= p.start_minute)) &&
                    (hour < p.end_hour || (hour == p.end_hour && minute <= p.end_minute));
  return date && time;
}

void CLayerObject::Reset() {
  for (CDrawObject* child : children_) child->Reset();
}

bool CLayerObject::Advance() {
  bool changed = false;
  for (CDrawObject* child : children_) changed = child->Advance() || changed;  // every child advances
  return changed;
}

bool CLayerObject::IsAnimated() {
  for (CDrawObject* child : children_) {
    if (child->IsAnimated()) return true;
  }
  return false;
}

void CLayerObject::Draw(Surface& dc) {
  for (CDrawObject* child : children_) child->Draw(dc);
}

}  // namespace quorel
