#include "app/monitor_names.h"

#include <cstdio>

#include "base/string_table.h"

namespace quorel {

unsigned MonitorPositionString(const Rect& monitor) {
  auto sign = [](int v) { return v < 0 ? 0 : (v == 0 ? 1 : 2); };
  // Rows: top negative, zero, positive; columns: left negative, zero, positive.
  static const unsigned kNames[3][3] = {{452, 453, 454}, {456, 451, 455}, {457, 458, 459}};
  return kNames[sign(monitor.top)][sign(monitor.left)];
}

std::string MonitorName(int number, const Rect& monitor) {
  std::string format = LoadText(450);
  std::string position = LoadText(MonitorPositionString(monitor));
  char buf[128];
  std::snprintf(buf, sizeof buf, format.c_str(), number, position.c_str());
  return buf;
}

}  // namespace quorel
