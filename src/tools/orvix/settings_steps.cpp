// The controller settings: the defaults first, then what the version-3 files say.

#include "app/settings/settings_schema.h"
#include "tools/orvix/conversion_state.h"
#include "tools/orvix/type_files.h"
#include "tools/orvix/v3_records.h"

namespace zel::orvix {

namespace {

constexpr std::string_view kRunModeFile = "runmode.kzc";
constexpr std::string_view kDownloadSourcesFile = "ldsrcyn.cfg";
constexpr std::size_t kDownloadSourcesSize = 3;
constexpr std::size_t kDrivesSize = 30;
constexpr std::size_t kProjectDriveByte = 1;
constexpr std::size_t kStartupDriveByte = 7;
constexpr std::size_t kKernelDriveByte = 19;
// Seven records describe the run mode; the first is not used.
constexpr std::size_t kRunModeRecords = 7;

bool IsNo(std::string_view text) {
  return !text.empty() && (text[0] == 'N' || text[0] == 'n');
}

// A drive or port byte of a version-3 file counts only when it can be one: a letter or
// a digit. Anything else would end up as a drive the controller does not have.
bool IsDriveOrPortByte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::string ByteOr(char c, char fallback) {
  return std::string(1, IsDriveOrPortByte(c) ? c : fallback);
}

}  // namespace

void WriteDefaultSettings(ConversionState& state) {
  const auto& defaults = app::Info(state.type);
  auto& file = state.projectFile;
  const std::string section = state.settingsSection();
  file.set(section, app::kKeyRunMode, std::to_string(app::kDefaultRunMode));
  file.set(section, app::kKeyDownloadStopPrograms, "0");
  file.set(section, app::kKeyExternalInput, app::kDefaultOperand);
  file.set(section, app::kKeyErrorProgram, "0");
  file.set(section, app::kKeyExternalOutput, app::kDefaultOperand);
  file.set(section, "KERNEL_IP_ADDRESS", "0.0.0.0");
  file.set(section, "KERNEL_IP_SUBMASK", "255.255.255.255");
  file.set(section, app::kKeyKernelComPort, std::string(1, defaults.kernelComPort));
  file.set(section, app::kKeyDownloadSources, "0");
  file.set(section, app::kKeyDriveStartup, std::string(1, defaults.driveStartup));
  file.set(section, app::kKeyDriveKernel, std::string(1, defaults.driveKernel));
  file.set(section, app::kKeyDriveProject, std::string(1, defaults.driveProject));
}

void ConvertRunMode(ConversionState& state) {
  const auto data = state.readSource(kRunModeFile);
  state.files.take(kRunModeFile);
  if (!data) return;
  auto& file = state.projectFile;
  const std::string section = state.settingsSection();
  const auto texts = ReadRunModeTexts(*data);
  int mode = app::kDefaultRunMode;
  bool inputUsed = false;
  bool outputUsed = false;
  for (std::size_t i = 1; i < texts.size() && i < kRunModeRecords; ++i) {
    const std::string& text = texts[i];
    switch (i) {
      case 1:
        inputUsed = !IsNo(text);
        break;
      case 2:
        if (IsNo(text)) {
          mode |= app::kRunModeAutostart | app::kRunModeResetPrograms | app::kRunModeResetOutputs;
        } else {
          mode &= ~app::kRunModeAutostart;
          mode |= app::kRunModeResetPrograms | app::kRunModeResetOutputs;
          if (state.machpre) file.set(section, app::kKeyDownloadStopPrograms, "1");
        }
        break;
      case 3:
        if (inputUsed) {
          mode |= app::kRunModeRunStopInput;
          file.set(section, app::kKeyExternalInput, text);
        }
        break;
      case 4:
        if (text != "0" && !text.empty()) file.set(section, app::kKeyErrorProgram, text);
        break;
      case 5:
        outputUsed = !IsNo(text);
        break;
      case 6:
        if (outputUsed) {
          mode |= app::kRunModeErrorOutput;
          file.set(section, app::kKeyExternalOutput, text);
        }
        break;
    }
  }
  // A file cut short keeps the default mode: half a description would switch off what
  // the remaining records never got to say.
  if (texts.size() >= kRunModeRecords) file.set(section, app::kKeyRunMode, std::to_string(mode));
}

void ConvertComPort(ConversionState& state) {
  const auto data = state.readSource(FilesFor(state.type).comPort);
  for (const auto& family : AllTypeFiles()) state.files.take(family.comPort);
  if (!data || data->empty()) return;
  state.projectFile.set(state.settingsSection(), app::kKeyKernelComPort,
                        ByteOr((*data)[0], app::Info(state.type).kernelComPort));
}

void ConvertDownloadSources(ConversionState& state) {
  const auto data = state.readSource(kDownloadSourcesFile);
  state.files.take(kDownloadSourcesFile);
  if (!data || data->size() != kDownloadSourcesSize) return;
  const char flag = (*data)[FilesFor(state.type).downloadSourceByte];
  state.projectFile.set(state.settingsSection(), app::kKeyDownloadSources,
                        flag == 'N' || flag == 'n' ? "0" : "1");
}

void ConvertDrives(ConversionState& state) {
  const auto data = state.readSource(FilesFor(state.type).drives);
  for (const auto& family : AllTypeFiles()) state.files.take(family.drives);
  if (!data) return;
  const auto& defaults = app::Info(state.type);
  const bool whole = data->size() >= kDrivesSize;
  const auto drive = [&](std::size_t at, char fallback) {
    return whole ? ByteOr((*data)[at], fallback) : std::string(1, fallback);
  };
  auto& file = state.projectFile;
  const std::string section = state.settingsSection();
  file.set(section, app::kKeyDriveProject, drive(kProjectDriveByte, defaults.driveProject));
  file.set(section, app::kKeyDriveKernel, drive(kKernelDriveByte, defaults.driveKernel));
  file.set(section, app::kKeyDriveStartup, drive(kStartupDriveByte, defaults.driveStartup));
}

}  // namespace zel::orvix
