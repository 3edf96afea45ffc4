#pragma once
// A project's controller settings: how the controller runs the project once loaded.
// They lie in the project file's section "<type>_SETTINGS", so each controller type
// keeps its own, except "PASSWORD" (section "PROJECT"), which all types share. Nothing is
// cached: the type and every value are read from the file when asked for.

#include <string>
#include <string_view>

#include "app/project/project_file.h"

namespace zel::app {

inline constexpr std::string_view kKeyRunMode = "RUN_MODE";
inline constexpr std::string_view kKeyExternalInput = "EXTERNAL_INPUT";
inline constexpr std::string_view kKeyExternalOutput = "EXTERNAL_OUTPUT";
inline constexpr std::string_view kKeyErrorProgram = "ERROR_PRGM";
inline constexpr std::string_view kKeyDownloadStopPrograms = "DOWNLOAD_STOP_PROGRAMS";
inline constexpr std::string_view kKeyDriveProject = "DRIVE_PROJECT";
inline constexpr std::string_view kKeyDriveStartup = "DRIVE_STARTUP";
inline constexpr std::string_view kKeyDriveKernel = "DRIVE_KERNEL";
inline constexpr std::string_view kKeyKernelComPort = "KERNEL_COM_PORT";
inline constexpr std::string_view kKeyKernelParams = "KERNEL_PARAMS";
inline constexpr std::string_view kKeyDownloadSources = "DOWNLOAD_SRC";
inline constexpr std::string_view kKeyDownloadNewDrivers = "DOWNLOAD_NEWDRIVERS";

// Bits of "RUN_MODE".
inline constexpr int kRunModeAutostart = 1;
inline constexpr int kRunModeRunStopInput = 2;
inline constexpr int kRunModeResetPrograms = 4;
inline constexpr int kRunModeResetOutputs = 8;
inline constexpr int kRunModeErrorOutput = 16;
inline constexpr int kDefaultRunMode = kRunModeResetPrograms | kRunModeResetOutputs;

inline constexpr std::string_view kDefaultOperand = "0.0";
inline constexpr int kMaxErrorProgram = 63;

struct ControllerSettingsValues {
  int runMode = kDefaultRunMode;
  std::string externalInput{kDefaultOperand};   // run/stop input "word.bit"
  std::string externalOutput{kDefaultOperand};  // error output "word.bit"
  int errorProgram = 0;
  bool downloadStopPrograms = false;
  std::string driveProject;
  std::string driveStartup;
  std::string driveKernel;
  std::string kernelComPort;
  std::string kernelParams;
  std::string password;
  bool downloadSources = false;
  bool downloadNewDrivers = true;
  bool operator==(const ControllerSettingsValues&) const = default;
};

class ControllerSettings {
 public:
  explicit ControllerSettings(ProjectFile file) : m_file(std::move(file)) {}

  std::string type() const { return m_file.target(); }
  std::string section() const;  // "VM1X_SETTINGS"

  int runMode() const;
  bool setRunMode(int runMode) const;
  std::string externalInput() const;
  bool setExternalInput(std::string_view operand) const;
  std::string externalOutput() const;
  bool setExternalOutput(std::string_view operand) const;
  int errorProgram() const;
  bool setErrorProgram(int number) const;
  bool downloadStopPrograms() const;
  bool setDownloadStopPrograms(bool on) const;
  std::string driveProject() const;
  bool setDriveProject(std::string_view drive) const;
  std::string driveStartup() const;
  bool setDriveStartup(std::string_view drive) const;
  std::string driveKernel() const;
  bool setDriveKernel(std::string_view drive) const;
  std::string kernelComPort() const;
  bool setKernelComPort(std::string_view port) const;
  std::string kernelParams() const;
  bool setKernelParams(std::string_view params) const;
  std::string password() const;
  bool setPassword(std::string_view password) const;
  bool downloadSources() const;
  bool setDownloadSources(bool on) const;
  bool downloadNewDrivers() const;
  bool setDownloadNewDrivers(bool on) const;

  ControllerSettingsValues read() const;
  // Writes each value of `edited` that differs from `read` (texts without regard to
  // case, the password exactly) and then, if anything was written, the project's time
  // stamp, so the next build knows its run file is out of date. True when written.
  bool apply(const ControllerSettingsValues& read, const ControllerSettingsValues& edited) const;

 private:
  std::string get(std::string_view key) const;
  bool set(std::string_view key, std::string_view value) const;
  std::string textOr(std::string_view key, std::string_view def) const;

  ProjectFile m_file;
};

}  // namespace zel::app
