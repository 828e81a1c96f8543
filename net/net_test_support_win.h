// Helpers of the network shell tests: the peers' ports (the test runner starts
// the peers and names their ports), a clock that records instead of setting
// the machine's clock, and a window that collects the messages posted to it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "net/system_clock_win.h"

namespace quorel {
namespace test {

// The port a peer listens on; the test fails when the runner started no peers.
inline unsigned short PeerPort(const char* name) {
  const char* value = std::getenv(name);
  if (!value || !*value) {
    ADD_FAILURE() << name << " is not set: run under scripts/net-test-peers.py";
    return 1;
  }
  return static_cast<unsigned short>(std::atoi(value));
}

inline std::string PeerText(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

inline std::string HttpUrl(const std::string& path) {
  return "http://127.0.0.1:" + std::to_string(PeerPort("QUOREL_HTTP_PORT")) + path;
}

// Reads the machine's clock, shifted by `offset_ms`, and records every set
// instead of making it. Never the real SetSystemTime.
class RecordingClock : public SystemClockWin {
 public:
  explicit RecordingClock(std::int64_t offset_ms = 0, int refusal = 0) : offset_ms_(offset_ms), refusal_(refusal) {}
  UtcTime UtcNow() override { return FromUnixMs(ToUnixMs(SystemClockWin::UtcNow()) + offset_ms_); }
  int SetUtc(const UtcTime& t) override {
    std::lock_guard<std::mutex> lock(mutex_);
    sets_.push_back(t);
    return refusal_;
  }
  std::vector<UtcTime> sets() {
    std::lock_guard<std::mutex> lock(mutex_);
    return sets_;
  }

 private:
  std::int64_t offset_ms_;
  int refusal_;
  std::mutex mutex_;
  std::vector<UtcTime> sets_;
};

// A message-only window of the test thread that keeps the messages posted to it.
class MessageCollector {
 public:
  MessageCollector() {
    static const bool registered = [] {
      WNDCLASSW wc = {};
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"QuorelNetTestCollector";
      return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    hwnd_ = CreateWindowExW(0, L"QuorelNetTestCollector", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~MessageCollector() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }
  // Pumps this thread's messages until `message` arrived or `ms` passed.
  bool WaitFor(UINT message, DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    for (;;) {
      MSG m;
      while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
      for (const MSG& got : received)
        if (got.message == message) return true;
      if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
  }
  std::vector<MSG> received;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<MessageCollector*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && msg >= WM_USER) {
      MSG m = {};
      m.hwnd = hwnd, m.message = msg, m.wParam = wp, m.lParam = lp;
      self->received.push_back(m);
      return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  HWND hwnd_ = nullptr;
};

}  // namespace test
}  // namespace quorel
