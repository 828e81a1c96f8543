// A user-interface thread: a thread of its own that creates a hidden window
// and runs a message loop for it. The owner talks to it only by posting.
#pragma once

#include <windows.h>

#include "wingui/window_win.h"

namespace wingui {

class UiThread {
 public:
  UiThread() = default;
  UiThread(const UiThread&) = delete;
  UiThread& operator=(const UiThread&) = delete;
  ~UiThread() { Stop(INFINITE); }

  // Creates `window` from `spec` on the new thread (message-only when spec.parent
  // is null) and returns once it exists; false when either could not be made.
  bool Start(Window& window, const WindowSpec& spec);
  bool Post(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const {
    return hwnd_ && PostMessageW(hwnd_, msg, wp, lp) != 0;
  }
  HWND hwnd() const { return hwnd_; }
  DWORD thread_id() const { return thread_id_; }

  // Closes the window, ends the loop and waits for the thread; false on time-out.
  bool Stop(DWORD timeout_ms);

 private:
  static DWORD WINAPI ThreadMain(void* arg);
  Window* window_ = nullptr;
  WindowSpec spec_;
  HANDLE thread_ = nullptr;
  HANDLE ready_ = nullptr;
  HWND hwnd_ = nullptr;
  DWORD thread_id_ = 0;
};

}  // namespace wingui
