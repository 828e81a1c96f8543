#include "schedule/setup_schedule_rules.h"

#include <algorithm>

namespace quorel {

namespace {
constexpr int kReactionByItem[] = {0, 3, 1, 2};
}

int ScheduleReactionItem(int value) {
  for (int i = 0; i < 4; ++i)
    if (kReactionByItem[i] == value) return i;
  return 0;
}

int ScheduleReactionValue(int item) { return item >= 0 && item < 4 ? kReactionByItem[item] : 0; }

int ClampScheduleDays(int days) { return std::clamp(days, 1, 31); }
int ClampScheduleReturnSeconds(int s) { return std::clamp(s, 1, 99); }
int ClampScheduleFontSize(int size) { return std::clamp(size, 8, 24); }

std::vector<std::string> ScheduleFontFaces(const std::vector<std::string>& enumerated) {
  std::vector<std::string> faces;
  for (const std::string& f : enumerated) {
    if (f.empty() || f[0] == '@') continue;
    if (std::find(faces.begin(), faces.end(), f) == faces.end()) faces.push_back(f);
  }
  return faces;
}

std::string ScheduleFontToStore(const std::vector<std::string>& faces, int selected) {
  if (selected >= 0 && selected < static_cast<int>(faces.size())) return faces[static_cast<std::size_t>(selected)];
  return faces.empty() ? std::string() : faces.front();
}

}  // namespace quorel
