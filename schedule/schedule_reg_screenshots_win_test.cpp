// Pictures of the registration dialog and its small dialogs as a person sees
// them, for looking at their layout: with QUOREL_SCREENSHOT_DIR set (a folder
// the program can write), each dialog is shown and its window saved as
// schedule-<name>.bmp.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/file_system_win.h"
#include "schedule/schedule_reg_dialogs_win.h"
#include "schedule/schedule_regist_win.h"
#include "wingui/gdi_win.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace {

bool SaveWindowPicture(HWND window, const std::string& path) {
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  wingui::MemoryDC dc(screen);
  wingui::GdiObject<HBITMAP> picture(CreateCompatibleBitmap(screen, w, h));
  dc.Select(picture.get());
  BitBlt(dc.get(), 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = h;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const int stride = (w * 3 + 3) & ~3;
  std::vector<unsigned char> pixels(static_cast<std::size_t>(stride) * h);
  GetDIBits(dc.get(), picture.get(), 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info, sizeof info, 1, out);
  std::fwrite(pixels.data(), 1, pixels.size(), out);
  return std::fclose(out) == 0;
}

class Shots : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::getenv("QUOREL_SCREENSHOT_DIR");
    if (!folder_) GTEST_SKIP() << "QUOREL_SCREENSHOT_DIR is not set";
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    env.now = [] { return quorel::ClockTime{2013, 8, 2, 6, 10, 9, 15, 2}; };
    env.show_message = [](HWND, const std::string&) {};
  }
  // Shows the dialog titled `caption` run by `run`, lets `prepare` work it, saves its picture.
  void Shoot(const std::wstring& caption, const char* name, const std::function<INT_PTR()>& run,
             const std::function<void(HWND)>& prepare = nullptr) {
    bool saved = false;
    wingui::test::RunModalDriven(caption.c_str(), run, [&](HWND d) {
      SetWindowPos(d, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
      if (prepare) prepare(d);
      RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
      Sleep(500);
      saved = SaveWindowPicture(d, std::string(folder_) + "\\schedule-" + name + ".bmp");
      PostMessageW(d, WM_CLOSE, 0, 0);
    });
    EXPECT_TRUE(saved);
  }
  const char* folder_ = nullptr;
  ScheduleDialogEnv env;
};

std::unique_ptr<quorel::CScheduleInfo> MemoryStore(quorel::FileSystem& fs) {
  quorel::ScheduleEnvironment se;
  se.fs = &fs;
  se.folder = "";
  return std::make_unique<quorel::CScheduleInfo>(se);
}

TEST_F(Shots, RegistrationNew) {
  CWinFileSystem fs;
  auto store = MemoryStore(fs);
  Shoot(L"\u4e88\u5b9a\u306e\u767b\u9332", "regist-new",
        [&] { return CScheduleRegist(nullptr, *store, 2013, 8, 6, env).DoModal(); }, [](HWND d) {
          SetDlgItemTextW(d, kRegContent, L"\u6253\u3061\u5408\u308f\u305b");
          HWND bar = GetDlgItem(d, kRegBar1);
          SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(7 + 7 * 30 + 3, 20));
        });
}

class KindsSync : public quorel::ScheduleSync {
 public:
  quorel::ScheduleList DayItems(int, int, int) override { return {}; }
  quorel::ScheduleList MonthItems(int, int) override { return {}; }
  void Add(const quorel::_SCHE_MEM_ITEM&) override {}
  void Delete(const quorel::_SCHE_MEM_ITEM&) override {}
  void Replace(const quorel::_SCHE_MEM_ITEM&, const quorel::_SCHE_MEM_ITEM&) override {}
  void Save() override {}
  void Reload() override {}
  bool Kinds(std::vector<quorel::_SCHE_KIND_INFO>& kinds) override {
    kinds = {{"work", 1}, {"home", 2}};
    return true;
  }
};

TEST_F(Shots, RegistrationChangeMultiDayWithPlugin) {
  CWinFileSystem fs;
  auto store = MemoryStore(fs);
  KindsSync sync;
  store->SetSync(&sync);
  quorel::_SCHE_MEM_ITEM item;
  store->NewSchedule(item);
  item.SetIdentifier("2013080620130801101010123");
  item.year = 2013, item.month = 8, item.day = 6, item.end_year = 2013, item.end_month = 8, item.end_day = 9;
  item.start_hour = 13, item.end_hour = 11, item.end_minute = 30;
  item.content = "trip";
  item.notice_flags = 17, item.notice_lead = 30;
  env.high_contrast = true;
  Shoot(L"\u4e88\u5b9a\u306e\u5909\u66f4", "regist-change", [&] { return CScheduleRegist(nullptr, *store, item, env).DoModal(); });
  store->SetSync(nullptr);
}

TEST_F(Shots, Repetition) {
  quorel::RepeatValues v;
  v.kind = 4, v.weekdays = 0x80 | 2 | 32;
  v.start_year = 2013, v.start_month = 8, v.start_day = 1, v.end_year = 2013, v.end_month = 12, v.end_day = 31;
  Shoot(L"\u4e88\u5b9a\u306e\u7e70\u308a\u8fd4\u3057\u8a2d\u5b9a", "repeat",
        [&] { return CScheduleRegRepeat(v, env).DoModal(nullptr); });
}

TEST_F(Shots, Notice) {
  quorel::NoticeValues v;
  v.flags = 1 | 16 | 32, v.lead = 10, v.sound_kind = 5, v.file = "C:\\sounds\\bell.wav";
  Shoot(L"\u4e88\u5b9a\u306e\u901a\u77e5", "notice", [&] { return CScheduleRegAlert(v, env).DoModal(nullptr); });
}

TEST_F(Shots, DatePicker) {
  Shoot(L"\u65e5\u4ed8\u306e\u9078\u629e", "date", [&] { return CSelectDate(2013, 9, env).DoModal(nullptr); });
}

}  // namespace
