#include "tools/orvix/conversion_state.h"

#include <system_error>

#include "platform/files.h"
#include "tools/orvix/orvix_messages.h"

namespace zel::orvix {

bool ConversionState::fail(std::string message) {
  if (!failure) failure = std::move(message);
  return false;
}

std::optional<fs::path> ConversionState::sourcePath(std::string_view name) const {
  auto path = platform::FindPathNoCase(source / std::string(name));
  std::error_code error;
  if (path && fs::is_directory(*path, error)) return std::nullopt;
  return path;
}

std::optional<std::string> ConversionState::readSource(std::string_view name) {
  const auto path = sourcePath(name);
  if (!path) return std::nullopt;
  auto data = platform::ReadWholeFile(*path);
  if (!data) fail(Format(kMsgCannotRead, path->string()));
  return data;
}

bool ConversionState::writeTarget(std::string_view name, std::string_view data) {
  const fs::path path = target / std::string(name);
  if (platform::WriteFileAtomically(path, data)) return true;
  return fail(Format(kMsgCannotWrite, path.string()));
}

bool ConversionState::copyToTarget(const fs::path& from, std::string_view name) {
  // Never a FIFO or a device: reading one for a copy need never end.
  std::error_code error;
  if (fs::is_regular_file(from, error) &&
      platform::CopyFileTo(from, target / std::string(name), true)) {
    return true;
  }
  return fail(Format(kMsgCannotCopy, from.string()));
}

std::string ConversionState::settingsSection() const {
  return typeName + "_SETTINGS";
}

}  // namespace zel::orvix
