#pragma once
// The command line of kzcsim.

#include <optional>
#include <string>
#include <vector>

#include "tools/kzcsim/controller_config.h"
#include "tools/kzcsim/fault_plan.h"

namespace zel::kzcsim {

struct SimOptions {
  ControllerConfig controller;
  FaultOptions faults;
  bool serial = false;  // a pseudo-terminal; its path is the first line on stdout
  bool udp = true;      // off when only --serial is given
  std::string address = "127.0.0.1";
  int ciPort = 992;
  int tftpPort = 69;
  bool printPorts = false;  // "ci-port N" and "tftp-port N" on stdout once bound
  std::string logFile;      // "-" for stderr
  bool watchStdin = false;  // end when stdin reaches its end
  bool pace = false;        // serial output no faster than the line rate
  bool help = false;
};

struct OptionDefaults {
  std::optional<std::string> ciPort;    // ZEL_CI_PORT
  std::optional<std::string> tftpPort;  // ZEL_TFTP_PORT
};

// nullopt and `error` set when the command line is wrong.
std::optional<SimOptions> ParseOptions(const std::vector<std::string>& args,
                                       const OptionDefaults& defaults, std::string& error);
std::string Usage();

}  // namespace zel::kzcsim
