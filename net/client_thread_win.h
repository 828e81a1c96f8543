// The pattern every network client follows: a thread of its own with a hidden
// window that does the network work in its handlers. The owner writes the
// pending request and the notification targets and reads the last values;
// one lock per client keeps the two threads from touching them at once.
#pragma once

#include <windows.h>

#include <mutex>

#include "app/messages.h"

namespace quorel {

// Sent to a client window: close any connection and end the thread.
// Posted to a client window: take the pending request and run one check now.
// (WM_CLIENT_STOP and WM_CLIENT_START are in app/messages.h.)

// The data the owner and the client thread share, behind one lock.
template <class Request, class LastValues>
class ClientShared {
 public:
  void SetPending(const Request& r) {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_ = r;
  }
  Request Pending() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return pending_;
  }
  void SetLast(const LastValues& v) {
    std::lock_guard<std::mutex> lock(mutex_);
    last_ = v;
  }
  LastValues Last() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return last_;
  }
  template <class F>
  void UpdateLast(F change) {
    std::lock_guard<std::mutex> lock(mutex_);
    change(last_);
  }
  void SetTargets(HANDLE event, HWND wait_dialog, HWND owner) {
    std::lock_guard<std::mutex> lock(mutex_);
    event_ = event;
    wait_dialog_ = wait_dialog;
    owner_ = owner;
  }
  void SetWaitDialog(HWND wait_dialog) {
    std::lock_guard<std::mutex> lock(mutex_);
    wait_dialog_ = wait_dialog;
  }
  // A result before the check has finished: the owner only.
  void NotifyOwner(UINT owner_message) {
    HWND owner;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      owner = owner_;
    }
    if (owner && owner_message) PostMessageW(owner, owner_message, 0, 0);
  }
  // A finished check: the event is set, the wait dialog told once, the owner told.
  void NotifyDone(UINT wait_message, UINT owner_message) {
    HANDLE event;
    HWND dialog, owner;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      event = event_;
      dialog = wait_dialog_;
      owner = owner_;
      wait_dialog_ = nullptr;
    }
    if (event) SetEvent(event);
    if (dialog) PostMessageW(dialog, wait_message, 0, 0);
    if (owner && owner_message) PostMessageW(owner, owner_message, 0, 0);
  }

 private:
  mutable std::mutex mutex_;
  Request pending_;
  LastValues last_;
  HANDLE event_ = nullptr;
  HWND wait_dialog_ = nullptr;
  HWND owner_ = nullptr;
};

// The thread of a client: created suspended or running; on start it makes the
// hidden window (CreateClientWindow, on the new thread), lets the client begin
// (OnThreadStarted) and runs the message loop until the window is destroyed.
class ClientThread {
 public:
  ClientThread() = default;
  ClientThread(const ClientThread&) = delete;
  ClientThread& operator=(const ClientThread&) = delete;
  virtual ~ClientThread();

  bool Begin(bool suspended);
  void Resume();
  // The hidden window once it exists (waits for the thread to make it; null on failure).
  HWND WaitForWindow(DWORD timeout_ms = 10000);
  // Takes the pending request and checks now.
  bool PostStart();
  // Sends WM_CLIENT_STOP (the client has finished its current handler when it
  // returns) and waits for the thread's end.
  void Stop(DWORD timeout_ms = 30000);
  bool running() const { return thread_ != nullptr; }

 protected:
  virtual HWND CreateClientWindow() = 0;
  virtual void OnThreadStarted() {}

 private:
  static DWORD WINAPI ThreadMain(void* self);
  HANDLE thread_ = nullptr;
  HANDLE ready_ = nullptr;
  HWND hwnd_ = nullptr;
  bool suspended_ = false;
};

}  // namespace quorel
