// A schedule synchronisation plug-in for the tests, built in several variants
// (one DLL each): a working one and ones that fail at each step of the start.
// The working one records what it was handed, readable through test_* exports.
#include <windows.h>

#include <cstring>

#include "schedule/sync_plugin_abi.h"

using quorel::CScheduleSyncPlugin;
using quorel::ScheduleSyncPluginOperations;

namespace {

int g_open_size = -1;
int g_open_null = -1;
char g_open_bytes[64] = {};
int g_destroyed = 0;
constexpr int kStateSize = 16;

int QueryInfo(CScheduleSyncPlugin*, int code, void* buffer, int size) {
#ifdef QORL_TEST_PLUGIN_FAILQUERY
  return 1;
#endif
  if (code == 0 && size == 4) {
    *static_cast<int*>(buffer) = kStateSize;
    return 0;
  }
  if (code == 1 && size >= 16) {
    std::strcpy(static_cast<char*>(buffer), "Test plug-in");
    return 0;
  }
  return 1;
}

int OpenState(CScheduleSyncPlugin*, void* state, int size) {
  g_open_size = size;
  g_open_null = state == nullptr ? 1 : 0;
  if (state && size > 0) std::memcpy(g_open_bytes, state, size < 63 ? size : 63);
#ifdef QORL_TEST_PLUGIN_FAILOPEN
  return 7;
#else
  return 0;
#endif
}

// The settings: a block that starts as "init" and is marked "configured".
int InitState(CScheduleSyncPlugin*, void* state, int size) {
  if (state && size >= 5) std::memcpy(state, "init", 5);
  return 0;
}

int Configure(CScheduleSyncPlugin*, void*, void* state, int size) {
  if (!state || size < kStateSize) return 1;
  char* bytes = static_cast<char*>(state);
  std::memcpy(bytes + 5, "configured", 11);
  return 0;
}

const ScheduleSyncPluginOperations kOperations = {QueryInfo, nullptr, InitState, OpenState, Configure};
[[maybe_unused]] CScheduleSyncPlugin g_object = {&kOperations};

}  // namespace

extern "C" {

__declspec(dllexport) CScheduleSyncPlugin* create() {
#ifdef QORL_TEST_PLUGIN_NULL
  return nullptr;
#else
  return &g_object;
#endif
}

#ifndef QORL_TEST_PLUGIN_NODESTROY
__declspec(dllexport) void destroy(CScheduleSyncPlugin*) { ++g_destroyed; }
#endif

__declspec(dllexport) int test_open_size() { return g_open_size; }
__declspec(dllexport) int test_open_null() { return g_open_null; }
__declspec(dllexport) const char* test_open_bytes() { return g_open_bytes; }
__declspec(dllexport) int test_destroyed() { return g_destroyed; }

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
