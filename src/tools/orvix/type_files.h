#pragma once
// Which version-3 files serve which controller type, and the type a version-3 project
// is for. Version 3 kept one family of files per controller family: VM1X and VM2X
// share one, RUD and RUD2 another, VM0X has its own.

#include <array>
#include <filesystem>
#include <string_view>

#include "app/project/controller_type.h"

namespace zel::orvix {

struct TypeFiles {
  std::string_view ioConfiguration;  // "eacfg.*"
  std::string_view comPort;          // "*comp.cfg"
  std::string_view drives;           // "destdrv*.cfg"
  std::string_view drivers;          // "drivers.*"
  std::string_view driverOptions;    // "driver*.dat"
  std::size_t downloadSourceByte;    // index into "ldsrcyn.cfg"
};

const TypeFiles& FilesFor(app::ControllerType type);
// Every family once, for taking all of them off the file list.
const std::array<TypeFiles, 3>& AllTypeFiles();

// VM1X when "eacfg.kzc" exists, else RUD for "eacfg.rud", else VM0X for "eacfg.vm0",
// else VM1X. Names are found without regard to case.
app::ControllerType DetectControllerType(const std::filesystem::path& v3ProjectDir);

}  // namespace zel::orvix
