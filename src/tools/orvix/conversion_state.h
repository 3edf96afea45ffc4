#pragma once
// What the steps of one conversion share: the two directories, the files still to be
// copied, the new project file being built, and the first failure.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/project/controller_type.h"
#include "platform/profile.h"
#include "tools/orvix/conversion.h"
#include "tools/orvix/file_list.h"

namespace zel::orvix {

struct ConversionState {
  fs::path source;  // the version-3 project directory
  fs::path target;  // the directory being written
  fs::path programDirectory;
  V3Project project;
  std::int64_t now = 0;
  FileList files;
  platform::IniDocument projectFile;  // written once, when the steps are done
  app::ControllerType type = app::ControllerType::Vm1x;
  std::string typeName;
  bool machpre = false;
  std::vector<std::string> notes;
  std::optional<std::string> failure;

  bool failed() const { return failure.has_value(); }
  // Keeps the first failure; always false, for `return state.fail(...)`.
  bool fail(std::string message);
  void note(std::string message) { notes.push_back(std::move(message)); }

  // A version-3 file of the project, found without regard to case. nullopt when it is
  // missing; a file that is there but cannot be read is a failure.
  std::optional<std::string> readSource(std::string_view name);
  std::optional<fs::path> sourcePath(std::string_view name) const;
  // Writes a file of the new project; false (and the failure) when it could not.
  bool writeTarget(std::string_view name, std::string_view data);
  bool copyToTarget(const fs::path& from, std::string_view name);

  std::string settingsSection() const;  // "<type>_SETTINGS"
};

// The steps, in their order.
void TakeUncopiedFiles(ConversionState& state);
void WriteProjectIdentity(ConversionState& state);
void ConvertDocumentation(ConversionState& state);
void ConvertAllocationListFile(ConversionState& state);
void WriteControllerType(ConversionState& state);
void ConvertIoConfiguration(ConversionState& state);
void WriteDefaultSettings(ConversionState& state);
void ConvertRunMode(ConversionState& state);
void ConvertComPort(ConversionState& state);
void ConvertDownloadSources(ConversionState& state);
void ConvertDrives(ConversionState& state);
void ConvertDrivers(ConversionState& state);
void ConvertPassword(ConversionState& state);
void ConvertModules(ConversionState& state);
void WriteWindows(ConversionState& state);
void CopyRemainingFiles(ConversionState& state);

}  // namespace zel::orvix
