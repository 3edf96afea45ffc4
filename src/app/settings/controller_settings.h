#pragma once
// A project's controller settings: how the controller runs the project once loaded.
// They lie in the project file's section "<type>_SETTINGS", so each controller type
// keeps its own, except "PASSWORD" (section "PROJECT"), which all types share. Nothing is
// cached: the type and every value are read from the file when asked for. What each key
// holds, defaults to and accepts is the schema's (settings_schema.h).

#include <string>
#include <string_view>

#include "app/project/project_file.h"
#include "app/settings/settings_schema.h"

namespace zel::app {

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
  // The key's value with its default applied, as ControllerSettingsValues holds it.
  template <class Member>
  Member value(std::string_view key) const;
  template <class Member>
  bool setValue(std::string_view key, Member value) const;
  static std::string sectionOf(const SettingKey& key, std::string_view type);
  void load(const SettingKey& key, std::string_view type, ControllerSettingsValues& into) const;
  bool store(const SettingKey& key, const ControllerSettingsValues& values) const;

  ProjectFile m_file;
};

}  // namespace zel::app
