// The IO configuration: version-3 module names become the file names of the IO module
// scripts that declare them as their version-3 name.

#include <array>

#include "library/io_module_list.h"
#include "platform/no_case.h"
#include "tools/orvix/conversion_state.h"
#include "tools/orvix/type_files.h"
#include "tools/orvix/v3_records.h"

namespace zel::orvix {

namespace {

// The scan tables of version 3; the build makes them anew.
constexpr std::array<std::string_view, 6> kScanFiles = {
    "input.scn", "output.scn", "inputrud.scn", "outputru.scn", "inputvm0.scn", "outputv0.scn",
};

std::string OrZero(std::string text) {
  return text.empty() ? "0" : text;
}

std::string ScriptFor(const library::IoModuleList& scripts, const std::string& name) {
  for (const auto& script : scripts.modules()) {
    if (script.version3Name && platform::EqualsNoCase(*script.version3Name, name)) {
      return script.fileName;
    }
  }
  return name;
}

}  // namespace

void ConvertIoConfiguration(ConversionState& state) {
  const auto data = state.readSource(FilesFor(state.type).ioConfiguration);
  for (const auto& family : AllTypeFiles()) state.files.take(family.ioConfiguration);
  for (std::string_view scan : kScanFiles) state.files.take(scan);
  if (!data) return;
  const auto scripts = library::LoadIoModules(state.programDirectory, state.typeName);
  const std::string section = state.typeName + "_IO";
  int written = 0;
  for (IoRecord& record : ReadIoConfiguration(*data)) {
    if (record.module.empty()) continue;
    const std::string value = ScriptFor(scripts, record.module) + "," +
                              OrZero(std::move(record.switchPosition)) + "," +
                              OrZero(std::move(record.iw)) + "," + OrZero(std::move(record.ow));
    state.projectFile.set(section, "IO_" + std::to_string(written++), value);
  }
}

}  // namespace zel::orvix
