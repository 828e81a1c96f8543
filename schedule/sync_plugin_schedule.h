// The store's side of an active synchronisation plug-in: each query, change,
// save and reload becomes a call of the plug-in object, with entries passed
// as arrays of records that both sides share (four text pointers, then the
// packed block of 91 bytes).
#pragma once

#include <cstdint>

#include "schedule/schedule_info.h"
#include "schedule/sync_plugin_abi.h"

namespace quorel {

#pragma pack(push, 1)
struct ScheduleItemRecord {
  const char* notice_sound_file;
  const char* content;
  const char* place;
  const char* memo;
  std::uint8_t block[kPackedItemSize];
};
struct ScheduleKindRecord {
  const char* name;
  std::int16_t kind;
};
#pragma pack(pop)

// The entry of a record (a null text reads as empty; texts stop at 4096 bytes).
_SCHE_MEM_ITEM ItemFromRecord(const ScheduleItemRecord& record);

class PluginScheduleSync : public ScheduleSync {
 public:
  explicit PluginScheduleSync(CScheduleSyncPlugin* plugin) : plugin_(plugin) {}

  ScheduleList DayItems(int year, int month, int day) override;
  ScheduleList MonthItems(int year, int month) override;
  void Add(const _SCHE_MEM_ITEM& item) override;
  void Delete(const _SCHE_MEM_ITEM& item) override;
  void Replace(const _SCHE_MEM_ITEM& old_item, const _SCHE_MEM_ITEM& new_item) override;
  void Save() override;
  void Reload() override;
  bool Kinds(std::vector<_SCHE_KIND_INFO>& kinds) override;

 private:
  ScheduleList TakeItems(void* items, int count);
  CScheduleSyncPlugin* plugin_;
};

}  // namespace quorel
