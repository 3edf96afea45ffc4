#include "app/project/controller_type.h"

#include "platform/no_case.h"

namespace zel::app {

namespace {

// Drives are project file / start-up batch / kernel; the last column is the
// controller's own CI port.
constexpr std::array<ControllerTypeInfo, 5> kTypes{{
    {ControllerType::Rud, "RUD", "RUD Compact", 'B', 'B', 'A', '0'},
    {ControllerType::Rud2, "RUD2", "RUD Standard", 'B', 'B', 'A', '0'},
    {ControllerType::Vm0x, "VM0X", "VM0X", 'B', 'B', 'A', '0'},
    {ControllerType::Vm1x, "VM1X", "VM1X", 'C', 'C', 'A', '1'},
    {ControllerType::Vm2x, "VM2X", "VM2X", 'C', 'C', 'C', '1'},
}};

// What a type this program does not know gets: the newest family's defaults.
constexpr ControllerTypeInfo kUnknownTypeDefaults{ControllerType::Vm2x, "", "", 'C', 'C', 'C', '1'};

}  // namespace

const std::array<ControllerTypeInfo, 5>& ControllerTypes() {
  return kTypes;
}

std::optional<ControllerType> ParseControllerType(std::string_view name) {
  for (const auto& info : kTypes) {
    if (platform::EqualsNoCase(info.name, name)) return info.type;
  }
  return std::nullopt;
}

std::optional<ControllerType> ControllerTypeFromLabel(std::string_view label) {
  for (const auto& info : kTypes) {
    if (platform::EqualsNoCase(info.label, label)) return info.type;
  }
  return std::nullopt;
}

const ControllerTypeInfo& Info(ControllerType type) {
  for (const auto& info : kTypes) {
    if (info.type == type) return info;
  }
  return kTypes.back();  // unreachable: every enumerator has a row
}

std::string TypeLabel(std::string_view name) {
  if (auto type = ParseControllerType(name)) return std::string(Info(*type).label);
  return std::string(name);
}

ControllerTypeInfo DefaultsFor(std::string_view name) {
  if (auto type = ParseControllerType(name)) return Info(*type);
  return kUnknownTypeDefaults;
}

}  // namespace zel::app
