#pragma once
// How the program reaches the controller: serial line or network, with the four values
// that may stand in the open project's file and then win over the preferences file.

#include <string>
#include <string_view>

#include "app/preferences/preferences.h"
#include "app/project/project_file.h"

namespace zel::app {

// The four values as the preferences dialog shows and edits them.
struct CommunicationValues {
  int method = kCiMethodSerial;
  std::string port{kDefaultComPort};
  long baudRate = kDefaultBaudRate;
  std::string address{kDefaultIpAddress};
  bool operator==(const CommunicationValues&) const = default;
};

struct CommunicationSettings {
  CommunicationValues values;
  bool methodFromProject = false;
  bool portFromProject = false;
  bool baudRateFromProject = false;
  bool addressFromProject = false;

  bool anyFromProject() const {
    return methodFromProject || portFromProject || baudRateFromProject || addressFromProject;
  }
};

// `openProject` is the open project's file, or nullptr when no project is open. A value
// the project holds and that is not empty wins over the preferences file.
CommunicationSettings ReadCommunicationSettings(const Preferences& preferences,
                                                const ProjectFile* openProject);

// The text the controller access library connects with: "COM1 9600", "TCPIP 10.0.0.5",
// empty for a method it does not know.
std::string ConnectionString(const CommunicationValues& values);

// The preferences dialog's OK for the four values. With `saveInProject` and a project
// open they go into the project's section "PREFERENCES"; otherwise into the preferences
// file, and an open project loses its own copies. True when method, port (ignoring case),
// baud rate or address differ from `before`: the open connection must then be closed.
bool ApplyCommunicationValues(const Preferences& preferences, const ProjectFile* openProject,
                              const CommunicationValues& before, const CommunicationValues& edited,
                              bool saveInProject);

bool CommunicationChanged(const CommunicationValues& before, const CommunicationValues& after);

}  // namespace zel::app
