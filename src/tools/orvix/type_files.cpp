#include "tools/orvix/type_files.h"

#include "platform/files.h"

namespace zel::orvix {

namespace {

constexpr std::array<TypeFiles, 3> kFamilies{{
    {"eacfg.kzc", "vm1xcomp.cfg", "destdrv.cfg", "drivers.kzc", "driver.dat", 0},
    {"eacfg.rud", "rudcomp.cfg", "destdrvr.cfg", "drivers.rud", "driverru.dat", 1},
    {"eacfg.vm0", "vm0xcomp.cfg", "destdrvv.cfg", "drivers.vm0", "driverv0.dat", 2},
}};

}  // namespace

const TypeFiles& FilesFor(app::ControllerType type) {
  switch (type) {
    case app::ControllerType::Rud:
    case app::ControllerType::Rud2:
      return kFamilies[1];
    case app::ControllerType::Vm0x:
      return kFamilies[2];
    case app::ControllerType::Vm1x:
    case app::ControllerType::Vm2x:
      break;
  }
  return kFamilies[0];
}

const std::array<TypeFiles, 3>& AllTypeFiles() {
  return kFamilies;
}

app::ControllerType DetectControllerType(const std::filesystem::path& v3ProjectDir) {
  struct Rule {
    std::string_view file;
    app::ControllerType type;
  };
  constexpr std::array<Rule, 3> kRules{{
      {"eacfg.kzc", app::ControllerType::Vm1x},
      {"eacfg.rud", app::ControllerType::Rud},
      {"eacfg.vm0", app::ControllerType::Vm0x},
  }};
  for (const Rule& rule : kRules) {
    if (platform::PathExistsNoCase(v3ProjectDir / rule.file)) return rule.type;
  }
  return app::ControllerType::Vm1x;
}

}  // namespace zel::orvix
