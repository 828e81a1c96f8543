// The binary interface of a schedule synchronisation plug-in library: the
// exports "create" and "destroy" and the plug-in object, whose first member
// points to its table of operations in slot order. Written as plain function
// pointers with the object passed first, which is how a C++ object's virtual
// calls arrive in the 64-bit Windows calling convention.
#pragma once

#include <cstdint>

namespace quorel {

struct CScheduleSyncPlugin;

struct ScheduleSyncPluginOperations {
  // 0: code 0 = state size (int, buffer size 4), 1 = display name (256 bytes), 2 = sync period in minutes.
  int (*QueryInfo)(CScheduleSyncPlugin* self, int code, void* buffer, int buffer_size);
  void* slot1;  // not called
  int (*InitState)(CScheduleSyncPlugin* self, void* state, int state_size);
  int (*OpenState)(CScheduleSyncPlugin* self, void* state, int state_size);  // 0 = success
  int (*Configure)(CScheduleSyncPlugin* self, void* parent_window, void* state, int state_size);
  int (*GetKinds)(CScheduleSyncPlugin* self, void** kinds, int* count);
  int (*GetMonthItems)(CScheduleSyncPlugin* self, int year, int month, void** items, int* count, int reserved);
  int (*GetDayItems)(CScheduleSyncPlugin* self, int year, int month, int day, void** items, int* count,
                     int reserved);
  int (*AddItem)(CScheduleSyncPlugin* self, const void* entry);
  int (*DeleteItem)(CScheduleSyncPlugin* self, const void* entry);
  int (*ReplaceItem)(CScheduleSyncPlugin* self, const void* old_entry, const void* new_entry);
  int (*SaveItems)(CScheduleSyncPlugin* self);
  int (*ReloadItems)(CScheduleSyncPlugin* self);
  int (*FreeItems)(CScheduleSyncPlugin* self, void** items);
  int (*FreeKinds)(CScheduleSyncPlugin* self, void** kinds);
};

struct CScheduleSyncPlugin {
  const ScheduleSyncPluginOperations* operations;
};

using SyncPluginCreate = CScheduleSyncPlugin* (*)();
using SyncPluginDestroy = void (*)(CScheduleSyncPlugin*);

}  // namespace quorel
