#pragma once
// Broken-down local times for tests of the texts made from them.

#include <ctime>

// A local time with the month counted from 1 and the weekday from Sunday = 0; daylight
// saving left to mktime.
inline std::tm LocalTime(int year, int month, int day, int hour, int minute, int weekday = 0) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_wday = weekday;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_isdst = -1;
  return local;
}
