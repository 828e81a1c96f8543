#include "render/bitmap_test_win.h"

#include <cstring>
#include <utility>

#include "base/file_system_win.h"
#include "base/string_table.h"
#include "wingui/text_win.h"

namespace {

constexpr int kPreviewWidth = 82, kPreviewHeight = 53;
constexpr UINT_PTR kTimerMotion = 1, kTimerRepeat = 11;
constexpr UINT kMotionTick = 50, kRepeatPause = 1000;
constexpr unsigned kStrTitle = 57344;
// The motion buttons in order and the motion type each one starts.
constexpr int kMotionOfButton[] = {quorel::kMotionNone, quorel::kMotionBlink, quorel::kMotionWink,
                                   quorel::kMotionDoze, quorel::kMotionTalk,  quorel::kMotionStartUp};

// A BITMAP resource of the program as a surface; empty when it is missing.
quorel::Surface LoadBitmapResource(int id) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) return quorel::Surface();
  BITMAP info = {};
  GetObjectW(bitmap, sizeof(info), &info);
  quorel::Surface surface(info.bmWidth, info.bmHeight);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = info.bmWidth;
  bi.bmiHeader.biHeight = -info.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  HDC dc = GetDC(nullptr);
  const int rows = GetDIBits(dc, bitmap, 0, info.bmHeight, surface.Data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  DeleteObject(bitmap);
  if (rows != info.bmHeight) return quorel::Surface();
  for (int y = 0; y < surface.Height(); ++y)
    for (int x = 0; x < surface.Width(); ++x) surface.At(x, y) &= 0x00ffffff;
  return surface;
}

void ShowMessage(HWND owner, const std::string& cp932) {
  MessageBoxW(owner, wingui::WideFromAnsi(cp932).c_str(), wingui::WideFromAnsi(quorel::LoadText(kStrTitle)).c_str(),
              MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

CBitmapTest::CBitmapTest(std::string image_path, std::string info_path)
    : wingui::Dialog(kTemplate),
      image_path_(std::move(image_path)),
      info_path_(std::move(info_path)),
      character_(quorel::SpriteSheet(), quorel::SpriteSheet(), nullptr) {}

CBitmapTest::~CBitmapTest() {
  if (preview_bitmap_) DeleteObject(preview_bitmap_);
}

bool CBitmapTest::OnInitDialog() {
  preview_ = quorel::Surface(kPreviewWidth, kPreviewHeight);
  background_ = LoadBitmapResource(kBackgroundBitmap);
  if (background_.Width() != kPreviewWidth || background_.Height() != kPreviewHeight)
    background_ = quorel::Surface(kPreviewWidth, kPreviewHeight, quorel::kWhite);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = kPreviewWidth;
  bi.bmiHeader.biHeight = -kPreviewHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  preview_bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &preview_bits_, nullptr, 0);
  CheckRadioButton(hwnd(), kDigital, kAnalog, kDigital);
  CheckRadioButton(hwnd(), kMotionFirst, kMotionLast, kMotionFirst);
  if (!Load()) {
    End(IDCANCEL);
    return true;
  }
  Redraw();  // the first picture before the static takes the bitmap
  SendDlgItemMessageW(hwnd(), kPreview, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(preview_bitmap_));
  UpdateEnabling();
  Apply();
  return true;
}

bool CBitmapTest::Load() {
  CWinFileSystem files;
  quorel::Surface image = quorel::LoadImageFromFile(image_path_);
  const int height = image.Height();
  std::string message;
  loaded_ = character_.LoadUserCharacter(std::move(image), info_path_, files, message);
  image_height_ = loaded_ ? height : 0;
  if (loaded_) character_.SetCharacter(0);
  if (!loaded_) ShowMessage(hwnd(), message);
  return loaded_;
}

void CBitmapTest::UpdateEnabling() {
  HWND d = hwnd();
  EnableWindow(GetDlgItem(d, kDigital), loaded_);
  EnableWindow(GetDlgItem(d, kAnalog), loaded_ && image_height_ / 2 >= kPreviewHeight);
  const bool motions = loaded_ && !info_path_.empty();
  for (int i = 0; i <= kMotionLast - kMotionFirst; ++i) {
    const int type = kMotionOfButton[i];
    EnableWindow(GetDlgItem(d, kMotionFirst + i), motions && (type == quorel::kMotionNone || character_.HasMotion(type)));
  }
}

void CBitmapTest::Apply() {
  KillTimer(hwnd(), kTimerMotion);
  KillTimer(hwnd(), kTimerRepeat);
  character_.SetLayout(IsDlgButtonChecked(hwnd(), kAnalog) == BST_CHECKED ? quorel::kLayoutAnalog
                                                                           : quorel::kLayoutDigital);
  int type = quorel::kMotionNone;
  for (int i = 0; i <= kMotionLast - kMotionFirst; ++i)
    if (IsDlgButtonChecked(hwnd(), kMotionFirst + i) == BST_CHECKED) type = kMotionOfButton[i];
  if (loaded_ && type != quorel::kMotionNone && character_.HasMotion(type)) {
    character_.StartMotion(type);
    SetTimer(hwnd(), kTimerMotion, kMotionTick, nullptr);
  } else {
    character_.StartMotion(quorel::kMotionNone);
  }
  Redraw();
}

void CBitmapTest::Redraw() {
  preview_ = background_;
  if (loaded_) character_.Draw(preview_);
  if (!preview_bits_) return;
  GdiFlush();
  std::memcpy(preview_bits_, preview_.Data(), sizeof(quorel::Color) * kPreviewWidth * kPreviewHeight);
  InvalidateRect(GetDlgItem(hwnd(), kPreview), nullptr, FALSE);
}

void CBitmapTest::OnTimer(UINT_PTR id) {
  if (id == kTimerMotion) {
    if (character_.Advance()) Redraw();
    if (character_.RunningMotion() == quorel::kMotionNone) {
      KillTimer(hwnd(), kTimerMotion);
      SetTimer(hwnd(), kTimerRepeat, kRepeatPause, nullptr);
    }
  } else if (id == kTimerRepeat) {
    Apply();
  }
}

bool CBitmapTest::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return false;
  if (id == kDigital || id == kAnalog) {
    // The enabling follows the layout being shown.
    CheckRadioButton(hwnd(), kDigital, kAnalog, id);
    character_.SetLayout(id == kAnalog ? quorel::kLayoutAnalog : quorel::kLayoutDigital);
    UpdateEnabling();
    Apply();
    return true;
  }
  if (id >= kMotionFirst && id <= kMotionLast) {
    Apply();
    return true;
  }
  if (id == kReload) {
    KillTimer(hwnd(), kTimerMotion);
    KillTimer(hwnd(), kTimerRepeat);
    Load();  // a failure is reported; the preview then shows the scene alone
    CheckRadioButton(hwnd(), kDigital, kAnalog, kDigital);
    CheckRadioButton(hwnd(), kMotionFirst, kMotionLast, kMotionFirst);
    UpdateEnabling();
    Apply();
    return true;
  }
  return false;
}

bool CBitmapTest::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  if (msg == WM_TIMER) {
    OnTimer(wp);
    result = 0;
    return true;
  }
  if (msg == WM_DESTROY) {
    KillTimer(hwnd(), kTimerMotion);
    KillTimer(hwnd(), kTimerRepeat);
  }
  return false;
}
