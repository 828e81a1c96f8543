#include "wingui/ui_thread_win.h"

namespace wingui {

bool UiThread::Start(Window& window, const WindowSpec& spec) {
  if (thread_) return false;
  window_ = &window;
  spec_ = spec;
  if (!spec_.parent) spec_.parent = HWND_MESSAGE;
  ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = CreateThread(nullptr, 0, &UiThread::ThreadMain, this, 0, &thread_id_);
  if (!thread_) {
    CloseHandle(ready_);
    ready_ = nullptr;
    return false;
  }
  // The thread signals once the window exists, or once it failed.
  HANDLE both[2] = {ready_, thread_};
  WaitForMultipleObjects(2, both, FALSE, INFINITE);
  if (!hwnd_) Stop(INFINITE);
  return hwnd_ != nullptr;
}

DWORD WINAPI UiThread::ThreadMain(void* arg) {
  UiThread* self = static_cast<UiThread*>(arg);
  if (!self->window_->Create(self->spec_)) {
    SetEvent(self->ready_);
    return 1;
  }
  self->hwnd_ = self->window_->hwnd();
  SetEvent(self->ready_);
  return static_cast<DWORD>(RunMessageLoop());
}

bool UiThread::Stop(DWORD timeout_ms) {
  if (!thread_) return true;
  if (hwnd_) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
  // WM_QUIT comes after every message already posted, so the close is handled first.
  PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
  if (WaitForSingleObject(thread_, timeout_ms) != WAIT_OBJECT_0) return false;
  CloseHandle(thread_);
  CloseHandle(ready_);
  thread_ = ready_ = nullptr;
  hwnd_ = nullptr;
  return true;
}

}  // namespace wingui
