// A stand-in for the task scheduler's "schtasks.exe" in the shell tests'
// folder, which the search path finds before the system's. It appends its
// command line (UTF-8) to the file named by QUOREL_SCHTASKS_LOG and keeps the
// one task in "<log>.task": /Create and /Delete exit with QUOREL_SCHTASKS_EXIT
// (and change the task only with 0); /Query exits 0 while the task exists.
// Without QUOREL_SCHTASKS_LOG it answers 1 to everything, as for no task.
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

std::wstring Env(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH);
  return n > 0 && n < MAX_PATH ? value : L"";
}

void Append(const std::wstring& path, const std::wstring& line) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, &bytes[0], size, nullptr, nullptr);
  bytes += "\n";
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

bool Has(const std::wstring& text, const wchar_t* word) { return text.find(word) != std::wstring::npos; }

}  // namespace

int wmain() {
  const std::wstring log = Env(L"QUOREL_SCHTASKS_LOG");
  if (log.empty()) return 1;
  // The arguments: the command line after the program's own name.
  std::wstring line = GetCommandLineW();
  const std::size_t at = line.find(L"schtasks.exe");
  std::wstring args = at == std::wstring::npos ? line : line.substr(at + 12);
  if (!args.empty() && args[0] == L'"') args.erase(0, 1);
  while (!args.empty() && args[0] == L' ') args.erase(0, 1);
  Append(log, args);

  const std::wstring task = log + L".task";
  if (Has(args, L"/Query")) return GetFileAttributesW(task.c_str()) != INVALID_FILE_ATTRIBUTES ? 0 : 1;
  const std::wstring exit_text = Env(L"QUOREL_SCHTASKS_EXIT");
  const int code = exit_text.empty() ? 1 : static_cast<int>(std::wcstol(exit_text.c_str(), nullptr, 10));
  if (code == 0 && Has(args, L"/Create")) Append(task, L"ONLOGON");
  if (code == 0 && Has(args, L"/Delete")) DeleteFileW(task.c_str());
  return code;
}
