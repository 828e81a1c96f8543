#include "app/about_box_win.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/resource_ids.h"
#include "app/settings.h"
#include "base/random.h"
#include "base/string_table.h"
#include "wingui/text_win.h"

namespace {
const int kIconControl = 1020;
const int kTitleControl = 1144;
const UINT_PTR kTimerStep = 1, kTimerPause = 2;
}  // namespace

constexpr int CAboutBox::kLinkIds[6];

CAboutBox::CAboutBox(const RECT& clock, const RECT& monitor)
    : wingui::Dialog(kDialogAbout), clock_(clock), monitor_(monitor) {}

bool CAboutBox::OnInitDialog() {
  RECT r;
  GetWindowRect(hwnd(), &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = std::max<int>(monitor_.left, std::min<int>(clock_.left, monitor_.right - w));
  int y = std::max<int>(monitor_.top, std::min<int>(clock_.top, monitor_.bottom - h));
  SetWindowPos(hwnd(), HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE);

  char title[256];
  std::snprintf(title, sizeof title, quorel::LoadText(kStrAboutTitle).c_str(), quorel::kSettingsVersion);
  SetDlgItemTextW(hwnd(), kTitleControl, wingui::WideFromAnsi(title).c_str());

  for (int id : kLinkIds) {
    auto link = std::make_unique<CClickableString>();
    if (opener_) link->SetOpener(opener_);
    if (link->Attach(hwnd(), id)) links_.push_back(std::move(link));
  }
  ShowIcon(animation_.icon());
  SetTimer(hwnd(), kTimerStep, quorel::AboutIconAnimation::kStepMs, nullptr);
  return true;
}

void CAboutBox::ShowIcon(unsigned id) {
  HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0,
                                             LR_DEFAULTSIZE | LR_SHARED));
  if (icon) SendDlgItemMessageW(hwnd(), kIconControl, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

bool CAboutBox::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT&) {
  if (msg != WM_TIMER) return false;
  if (wp == kTimerStep) {
    bool finished = false;
    ShowIcon(animation_.Step(&finished));
    if (finished) {
      KillTimer(hwnd(), kTimerStep);
      SetTimer(hwnd(), kTimerPause, quorel::AboutIconAnimation::PauseMs(quorel::ProcessRandom().Next()), nullptr);
    }
  } else if (wp == kTimerPause) {
    KillTimer(hwnd(), kTimerPause);
    SetTimer(hwnd(), kTimerStep, quorel::AboutIconAnimation::kStepMs, nullptr);
  }
  return true;
}

void CAboutBox::OnOK() {
  // Enter on a focused link opens it; Enter on the OK button closes the box.
  HWND focus = GetFocus();
  if (focus && GetDlgCtrlID(focus) != IDOK && GetParent(focus) == hwnd()) {
    PostMessageW(focus, WM_LBUTTONDOWN, 0, 0);
    return;
  }
  End(IDOK);
}
