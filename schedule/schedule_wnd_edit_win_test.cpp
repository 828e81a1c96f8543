// The rounds of registering, changing and deleting one entry, as the schedule
// window and the calendar's day menu run them: what lands in the year file.
#include "schedule/schedule_wnd_edit_win.h"

#include <gtest/gtest.h>

#include "base/memory_file_system.h"
#include "schedule/schedule_info.h"

namespace {

const char kFolder[] = "C:\\data\\";
const char kFile[] = "C:\\data\\sche2026.dat";

class StepClock : public quorel::TimeSource {
 public:
  quorel::ClockTime now{2026, 12, 4, 24, 17, 59, 5, 0};
  quorel::ClockTime LocalNow() override {
    now = quorel::AddMinutes(now, 1);  // every entry is stored at a moment of its own
    return now;
  }
  quorel::ClockTime UtcNow() override { return now; }
};

class ScheduleEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs_.AddDirectory("C:\\data");
    quorel::ScheduleEnvironment env;
    env.fs = &fs_;
    env.clock = &clock_;
    env.folder = kFolder;
    store_ = std::make_unique<quorel::CScheduleInfo>(env);
    editor_.store = store_.get();
    editor_.changed = [this] { ++changed_; };
  }
  quorel::ScheduleList Stored() {
    return quorel::ParseScheduleFile(fs_.Contents(kFile), true).items;
  }
  // The dialog: sets the content and answers `result`.
  void Dialog(int result, const char* content) {
    editor_.run_regist = [this, result, content](HWND, quorel::_SCHE_MEM_ITEM& item, bool new_entry) {
      seen_new_ = new_entry;
      seen_item_ = item;
      item.content = content;
      return result;
    };
  }

  quorel::MemoryFileSystem fs_;
  StepClock clock_;
  std::unique_ptr<quorel::CScheduleInfo> store_;
  ScheduleEditor editor_;
  int changed_ = 0;
  bool seen_new_ = false;
  quorel::_SCHE_MEM_ITEM seen_item_;
};

TEST_F(ScheduleEditorTest, ANewEntryIsStoredOnItsDateWithTheGivenHoursOnlyWhenConfirmed) {
  Dialog(quorel::kRegistCancel, "dinner");
  EXPECT_FALSE(editor_.Register(nullptr, {2026, 12, 25}, 18, 19));
  EXPECT_FALSE(fs_.Has(kFile));
  EXPECT_EQ(0, changed_);

  Dialog(quorel::kRegistOk, "dinner");
  EXPECT_TRUE(editor_.Register(nullptr, {2026, 12, 25}, 18, 19));
  EXPECT_TRUE(seen_new_);
  EXPECT_EQ(18, seen_item_.start_hour);
  EXPECT_EQ(19, seen_item_.end_hour);
  EXPECT_EQ(16, seen_item_.notice_flags);  // the store's defaults for a new entry
  const quorel::ScheduleList items = Stored();
  ASSERT_EQ(1u, items.size());
  EXPECT_EQ("dinner", items[0].content);
  EXPECT_EQ(25, items[0].day);
  EXPECT_EQ(25u, items[0].Identifier().size());
  EXPECT_EQ(1, changed_);
}

TEST_F(ScheduleEditorTest, AChangeReplacesTheEntryAndStoringAsNewKeepsTheOldOne) {
  Dialog(quorel::kRegistOk, "draft");
  ASSERT_TRUE(editor_.Register(nullptr, {2026, 12, 25}, 9, 10));
  const quorel::_SCHE_MEM_ITEM first = Stored().at(0);

  Dialog(quorel::kRegistOk, "final");
  ASSERT_TRUE(editor_.Change(nullptr, first));
  EXPECT_FALSE(seen_new_);
  quorel::ScheduleList items = Stored();
  ASSERT_EQ(1u, items.size());
  EXPECT_EQ("final", items[0].content);
  const quorel::_SCHE_MEM_ITEM second = items[0];

  Dialog(quorel::kRegistAsNew, "copy");
  ASSERT_TRUE(editor_.Change(nullptr, second));
  items = Stored();
  ASSERT_EQ(2u, items.size());
  EXPECT_EQ("final", items[0].content);
  EXPECT_EQ("copy", items[1].content);
  EXPECT_NE(items[0].Identifier(), items[1].Identifier());

  Dialog(quorel::kRegistCancel, "lost");
  EXPECT_FALSE(editor_.Change(nullptr, items[0]));
  EXPECT_EQ(2u, Stored().size());
  EXPECT_EQ(3, changed_);
}

TEST_F(ScheduleEditorTest, DeletionAsksWithTheDateLineAndOnlyYesDeletes) {
  Dialog(quorel::kRegistOk, "dentist");
  ASSERT_TRUE(editor_.Register(nullptr, {2026, 12, 28}, 14, 15));
  const quorel::_SCHE_MEM_ITEM entry = Stored().at(0);
  std::string date, content;
  INT_PTR answer = IDCANCEL;
  editor_.run_delete = [&](HWND, const std::string& d, const std::string& c, const std::string&) {
    date = d;
    content = c;
    return answer;
  };
  EXPECT_FALSE(editor_.Delete(nullptr, entry, {2026, 12, 28}));
  EXPECT_EQ(1u, Stored().size());
  EXPECT_EQ("26/12/28 14:00\x81\x60" "15:00", date);  // the wave dash of CP932
  EXPECT_EQ("dentist", content);
  answer = IDOK;
  EXPECT_TRUE(editor_.Delete(nullptr, entry, {2026, 12, 28}));
  EXPECT_TRUE(Stored().empty());
  EXPECT_EQ(2, changed_);
}

TEST_F(ScheduleEditorTest, WithoutADialogNothingChanges) {
  editor_.run_regist = nullptr;
  EXPECT_FALSE(editor_.Register(nullptr, {2026, 12, 25}, 9, 10));
  EXPECT_FALSE(fs_.Has(kFile));
  EXPECT_EQ(0, changed_);
}

}  // namespace
