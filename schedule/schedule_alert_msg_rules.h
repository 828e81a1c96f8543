// The notice window's list: the notices it holds, which four of them are in
// view, their texts and the window's size for their number.
#pragma once

#include <string>
#include <vector>

#include "schedule/schedule_notice.h"

namespace quorel {

constexpr int kNoticeRowsShown = 4;
constexpr int kNoticeRowHeightDu = 42;     // dialog units of one row
constexpr int kNoticeScrollWidthDu = 25;   // dialog units of the scroll buttons' column

// Fixed messages of the notice window.
enum ScheduleAlertText : unsigned {
  kStrNoticeContent = 529,    // "\r\n 内容：%s"
  kStrNoticePlace = 530,      // "\r\n 場所：%s"
  kStrNoticeOneDay = 533,     // month, day, start, end
  kStrNoticeMultiDay = 534,   // month, day, start, end month, end day, end
  kStrNoticeCaption = 566,    // "%d個の通知があります"
};

class ScheduleAlertList {
 public:
  // An element with the same fields leaves its place first; the new one goes to
  // the end, and with more than four the last four are in view.
  void Add(const ScheduleNotice& notice);
  // Removes element `index`; false when there is none.
  bool Remove(int index);
  void ScrollUp();
  void ScrollDown();
  void Clear() { items_.clear(), first_ = 0; }

  const std::vector<ScheduleNotice>& items() const { return items_; }
  int size() const { return static_cast<int>(items_.size()); }
  int first() const { return first_; }
  int rows() const;  // rows in view
  bool scroll_buttons() const { return size() > kNoticeRowsShown; }
  bool can_scroll_up() const { return scroll_buttons() && first_ > 0; }
  bool can_scroll_down() const { return scroll_buttons() && first_ + kNoticeRowsShown < size(); }

 private:
  std::vector<ScheduleNotice> items_;
  int first_ = 0;
};

// A row's text (CP932): the date line, the content and, if any, the place.
std::string NoticeRowText(const ScheduleNotice& notice);
// The window's caption for `count` notices.
std::string NoticeCaption(int count);

struct DialogUnits {
  int width = 0, height = 0;
  bool operator==(const DialogUnits& o) const { return width == o.width && height == o.height; }
};
// The window's size with `count` notices, from its full size (four rows and the scroll buttons).
DialogUnits NoticeWindowSize(int count, DialogUnits full);

}  // namespace quorel
