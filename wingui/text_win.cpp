#include "wingui/text_win.h"

namespace wingui {

namespace {
const UINT kCodePage = 932;  // explicit, so the program is right on any system locale
}

std::wstring WideFromAnsi(const std::string& cp932) {
  if (cp932.empty()) return std::wstring();
  int n = MultiByteToWideChar(kCodePage, 0, cp932.data(), static_cast<int>(cp932.size()), nullptr, 0);
  std::wstring wide(n, L'\0');
  MultiByteToWideChar(kCodePage, 0, cp932.data(), static_cast<int>(cp932.size()), &wide[0], n);
  return wide;
}

std::string AnsiFromWide(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  int n = WideCharToMultiByte(kCodePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(n, '\0');
  WideCharToMultiByte(kCodePage, 0, wide.data(), static_cast<int>(wide.size()), &bytes[0], n, nullptr, nullptr);
  return bytes;
}

}  // namespace wingui
