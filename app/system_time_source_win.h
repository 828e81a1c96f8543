// The machine's clock as a time source.
#pragma once

#include <windows.h>

#include "app/main_time.h"

class SystemTimeSource : public quorel::TimeSource {
 public:
  quorel::ClockTime LocalNow() override {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return From(t);
  }
  quorel::ClockTime UtcNow() override {
    SYSTEMTIME t;
    GetSystemTime(&t);
    return From(t);
  }

 private:
  static quorel::ClockTime From(const SYSTEMTIME& t) {
    return quorel::ClockTime{t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
  }
};
