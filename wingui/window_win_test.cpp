#include "wingui/window_win.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "wingui/ui_thread_win.h"

namespace {

const UINT kPing = WM_USER + 7;

// Counts timer ticks and records posted user messages with the thread that handled them.
class TickWindow : public wingui::Window {
 public:
  int ticks = 0;
  int ticks_to_quit = 20;
  std::vector<LPARAM> pings;
  DWORD ping_thread = 0;
  bool destroyed = false;

 protected:
  bool OnCreate(const CREATESTRUCTW&) override { return SetTimer(hwnd(), 1, 50, nullptr) != 0; }
  void OnTimer(UINT_PTR id) override {
    if (id == 1 && ++ticks == ticks_to_quit) {
      KillTimer(hwnd(), 1);
      PostQuitMessage(0);
    }
  }
  bool OnMessage(UINT msg, WPARAM, LPARAM lp, LRESULT&) override {
    if (msg != kPing) return false;
    pings.push_back(lp);
    ping_thread = GetCurrentThreadId();
    return true;
  }
  void OnDestroy() override { destroyed = true; }
};

TEST(Window, ReceivesTwentyTicksOfA50msTimerAndAMessagePostedFromAnotherThread) {
  TickWindow w;
  wingui::WindowSpec spec;
  spec.class_name = L"TickWindow";
  ASSERT_TRUE(w.Create(spec));
  ASSERT_EQ(wingui::Window::FromHandle(w.hwnd()), &w);

  HWND target = w.hwnd();
  std::thread poster([target] { PostMessageW(target, kPing, 0, 42); });
  poster.join();

  DWORD start = GetTickCount();
  EXPECT_EQ(wingui::RunMessageLoop(), 0);
  DWORD elapsed = GetTickCount() - start;

  EXPECT_EQ(w.ticks, 20);
  EXPECT_GE(elapsed, 20u * 50u - 100u);  // the ticks really were 50 ms apart
  ASSERT_EQ(w.pings.size(), 1u);
  EXPECT_EQ(w.pings[0], 42);
  EXPECT_EQ(w.ping_thread, GetCurrentThreadId());
}

TEST(Window, CloseDestroysTheWindowAndTheObjectForgetsIt) {
  TickWindow w;
  wingui::WindowSpec spec;
  spec.class_name = L"TickWindow";
  ASSERT_TRUE(w.Create(spec));
  HWND h = w.hwnd();
  SendMessageW(h, WM_CLOSE, 0, 0);
  EXPECT_TRUE(w.destroyed);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(w.hwnd(), nullptr);
}

TEST(UiThread, RunsItsHiddenWindowOnItsOwnThreadAndStopsOnRequest) {
  TickWindow w;
  w.ticks_to_quit = -1;  // the thread ends only when stopped
  wingui::UiThread thread;
  wingui::WindowSpec spec;
  spec.class_name = L"TickWindow";
  ASSERT_TRUE(thread.Start(w, spec));
  EXPECT_NE(thread.thread_id(), GetCurrentThreadId());
  EXPECT_FALSE(IsWindowVisible(thread.hwnd()));

  ASSERT_TRUE(thread.Post(kPing, 0, 7));
  ASSERT_TRUE(thread.Post(kPing, 0, 8));
  ASSERT_TRUE(thread.Stop(5000));

  ASSERT_EQ(w.pings.size(), 2u);
  EXPECT_EQ(w.pings[0], 7);
  EXPECT_EQ(w.pings[1], 8);
  EXPECT_EQ(w.ping_thread, thread.thread_id() ? w.ping_thread : 0u);
  EXPECT_NE(w.ping_thread, GetCurrentThreadId());
  EXPECT_TRUE(w.destroyed);
}

}  // namespace
