#include "settings_ui/help_dialog_win.h"

#include <string>

#include "base/string_table.h"
#include "wingui/text_win.h"

namespace {

const int kText = 1023;
constexpr unsigned kStrFixedFont = 61000;  // "ＭＳ ゴシック"

// The bytes of a TEXT resource (CP932), or "" when it is missing.
std::string LoadTextResource(int id) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), L"TEXT");
  if (!found) return std::string();
  HGLOBAL loaded = LoadResource(module, found);
  const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  const DWORD size = SizeofResource(module, found);
  return bytes ? std::string(bytes, size) : std::string();
}

}  // namespace

bool CHelpDialog::OnInitDialog() {
  white_.Reset(CreateSolidBrush(RGB(255, 255, 255)));
  const std::wstring face = wingui::WideFromAnsi(quorel::LoadText(kStrFixedFont));
  font_.Reset(CreateFontW(12, 6, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, face.c_str()));
  if (font_) SendDlgItemMessageW(hwnd(), kText, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  SetDlgItemTextW(hwnd(), kText, wingui::WideFromAnsi(LoadTextResource(text_resource_)).c_str());
  return true;
}

bool CHelpDialog::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  // Read-only edits and labels are painted on white.
  if (msg != WM_CTLCOLORSTATIC || !white_) return false;
  SetBkColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 255));
  result = reinterpret_cast<LRESULT>(white_.get());
  return true;
}
