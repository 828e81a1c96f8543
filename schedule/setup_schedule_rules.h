// The page "スケジュール" without the platform: the order of its cursor
// reaction list, the ranges its numbers are kept in, and its font list.
#pragma once

#include <string>
#include <vector>

namespace quorel {

// The list shows "スケジュールは無関心", "時計と同じ動作をする", "消える", "透ける".
int ScheduleReactionItem(int value);  // any other value shows the first item
int ScheduleReactionValue(int item);  // no selection (-1) stores 0

int ClampScheduleDays(int days);        // 1 ... 31
int ClampScheduleReturnSeconds(int s);  // 1 ... 99
int ClampScheduleFontSize(int size);    // 8 ... 24

// The faces the font list offers: each once, in order, without the vertical
// faces (their names begin with an at sign) and empty names.
std::vector<std::string> ScheduleFontFaces(const std::vector<std::string>& enumerated);
// The face stored on OK: the selected one, or the first when none is selected.
std::string ScheduleFontToStore(const std::vector<std::string>& faces, int selected);

}  // namespace quorel
