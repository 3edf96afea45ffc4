#include "library/io_module_list.h"

#include "library/runtime_folder.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/no_case.h"

namespace zel::library {

const IoModuleScript* IoModuleList::find(std::string_view fileName) const {
  for (const auto& module : m_modules)
    if (platform::EqualsNoCase(module.fileName, fileName)) return &module;
  return nullptr;
}

IoModuleList LoadIoModulesFrom(const std::filesystem::path& folder) {
  std::vector<IoModuleScript> modules;
  const auto resolved = platform::FindPathNoCase(folder);
  if (!resolved) return IoModuleList{};
  for (const auto& file : platform::ListDirectory(*resolved, "*.iod")) {
    if (file.isDirectory) continue;
    const auto path = *resolved / file.name;
    const auto text = platform::ReadWholeFile(path);
    if (!text) {
      platform::ShowMessageBox("'" + path.string() + "'\n\nFailed to open the file.",
                               platform::Buttons::Ok, platform::Icon::Error);
      continue;
    }
    auto module = ParseIoModuleScript(*text, file.name);
    if (!module) {
      platform::ShowMessageBox("'" + path.string() + "'\n\nInvalid IOD file format.",
                               platform::Buttons::Ok, platform::Icon::Error);
      continue;
    }
    modules.push_back(std::move(*module));
  }
  return IoModuleList(std::move(modules));
}

IoModuleList LoadIoModules(const std::filesystem::path& programDirectory, std::string_view type) {
  return LoadIoModulesFrom(RuntimeDirectory(programDirectory, type));
}

}  // namespace zel::library
