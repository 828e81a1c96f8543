#include "net/system_clock_win.h"

#include <windows.h>

#include "app/common_util_win.h"

namespace quorel {

UtcTime SystemClockWin::UtcNow() {
  SYSTEMTIME t;
  GetSystemTime(&t);
  return UtcTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

LocalTime SystemClockWin::LocalNow() { return CCommonUtilWin::GetLocalNow(); }

int SystemClockWin::SetUtc(const UtcTime& u) {
  // The project's wine harness forbids setting the machine's clock whatever runs under it.
  if (GetEnvironmentVariableW(L"QUOREL_FORBID_CLOCK_SET", nullptr, 0) > 0) return ERROR_ACCESS_DENIED;
  SYSTEMTIME t = {};
  t.wYear = static_cast<WORD>(u.year);
  t.wMonth = static_cast<WORD>(u.month);
  t.wDay = static_cast<WORD>(u.day);
  t.wHour = static_cast<WORD>(u.hour);
  t.wMinute = static_cast<WORD>(u.minute);
  t.wSecond = static_cast<WORD>(u.second);
  t.wMilliseconds = static_cast<WORD>(u.millisecond);
  if (SetSystemTime(&t)) return 0;
  const DWORD error = GetLastError();
  return error ? static_cast<int>(error) : -1;
}

}  // namespace quorel
