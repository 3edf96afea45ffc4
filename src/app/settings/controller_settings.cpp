#include "app/settings/controller_settings.h"

#include <variant>

#include "platform/timebase.h"

namespace zel::app {

namespace {

constexpr std::string_view kSettingsSuffix = "_SETTINGS";

using V = ControllerSettingsValues;

}  // namespace

std::string ControllerSettings::section() const {
  return type() + std::string(kSettingsSuffix);
}

std::string ControllerSettings::sectionOf(const SettingKey& key, std::string_view type) {
  return key.sharedByAllTypes ? std::string(kSectionProject)
                              : std::string(type) + std::string(kSettingsSuffix);
}

void ControllerSettings::load(const SettingKey& key, std::string_view type, V& into) const {
  ReadStoredSetting(key, m_file.read(sectionOf(key, type), key.name), type, into);
}

bool ControllerSettings::store(const SettingKey& key, const V& values) const {
  return m_file.write(sectionOf(key, type()), key.name, FormatSetting(key, values));
}

template <class Member>
Member ControllerSettings::value(std::string_view name) const {
  const SettingKey& key = SchemaKey(name);
  V values;
  load(key, type(), values);
  return values.*std::get<Member V::*>(key.field);
}

template <class Member>
bool ControllerSettings::setValue(std::string_view name, Member value) const {
  const SettingKey& key = SchemaKey(name);
  V values;
  values.*std::get<Member V::*>(key.field) = std::move(value);
  return store(key, values);
}

int ControllerSettings::runMode() const {
  return value<int>(kKeyRunMode);
}

bool ControllerSettings::setRunMode(int runMode) const {
  return setValue(kKeyRunMode, runMode);
}

std::string ControllerSettings::externalInput() const {
  return value<std::string>(kKeyExternalInput);
}

bool ControllerSettings::setExternalInput(std::string_view operand) const {
  return setValue(kKeyExternalInput, std::string(operand));
}

std::string ControllerSettings::externalOutput() const {
  return value<std::string>(kKeyExternalOutput);
}

bool ControllerSettings::setExternalOutput(std::string_view operand) const {
  return setValue(kKeyExternalOutput, std::string(operand));
}

int ControllerSettings::errorProgram() const {
  return value<int>(kKeyErrorProgram);
}

bool ControllerSettings::setErrorProgram(int number) const {
  return setValue(kKeyErrorProgram, number);
}

bool ControllerSettings::downloadStopPrograms() const {
  return value<bool>(kKeyDownloadStopPrograms);
}

bool ControllerSettings::setDownloadStopPrograms(bool on) const {
  return setValue(kKeyDownloadStopPrograms, on);
}

std::string ControllerSettings::driveProject() const {
  return value<std::string>(kKeyDriveProject);
}

bool ControllerSettings::setDriveProject(std::string_view drive) const {
  return setValue(kKeyDriveProject, std::string(drive));
}

std::string ControllerSettings::driveStartup() const {
  return value<std::string>(kKeyDriveStartup);
}

bool ControllerSettings::setDriveStartup(std::string_view drive) const {
  return setValue(kKeyDriveStartup, std::string(drive));
}

std::string ControllerSettings::driveKernel() const {
  return value<std::string>(kKeyDriveKernel);
}

bool ControllerSettings::setDriveKernel(std::string_view drive) const {
  return setValue(kKeyDriveKernel, std::string(drive));
}

std::string ControllerSettings::kernelComPort() const {
  return value<std::string>(kKeyKernelComPort);
}

bool ControllerSettings::setKernelComPort(std::string_view port) const {
  return setValue(kKeyKernelComPort, std::string(port));
}

std::string ControllerSettings::kernelParams() const {
  return value<std::string>(kKeyKernelParams);
}

bool ControllerSettings::setKernelParams(std::string_view params) const {
  return setValue(kKeyKernelParams, std::string(params));
}

std::string ControllerSettings::password() const {
  return value<std::string>(kKeyPassword);
}

bool ControllerSettings::setPassword(std::string_view password) const {
  return setValue(kKeyPassword, std::string(password));
}

bool ControllerSettings::downloadSources() const {
  return value<bool>(kKeyDownloadSources);
}

bool ControllerSettings::setDownloadSources(bool on) const {
  return setValue(kKeyDownloadSources, on);
}

bool ControllerSettings::downloadNewDrivers() const {
  return value<bool>(kKeyDownloadNewDrivers);
}

bool ControllerSettings::setDownloadNewDrivers(bool on) const {
  return setValue(kKeyDownloadNewDrivers, on);
}

ControllerSettingsValues ControllerSettings::read() const {
  const std::string controllerType = type();
  V values;
  for (const auto& key : SettingsSchema()) load(key, controllerType, values);
  return values;
}

bool ControllerSettings::apply(const V& read, const V& edited) const {
  bool written = false;
  for (const auto& key : SettingsSchema()) {
    if (!SettingDiffers(key, read, edited)) continue;
    store(key, edited);
    written = true;
  }
  if (written) m_file.setTimestamp(platform::Now());
  return written;
}

}  // namespace zel::app
