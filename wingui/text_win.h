// Conversions at the Win32 boundary: the program's CP932 bytes <-> UTF-16.
#pragma once

#include <windows.h>

#include <string>

namespace wingui {

std::wstring WideFromAnsi(const std::string& cp932);
std::string AnsiFromWide(const std::wstring& wide);

}  // namespace wingui
