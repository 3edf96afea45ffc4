#include "app/preferences/communication_settings.h"

#include "app/text/field_scanner.h"
#include "platform/no_case.h"

namespace zel::app {

namespace {

// The project's own value of a key, when it holds a non-empty one.
std::optional<std::string> ProjectValue(const ProjectFile* project, std::string_view key) {
  if (project == nullptr) return std::nullopt;
  std::string value = project->read(kSectionPreferences, key);
  if (value.empty()) return std::nullopt;
  return value;
}

}  // namespace

CommunicationSettings ReadCommunicationSettings(const Preferences& preferences,
                                                const ProjectFile* openProject) {
  CommunicationSettings s;
  if (auto v = ProjectValue(openProject, kKeyCiMethod)) {
    // As the profile functions read numbers: the leading number, 0 when there is none.
    s.values.method = LeadingIntOr(*v, 0);
    s.methodFromProject = true;
  } else {
    s.values.method = preferences.ciMethod();
  }
  if (auto v = ProjectValue(openProject, kKeyComCiPort)) {
    s.values.port = std::move(*v);
    s.portFromProject = true;
  } else {
    s.values.port = preferences.comCiPort();
  }
  if (auto v = ProjectValue(openProject, kKeyComCiBaudRate)) {
    s.values.baudRate = LeadingIntOr(*v, 0);
    s.baudRateFromProject = true;
  } else {
    s.values.baudRate = preferences.comCiBaudRate();
  }
  if (auto v = ProjectValue(openProject, kKeyIpCiAddress)) {
    s.values.address = std::move(*v);
    s.addressFromProject = true;
  } else {
    s.values.address = preferences.ipCiAddress();
  }
  return s;
}

std::string ConnectionString(const CommunicationValues& values) {
  if (values.method == kCiMethodSerial) {
    return values.port + " " + std::to_string(values.baudRate);
  }
  if (values.method == kCiMethodTcpip) return "TCPIP " + values.address;
  return {};
}

bool CommunicationChanged(const CommunicationValues& before, const CommunicationValues& after) {
  return before.method != after.method || !platform::EqualsNoCase(before.port, after.port) ||
         before.baudRate != after.baudRate || before.address != after.address;
}

bool ApplyCommunicationValues(const Preferences& preferences, const ProjectFile* openProject,
                              const CommunicationValues& before, const CommunicationValues& edited,
                              bool saveInProject) {
  if (saveInProject && openProject != nullptr) {
    openProject->write(kSectionPreferences, kKeyCiMethod,
                       edited.method == kCiMethodTcpip ? "1" : "0");
    openProject->write(kSectionPreferences, kKeyComCiPort, edited.port);
    openProject->write(kSectionPreferences, kKeyComCiBaudRate, std::to_string(edited.baudRate));
    openProject->write(kSectionPreferences, kKeyIpCiAddress, edited.address);
  } else {
    preferences.setCiMethod(edited.method);
    preferences.setComCiPort(edited.port);
    preferences.setComCiBaudRate(edited.baudRate);
    preferences.setIpCiAddress(edited.address);
    if (openProject != nullptr) {
      for (const auto key : {kKeyCiMethod, kKeyComCiPort, kKeyComCiBaudRate, kKeyIpCiAddress}) {
        openProject->removeKey(kSectionPreferences, key);
      }
    }
  }
  return CommunicationChanged(before, edited);
}

}  // namespace zel::app
