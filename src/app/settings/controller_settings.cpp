#include "app/settings/controller_settings.h"

#include <functional>

#include "app/project/controller_type.h"
#include "app/text/field_scanner.h"
#include "platform/no_case.h"
#include "platform/timebase.h"

namespace zel::app {

namespace {

constexpr std::string_view kSettingsSuffix = "_SETTINGS";

const char* Flag(bool on) {
  return on ? "1" : "0";
}

// The download options are off unless a value is there that does not start with "0".
bool OnUnlessZero(const std::string& value) {
  return !value.empty() && value.front() != '0';
}

std::string Letter(char c) {
  return std::string(1, c);
}

}  // namespace

std::string ControllerSettings::section() const {
  return type() + std::string(kSettingsSuffix);
}

std::string ControllerSettings::get(std::string_view key) const {
  return m_file.read(section(), key);
}

bool ControllerSettings::set(std::string_view key, std::string_view value) const {
  return m_file.write(section(), key, value);
}

std::string ControllerSettings::textOr(std::string_view key, std::string_view def) const {
  std::string value = get(key);
  return value.empty() ? std::string(def) : value;
}

int ControllerSettings::runMode() const {
  return LeadingIntOr(get(kKeyRunMode), kDefaultRunMode);
}

bool ControllerSettings::setRunMode(int runMode) const {
  return set(kKeyRunMode, std::to_string(runMode));
}

std::string ControllerSettings::externalInput() const {
  return textOr(kKeyExternalInput, kDefaultOperand);
}

bool ControllerSettings::setExternalInput(std::string_view operand) const {
  return set(kKeyExternalInput, operand);
}

std::string ControllerSettings::externalOutput() const {
  return textOr(kKeyExternalOutput, kDefaultOperand);
}

bool ControllerSettings::setExternalOutput(std::string_view operand) const {
  return set(kKeyExternalOutput, operand);
}

int ControllerSettings::errorProgram() const {
  return LeadingIntOr(get(kKeyErrorProgram), 0);
}

bool ControllerSettings::setErrorProgram(int number) const {
  return set(kKeyErrorProgram, std::to_string(number));
}

bool ControllerSettings::downloadStopPrograms() const {
  return OnUnlessZero(get(kKeyDownloadStopPrograms));
}

bool ControllerSettings::setDownloadStopPrograms(bool on) const {
  return set(kKeyDownloadStopPrograms, Flag(on));
}

std::string ControllerSettings::driveProject() const {
  return textOr(kKeyDriveProject, Letter(DefaultsFor(type()).driveProject));
}

bool ControllerSettings::setDriveProject(std::string_view drive) const {
  return set(kKeyDriveProject, drive);
}

std::string ControllerSettings::driveStartup() const {
  return textOr(kKeyDriveStartup, Letter(DefaultsFor(type()).driveStartup));
}

bool ControllerSettings::setDriveStartup(std::string_view drive) const {
  return set(kKeyDriveStartup, drive);
}

std::string ControllerSettings::driveKernel() const {
  return textOr(kKeyDriveKernel, Letter(DefaultsFor(type()).driveKernel));
}

bool ControllerSettings::setDriveKernel(std::string_view drive) const {
  return set(kKeyDriveKernel, drive);
}

std::string ControllerSettings::kernelComPort() const {
  return textOr(kKeyKernelComPort, Letter(DefaultsFor(type()).kernelComPort));
}

bool ControllerSettings::setKernelComPort(std::string_view port) const {
  return set(kKeyKernelComPort, port);
}

std::string ControllerSettings::kernelParams() const {
  return get(kKeyKernelParams);
}

bool ControllerSettings::setKernelParams(std::string_view params) const {
  return set(kKeyKernelParams, params);
}

std::string ControllerSettings::password() const {
  return m_file.password();
}

bool ControllerSettings::setPassword(std::string_view password) const {
  return m_file.setPassword(password);
}

bool ControllerSettings::downloadSources() const {
  return OnUnlessZero(get(kKeyDownloadSources));
}

bool ControllerSettings::setDownloadSources(bool on) const {
  return set(kKeyDownloadSources, Flag(on));
}

// On unless a value is there that does not start with "1".
bool ControllerSettings::downloadNewDrivers() const {
  const std::string value = get(kKeyDownloadNewDrivers);
  return value.empty() || value.front() == '1';
}

bool ControllerSettings::setDownloadNewDrivers(bool on) const {
  return set(kKeyDownloadNewDrivers, Flag(on));
}

ControllerSettingsValues ControllerSettings::read() const {
  ControllerSettingsValues v;
  v.runMode = runMode();
  v.externalInput = externalInput();
  v.externalOutput = externalOutput();
  v.errorProgram = errorProgram();
  v.downloadStopPrograms = downloadStopPrograms();
  v.driveProject = driveProject();
  v.driveStartup = driveStartup();
  v.driveKernel = driveKernel();
  v.kernelComPort = kernelComPort();
  v.kernelParams = kernelParams();
  v.password = password();
  v.downloadSources = downloadSources();
  v.downloadNewDrivers = downloadNewDrivers();
  return v;
}

bool ControllerSettings::apply(const ControllerSettingsValues& read,
                               const ControllerSettingsValues& edited) const {
  bool written = false;
  const auto when = [&written](bool differs, const std::function<bool()>& write) {
    if (differs) {
      write();
      written = true;
    }
  };
  const auto text = [&](const std::string& before, const std::string& after,
                        bool (ControllerSettings::*setter)(std::string_view) const) {
    when(!platform::EqualsNoCase(before, after), [&] { return (this->*setter)(after); });
  };
  const auto flag = [&](bool before, bool after, bool (ControllerSettings::*setter)(bool) const) {
    when(before != after, [&] { return (this->*setter)(after); });
  };
  when(read.runMode != edited.runMode, [&] { return setRunMode(edited.runMode); });
  text(read.externalInput, edited.externalInput, &ControllerSettings::setExternalInput);
  text(read.externalOutput, edited.externalOutput, &ControllerSettings::setExternalOutput);
  when(read.errorProgram != edited.errorProgram,
       [&] { return setErrorProgram(edited.errorProgram); });
  flag(read.downloadStopPrograms, edited.downloadStopPrograms,
       &ControllerSettings::setDownloadStopPrograms);
  text(read.driveProject, edited.driveProject, &ControllerSettings::setDriveProject);
  text(read.driveStartup, edited.driveStartup, &ControllerSettings::setDriveStartup);
  text(read.driveKernel, edited.driveKernel, &ControllerSettings::setDriveKernel);
  text(read.kernelComPort, edited.kernelComPort, &ControllerSettings::setKernelComPort);
  text(read.kernelParams, edited.kernelParams, &ControllerSettings::setKernelParams);
  when(read.password != edited.password, [&] { return setPassword(edited.password); });
  flag(read.downloadSources, edited.downloadSources, &ControllerSettings::setDownloadSources);
  flag(read.downloadNewDrivers, edited.downloadNewDrivers,
       &ControllerSettings::setDownloadNewDrivers);
  if (written) m_file.setTimestamp(platform::Now());
  return written;
}

}  // namespace zel::app
