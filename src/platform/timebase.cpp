#include "platform/timebase.h"

#include <cstdio>
#include <ctime>
#include <limits>
#include <mutex>
#include <optional>

#include "platform/files.h"

namespace zel::platform {

namespace {

std::mutex g_biasMutex;
TimeBiases g_biases;

// What the fixed-width text shows when the time cannot be broken down (out of range):
// still 24 characters, so column layouts of logs stay intact.
constexpr char kUnknownTimeText[] = "??? ??? ?? ??:??:?? ????";

// The biases come from the preferences file as written by hand; an absurd one must give an
// absurd time, not an overflow.
std::int64_t AddSaturated(std::int64_t a, std::int64_t b) {
  std::int64_t sum = 0;
  if (!__builtin_add_overflow(a, b, &sum)) return sum;
  return b > 0 ? std::numeric_limits<std::int64_t>::max()
               : std::numeric_limits<std::int64_t>::min();
}

std::int64_t SubtractSaturated(std::int64_t a, std::int64_t b) {
  std::int64_t difference = 0;
  if (!__builtin_sub_overflow(a, b, &difference)) return difference;
  return b < 0 ? std::numeric_limits<std::int64_t>::max()
               : std::numeric_limits<std::int64_t>::min();
}

std::optional<std::tm> LocalTime(std::int64_t t) {
  const auto value = static_cast<std::time_t>(t);
  std::tm parts{};
  if (localtime_r(&value, &parts) == nullptr) return std::nullopt;
  return parts;
}

}  // namespace

void SetTimeBiases(TimeBiases biases) {
  const std::lock_guard lock(g_biasMutex);
  g_biases = biases;
}

TimeBiases GetTimeBiases() {
  const std::lock_guard lock(g_biasMutex);
  return g_biases;
}

bool DaylightSavingInForce() {
  const std::optional<std::tm> parts = LocalTime(static_cast<std::int64_t>(std::time(nullptr)));
  return parts && parts->tm_isdst > 0;
}

std::int64_t Now() {
  return AddSaturated(static_cast<std::int64_t>(std::time(nullptr)), GetTimeBiases().local);
}

std::int64_t FileTime(const std::filesystem::path& path) {
  const std::optional<std::int64_t> mtime = FileModTime(path);
  return mtime ? AddSaturated(*mtime, GetTimeBiases().local) : 0;
}

bool SetFileTime(const std::filesystem::path& path, std::int64_t t) {
  return SetFileModTime(path, SubtractSaturated(t, GetTimeBiases().local));
}

std::int64_t RemoteTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm parts{};
  parts.tm_year = year - 1900;
  parts.tm_mon = month - 1;
  parts.tm_mday = day;
  parts.tm_hour = hour;
  parts.tm_min = minute;
  parts.tm_sec = second;
  parts.tm_isdst = -1;  // the controller's clock says nothing about daylight saving
  return AddSaturated(static_cast<std::int64_t>(std::mktime(&parts)), GetTimeBiases().remote);
}

std::string TimeText24(std::int64_t t) {
  // English names whatever the locale: the text goes into logs that tools compare.
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::optional<std::tm> parts = LocalTime(t);
  if (!parts || parts->tm_year + 1900 < 1000 || parts->tm_year + 1900 > 9999) {
    return kUnknownTimeText;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %04d", kDays[parts->tm_wday],
                kMonths[parts->tm_mon], parts->tm_mday, parts->tm_hour, parts->tm_min,
                parts->tm_sec, parts->tm_year + 1900);
  return text;
}

std::string LocaleDateTime(std::int64_t t) {
  const std::optional<std::tm> parts = LocalTime(t);
  if (!parts) return {};
  char text[256];
  const std::size_t length = std::strftime(text, sizeof text, "%c", &*parts);
  return std::string(text, length);
}

}  // namespace zel::platform
