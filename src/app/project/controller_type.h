#pragma once
// The five controller types. A project's type ("TARGET") is kept as the text stored in
// the project file, since a file may name a type this program does not know; these
// helpers give the table's facts for the known ones and the fallbacks for any other.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zel::app {

enum class ControllerType { Rud, Rud2, Vm0x, Vm1x, Vm2x };

struct ControllerTypeInfo {
  ControllerType type;
  std::string_view name;   // stored in "TARGET", compared without regard to case
  std::string_view label;  // shown to the user
  char driveProject;       // controller settings defaults
  char driveStartup;
  char driveKernel;
  char kernelComPort;
};

// In the order lists offer them: "RUD Compact", "RUD Standard", "VM0X", "VM1X", "VM2X".
const std::array<ControllerTypeInfo, 5>& ControllerTypes();

std::optional<ControllerType> ParseControllerType(std::string_view name);  // name, any case
std::optional<ControllerType> ControllerTypeFromLabel(std::string_view label);
const ControllerTypeInfo& Info(ControllerType type);
// The label for a stored name: "RUD Compact" for RUD, "RUD Standard" for RUD2, otherwise
// the name itself.
std::string TypeLabel(std::string_view name);
// The defaults for a stored name; any unknown name gets C/C/C and port 1.
ControllerTypeInfo DefaultsFor(std::string_view name);

inline constexpr std::string_view kNewProjectType = "VM1X";

}  // namespace zel::app
