#include "schedule/ics_sync_plugin.h"

#include <cstring>

#include "base/sjis.h"
#include "schedule/sync_plugin_schedule.h"

namespace quorel {

namespace {

const char kMagic[4] = {'Q', 'I', 'C', 'S'};
constexpr std::uint32_t kStateVersion = 1;

void PutU32(unsigned char* at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(v >> (8 * i));
}

std::uint32_t GetU32(const unsigned char* at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(at[i]) << (8 * i);
  return v;
}

}  // namespace

std::vector<unsigned char> FormatIcsPluginState(const IcsPluginState& state) {
  std::vector<unsigned char> block(kIcsStateSize, 0);
  std::memcpy(block.data(), kMagic, 4);
  PutU32(block.data() + 4, kStateVersion);
  PutU32(block.data() + 8, static_cast<std::uint32_t>(state.period_minutes));
  const std::size_t n = SjisCutLength(state.path, kIcsPathBytes - 1);
  std::memcpy(block.data() + 16, state.path.data(), n);
  return block;
}

bool ParseIcsPluginState(const void* block, int size, IcsPluginState& state) {
  if (!block || size < kIcsStateSize) return false;
  const auto* bytes = static_cast<const unsigned char*>(block);
  if (std::memcmp(bytes, kMagic, 4) != 0 || GetU32(bytes + 4) != kStateVersion) return false;
  const int period = static_cast<int>(GetU32(bytes + 8));
  const char* path = reinterpret_cast<const char*>(bytes + 16);
  state.period_minutes = period < 0 ? 0 : period;
  state.path.assign(path, strnlen(path, kIcsPathBytes - 1));
  return true;
}

// One array handed to the program: the records and the texts they point into.
struct IcsSyncPlugin::Items {
  ScheduleList entries;
  std::vector<ScheduleItemRecord> records;
};

const ScheduleSyncPluginOperations IcsSyncPlugin::kOperations = {
    QueryInfo, nullptr,    InitState,  OpenState,   Configure, GetKinds,    GetMonthItems, GetDayItems,
    AddItem,   DeleteItem, ReplaceItem, SaveItems, ReloadItems, FreeItems, FreeKinds};

IcsSyncPlugin::IcsSyncPlugin(IcsPluginEnvironment env) : env_(std::move(env)) {
  operations = &kOperations;
  state_.path = env_.default_path;
}

IcsSyncPlugin::~IcsSyncPlugin() {
  if (store_) store_->Save();
}

int IcsSyncPlugin::QueryInfo(CScheduleSyncPlugin* p, int code, void* buffer, int size) {
  IcsSyncPlugin* self = Self(p);
  if (!buffer) return 1;
  if (code == 0 && size >= 4) {
    const int state_size = kIcsStateSize;
    std::memcpy(buffer, &state_size, 4);
    return 0;
  }
  if (code == 1 && size > 0) {
    const std::string& name = self->env_.display_name;
    const std::size_t n = SjisCutLength(name, static_cast<std::size_t>(size) - 1);
    std::memcpy(buffer, name.data(), n);
    static_cast<char*>(buffer)[n] = 0;
    return 0;
  }
  if (code == 2 && size >= 4) {
    std::memcpy(buffer, &self->state_.period_minutes, 4);
    return 0;
  }
  return 1;
}

int IcsSyncPlugin::InitState(CScheduleSyncPlugin* p, void* state, int size) {
  if (!state || size < kIcsStateSize) return 1;
  IcsPluginState defaults;
  defaults.path = Self(p)->env_.default_path;
  const auto block = FormatIcsPluginState(defaults);
  std::memcpy(state, block.data(), block.size());
  return 0;
}

int IcsSyncPlugin::OpenState(CScheduleSyncPlugin* p, void* state, int size) {
  IcsSyncPlugin* self = Self(p);
  IcsPluginState opened;
  opened.path = self->env_.default_path;
  ParseIcsPluginState(state, size, opened);  // a foreign or short block leaves the defaults
  if (opened.path.empty()) opened.path = self->env_.default_path;
  if (!self->env_.fs || !self->env_.clock || opened.path.empty()) return 1;
  self->state_ = opened;
  self->store_ = std::make_unique<IcsScheduleStore>(*self->env_.fs, *self->env_.clock, opened.path,
                                                    self->env_.read_options);
  self->store_->Load();
  return 0;
}

int IcsSyncPlugin::Configure(CScheduleSyncPlugin* p, void* parent, void* state, int size) {
  IcsSyncPlugin* self = Self(p);
  if (!state || size < kIcsStateSize || !self->env_.configure) return 1;
  IcsPluginState edited;
  edited.path = self->env_.default_path;
  ParseIcsPluginState(state, size, edited);
  if (!self->env_.configure(parent, edited)) return 1;
  const auto block = FormatIcsPluginState(edited);
  std::memcpy(state, block.data(), block.size());
  return 0;
}

int IcsSyncPlugin::GetKinds(CScheduleSyncPlugin*, void** kinds, int* count) {
  // An .ics file has no kinds of its own to offer.
  if (kinds) *kinds = nullptr;
  if (count) *count = 0;
  return 0;
}

int IcsSyncPlugin::HandOut(const ScheduleList& list, void** items, int* count) {
  if (!items || !count) return 1;
  *items = nullptr;
  *count = 0;
  if (list.empty()) return 0;
  auto held = std::make_unique<Items>();
  held->entries = list;
  for (const _SCHE_MEM_ITEM& item : held->entries) {
    ScheduleItemRecord record{};
    record.notice_sound_file = item.notice_sound_file.c_str();
    record.content = item.content.c_str();
    record.place = item.place.c_str();
    record.memo = item.memo.c_str();
    const auto block = PackItem(item);
    std::memcpy(record.block, block.data(), block.size());
    held->records.push_back(record);
  }
  *items = held->records.data();
  *count = static_cast<int>(held->records.size());
  handed_out_[*items] = std::move(held);
  return 0;
}

int IcsSyncPlugin::GetMonthItems(CScheduleSyncPlugin* p, int year, int month, void** items, int* count, int) {
  IcsSyncPlugin* self = Self(p);
  return self->HandOut(self->store_ ? self->store_->Month(year, month) : ScheduleList(), items, count);
}

int IcsSyncPlugin::GetDayItems(CScheduleSyncPlugin* p, int year, int month, int day, void** items, int* count, int) {
  IcsSyncPlugin* self = Self(p);
  return self->HandOut(self->store_ ? self->store_->Day(year, month, day) : ScheduleList(), items, count);
}

int IcsSyncPlugin::AddItem(CScheduleSyncPlugin* p, const void* entry) {
  IcsSyncPlugin* self = Self(p);
  if (!self->store_ || !entry) return 1;
  self->store_->Add(ItemFromRecord(*static_cast<const ScheduleItemRecord*>(entry)));
  return 0;
}

int IcsSyncPlugin::DeleteItem(CScheduleSyncPlugin* p, const void* entry) {
  IcsSyncPlugin* self = Self(p);
  if (!self->store_ || !entry) return 1;
  self->store_->Delete(ItemFromRecord(*static_cast<const ScheduleItemRecord*>(entry)));
  return 0;
}

int IcsSyncPlugin::ReplaceItem(CScheduleSyncPlugin* p, const void* old_entry, const void* new_entry) {
  IcsSyncPlugin* self = Self(p);
  if (!self->store_ || !old_entry || !new_entry) return 1;
  self->store_->Replace(ItemFromRecord(*static_cast<const ScheduleItemRecord*>(old_entry)),
                        ItemFromRecord(*static_cast<const ScheduleItemRecord*>(new_entry)));
  return 0;
}

int IcsSyncPlugin::SaveItems(CScheduleSyncPlugin* p) {
  IcsSyncPlugin* self = Self(p);
  return self->store_ ? self->store_->Save() : 1;
}

int IcsSyncPlugin::ReloadItems(CScheduleSyncPlugin* p) {
  IcsSyncPlugin* self = Self(p);
  if (!self->store_) return 1;
  self->store_->Load();
  return 0;
}

int IcsSyncPlugin::FreeItems(CScheduleSyncPlugin* p, void** items) {
  if (!items) return 1;
  const bool known = Self(p)->handed_out_.erase(*items) > 0;
  *items = nullptr;
  return known ? 0 : 1;
}

int IcsSyncPlugin::FreeKinds(CScheduleSyncPlugin*, void** kinds) {
  if (kinds) *kinds = nullptr;
  return 0;
}

}  // namespace quorel
