#include "net/client_thread_win.h"

namespace quorel {

ClientThread::~ClientThread() { Stop(); }

bool ClientThread::Begin(bool suspended) {
  if (thread_) return false;
  ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = CreateThread(nullptr, 0, ThreadMain, this, suspended ? CREATE_SUSPENDED : 0, nullptr);
  if (!thread_) {
    CloseHandle(ready_);
    ready_ = nullptr;
    return false;
  }
  suspended_ = suspended;
  return true;
}

void ClientThread::Resume() {
  if (thread_ && suspended_) {
    suspended_ = false;
    ResumeThread(thread_);
  }
}

HWND ClientThread::WaitForWindow(DWORD timeout_ms) {
  if (!thread_ || suspended_) return nullptr;
  WaitForSingleObject(ready_, timeout_ms);
  return hwnd_;
}

bool ClientThread::PostStart() {
  HWND hwnd = WaitForWindow();
  return hwnd && PostMessageW(hwnd, WM_CLIENT_START, 0, 0);
}

void ClientThread::Stop(DWORD timeout_ms) {
  if (!thread_) return;
  Resume();  // a client never started still has to end
  HWND hwnd = WaitForWindow();
  if (hwnd) SendMessageW(hwnd, WM_CLIENT_STOP, 0, 0);
  if (WaitForSingleObject(thread_, timeout_ms) != WAIT_OBJECT_0) TerminateThread(thread_, 1);
  CloseHandle(thread_);
  CloseHandle(ready_);
  thread_ = ready_ = nullptr;
  hwnd_ = nullptr;
}

DWORD WINAPI ClientThread::ThreadMain(void* arg) {
  auto* self = static_cast<ClientThread*>(arg);
  HWND hwnd = self->CreateClientWindow();
  self->hwnd_ = hwnd;
  SetEvent(self->ready_);
  if (!hwnd) return 1;
  self->OnThreadStarted();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace quorel
