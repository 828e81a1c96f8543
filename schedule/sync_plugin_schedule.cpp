#include "schedule/sync_plugin_schedule.h"

#include <cstring>

namespace quorel {

namespace {

std::string Text(const char* text) {
  if (!text) return std::string();
  std::size_t n = 0;
  while (n < static_cast<std::size_t>(kMaxRecordString - 1) && text[n]) ++n;
  return std::string(text, n);
}

// A record pointing into the entry's own texts, valid while the entry lives.
ScheduleItemRecord RecordOf(const _SCHE_MEM_ITEM& item) {
  ScheduleItemRecord record;
  record.notice_sound_file = item.notice_sound_file.c_str();
  record.content = item.content.c_str();
  record.place = item.place.c_str();
  record.memo = item.memo.c_str();
  const auto block = PackItem(item);
  std::memcpy(record.block, block.data(), block.size());
  return record;
}

}  // namespace

_SCHE_MEM_ITEM ItemFromRecord(const ScheduleItemRecord& record) {
  _SCHE_MEM_ITEM item;
  UnpackItem(record.block, item);
  item.identifier.back() = 0;  // an identifier always ends within its field
  item.notice_sound_file = Text(record.notice_sound_file);
  item.content = Text(record.content);
  item.place = Text(record.place);
  item.memo = Text(record.memo);
  return item;
}

ScheduleList PluginScheduleSync::TakeItems(void* items, int count) {
  ScheduleList list;
  if (items && count > 0) {
    const auto* records = static_cast<const ScheduleItemRecord*>(items);
    for (int i = 0; i < count; ++i) list.push_back(ItemFromRecord(records[i]));
    plugin_->operations->FreeItems(plugin_, &items);
  }
  return list;
}

ScheduleList PluginScheduleSync::DayItems(int year, int month, int day) {
  void* items = nullptr;
  int count = 0;
  plugin_->operations->GetDayItems(plugin_, year, month, day, &items, &count, 0);
  return TakeItems(items, count);
}

ScheduleList PluginScheduleSync::MonthItems(int year, int month) {
  void* items = nullptr;
  int count = 0;
  plugin_->operations->GetMonthItems(plugin_, year, month, &items, &count, 0);
  return TakeItems(items, count);
}

void PluginScheduleSync::Add(const _SCHE_MEM_ITEM& item) {
  const ScheduleItemRecord record = RecordOf(item);
  plugin_->operations->AddItem(plugin_, &record);
}

void PluginScheduleSync::Delete(const _SCHE_MEM_ITEM& item) {
  const ScheduleItemRecord record = RecordOf(item);
  plugin_->operations->DeleteItem(plugin_, &record);
}

void PluginScheduleSync::Replace(const _SCHE_MEM_ITEM& old_item, const _SCHE_MEM_ITEM& new_item) {
  const ScheduleItemRecord old_record = RecordOf(old_item);
  const ScheduleItemRecord new_record = RecordOf(new_item);
  plugin_->operations->ReplaceItem(plugin_, &old_record, &new_record);
}

void PluginScheduleSync::Save() { plugin_->operations->SaveItems(plugin_); }

void PluginScheduleSync::Reload() { plugin_->operations->ReloadItems(plugin_); }

bool PluginScheduleSync::Kinds(std::vector<_SCHE_KIND_INFO>& kinds) {
  void* array = nullptr;
  int count = 0;
  const int result = plugin_->operations->GetKinds(plugin_, &array, &count);
  if (result == 0 && array) {
    const auto* records = static_cast<const ScheduleKindRecord*>(array);
    for (int i = 0; i < count; ++i) kinds.push_back({Text(records[i].name), records[i].kind});
  }
  if (array) plugin_->operations->FreeKinds(plugin_, &array);
  return result == 0;
}

}  // namespace quorel
