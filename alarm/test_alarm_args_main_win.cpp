// Test program: writes each argument it was started with on a line of its own
// (UTF-8) into alarm_args.txt in its own folder, replacing the file.
#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring text;
  for (int i = 1; argv && i < argc; ++i) text += std::wstring(argv[i]) + L"\n";
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring file(path, n);
  file = file.substr(0, file.find_last_of(L'\\') + 1) + L"alarm_args.txt";
  std::string bytes(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                        nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0],
                      static_cast<int>(bytes.size()), nullptr, nullptr);
  const std::wstring temp = file + L".new";
  HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  MoveFileExW(temp.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
  if (argv) LocalFree(argv);
  return 0;
}
