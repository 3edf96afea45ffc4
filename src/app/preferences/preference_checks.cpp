#include "app/preferences/preference_checks.h"

#include <algorithm>
#include <system_error>

#include "app/modules/module_messages.h"
#include "app/project/stored_path.h"
#include "app/text/field_scanner.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace zel::app {

namespace {

constexpr std::size_t kIpFields = 4;
constexpr std::size_t kIpFieldDigits = 3;
constexpr int kIpFieldMax = 255;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsIpField(std::string_view field) {
  if (field.empty() || field.size() > kIpFieldDigits) return false;
  if (!std::all_of(field.begin(), field.end(), IsDigit)) return false;
  return LeadingNumber(field).value_or(kIpFieldMax + 1) <= kIpFieldMax;
}

bool CreateDirectories(const std::filesystem::path& dir) {
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  return !error && platform::IsDirectoryNoCase(dir);
}

}  // namespace

std::optional<std::filesystem::path> CheckProjectDirectoryEntry(
    std::string_view entry, const std::filesystem::path& programDirectory) {
  if (entry.empty()) {
    platform::ShowMessageBox(std::string(kMsgEnterProjectPath), platform::Buttons::Ok,
                             platform::Icon::Warning);
    return std::nullopt;
  }
  const std::filesystem::path dir = AbsoluteStoredPath(entry, programDirectory);
  if (platform::IsDirectoryNoCase(dir)) return dir;
  const auto answer = platform::ShowMessageBox(FillText(kMsgCreateProjectDirectory, entry),
                                               platform::Buttons::YesNo, platform::Icon::Question);
  if (answer != platform::Answer::Yes) return std::nullopt;
  if (!CreateDirectories(dir)) {
    platform::ShowMessageBox(std::string(kMsgCannotCreateProjectDirectory), platform::Buttons::Ok,
                             platform::Icon::Error);
    return std::nullopt;
  }
  return dir;
}

bool IsCompleteIpAddress(std::string_view address) {
  std::size_t fields = 0;
  while (true) {
    const auto dot = address.find('.');
    if (!IsIpField(address.substr(0, dot))) return false;
    ++fields;
    if (dot == std::string_view::npos) break;
    address.remove_prefix(dot + 1);
  }
  return fields == kIpFields;
}

bool CheckIpAddressEntry(std::string_view address) {
  if (IsCompleteIpAddress(address)) return true;
  platform::ShowMessageBox(std::string(kMsgIpAddressIncomplete), platform::Buttons::Ok,
                           platform::Icon::Warning);
  return false;
}

bool IsSupportedBaudRate(long baudRate) {
  return std::find(kBaudRates.begin(), kBaudRates.end(), baudRate) != kBaudRates.end();
}

std::string ComPortName(int number) {
  return "COM" + std::to_string(number);
}

std::vector<std::string> ComPortCandidates() {
  std::vector<std::string> names;
  for (int number = 1; number <= kMaxComPortNumber; ++number) names.push_back(ComPortName(number));
  return names;
}

}  // namespace zel::app
