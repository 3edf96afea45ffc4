#pragma once
// The time base every freshness test of builds and downloads uses: seconds since 1970
// shifted by two hand-set biases, one for the local clock and file times and one for
// times read from the controller.

#include <cstdint>
#include <filesystem>
#include <string>

namespace zel::platform {

// The slack every "is this file newer" comparison allows.
inline constexpr std::int64_t kFreshnessSlackSeconds = 3;

struct TimeBiases {
  std::int64_t local = 0;
  std::int64_t remote = 0;
};

// Process-wide; set once at start-up, read from any thread.
void SetTimeBiases(TimeBiases biases);
TimeBiases GetTimeBiases();
bool DaylightSavingInForce();

std::int64_t Now();                                        // system clock + local bias
std::int64_t FileTime(const std::filesystem::path& path);  // mtime + local bias; 0 if unreadable
bool SetFileTime(const std::filesystem::path& path, std::int64_t t);  // sets t - local bias
// A controller's date taken as local time, plus the remote bias.
std::int64_t RemoteTime(int year, int month, int day, int hour, int minute, int second);

// The fixed 24-character form "Sun Dec 06 16:38:39 2026" of a local time.
std::string TimeText24(std::int64_t t);
// The locale's long date and time ("%c" of the process locale).
std::string LocaleDateTime(std::int64_t t);

}  // namespace zel::platform
