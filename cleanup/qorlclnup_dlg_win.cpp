#include "cleanup/qorlclnup_dlg_win.h"

#include "cleanup/about_dlg_win.h"
#include "cleanup/qorlclnup_resource.h"
#include "cleanup/shortcut_cleanup_win.h"

namespace qorlclnup {

namespace {

constexpr int kTextChars = 512;

// Icons loaded shared, so that they live as long as the module and need no release.
HICON LoadProgramIcon(HINSTANCE resources, int size_metric_x, int size_metric_y) {
  return static_cast<HICON>(LoadImageW(resources, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                       GetSystemMetrics(size_metric_x), GetSystemMetrics(size_metric_y),
                                       LR_SHARED));
}

}  // namespace

CQORLCLNUPDlg::CQORLCLNUPDlg(CleanupSystem& system, HINSTANCE resources)
    : wingui::Dialog(IDD_QORLCLNUP_DIALOG, resources), system_(system), resources_(resources) {}

bool CQORLCLNUPDlg::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  switch (msg) {
    case WM_SYSCOMMAND: return OnSysCommand(wp);
    case WM_PAINT: return OnPaint();
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<LRESULT>(icon_);
      return true;
    default: return false;
  }
}

bool CQORLCLNUPDlg::OnInitDialog() {
  wchar_t about[kTextChars];
  HMENU system_menu = GetSystemMenu(hwnd(), FALSE);
  if (system_menu && LoadStringW(resources_, IDS_ABOUTBOX, about, kTextChars) > 0) {
    AppendMenuW(system_menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(system_menu, MF_STRING, IDM_ABOUTBOX, about);
  }
  icon_ = LoadProgramIcon(resources_, SM_CXICON, SM_CYICON);
  small_icon_ = LoadProgramIcon(resources_, SM_CXSMICON, SM_CYSMICON);
  if (icon_) SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  if (small_icon_) SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_));
  return true;
}

bool CQORLCLNUPDlg::OnSysCommand(WPARAM command) {
  // The low four bits of a system command belong to the system.
  if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
  CAboutDlg(resources_).DoModal(hwnd());
  return true;
}

bool CQORLCLNUPDlg::OnPaint() {
  if (!IsIconic(hwnd())) return false;  // the dialog paints its controls itself
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  SendMessageW(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client;
  GetClientRect(hwnd(), &client);
  int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
  int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
  if (icon_) DrawIcon(dc, x, y, icon_);
  EndPaint(hwnd(), &ps);
  return true;
}

void CQORLCLNUPDlg::OnDelete() {
  RunShortcutCleanup(system_, LoadCleanupTargets(resources_));
  // The cleanup reports nothing of its own: an older system, missing shortcuts
  // and files that would not go all end in the same message.
  wchar_t message[kTextChars] = {};
  wchar_t caption[kTextChars] = {};
  LoadStringW(resources_, IDS_CLEANUP_DONE, message, kTextChars);
  GetWindowTextW(hwnd(), caption, kTextChars);
  MessageBoxW(hwnd(), message, caption, MB_OK | MB_ICONINFORMATION);
  End(IDOK);
}

}  // namespace qorlclnup
