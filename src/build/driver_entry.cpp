#include "build/driver_entry.h"

#include "build/fieldbus_settings.h"
#include "library/driver_config.h"
#include "library/runtime_folder.h"

namespace zel::build {

namespace {

// The third file is still taken: the run file has a record type for it that readers
// accept, but the kernel links two, so the build must fail.
constexpr std::size_t kFilesToLinkRead = kMaxFilesToLink + 1;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Reads the numbered values of "LINK_LOAD" from 0 up to the first empty one (at most
// `limit`), each replaced.
template <typename Take>
void ReadNumbered(const library::DriverScript& script, std::string_view prefix, std::size_t limit,
                  Take take) {
  for (std::size_t n = 0; n < limit; ++n) {
    const std::string raw =
        script.value(library::kSectionLinkLoad, std::string(prefix) + std::to_string(n));
    if (raw.empty()) break;
    take(n, raw);
  }
}

void ReadLinkLoad(const library::DriverScript& script, const ReplacementTable& table,
                  DriverEntry& entry, BuildLog& log) {
  constexpr std::size_t kAll = static_cast<std::size_t>(-1);
  ReadNumbered(script, library::kKeyStartupLinePrefix, kAll, [&](std::size_t, const auto& raw) {
    entry.startupLines.push_back(ReplaceDriverText(raw, table, log).text);
  });
  ReadNumbered(script, library::kKeyExecBeforeLinkPrefix, kAll, [&](std::size_t, const auto& raw) {
    ReplacedText line = ReplaceDriverText(raw, table, log);
    entry.commands.push_back({std::move(line.text), line.complete});
  });
  const std::string errorFile =
      script.value(library::kSectionLinkLoad, library::kKeyExecBeforeLinkErrorFile);
  if (!errorFile.empty()) entry.commandErrorFile = ReplaceDriverText(errorFile, table, log).text;
  ReadNumbered(script, library::kKeyFileToLinkPrefix, kFilesToLinkRead,
               [&](std::size_t n, const auto& raw) {
                 entry.filesToLink.push_back(ReplaceDriverText(raw, table, log).text);
                 if (n >= kMaxFilesToLink) log.error("ERROR: Too many files to link\r\n");
               });
  ReadNumbered(script, library::kKeyFileToLoadPrefix, kAll, [&](std::size_t, const auto& raw) {
    const std::string line = ReplaceDriverText(raw, table, log).text;
    if (const std::optional<FileToLoad> file = SplitFileToLoad(line)) {
      entry.filesToLoad.push_back(*file);
    } else {
      log.error("ERROR: Invalid file to load [" + line + "] in driver " + entry.name + "\r\n");
    }
  });
  ReadNumbered(script, library::kKeySaveSourcePrefix, kAll, [&](std::size_t, const auto& raw) {
    entry.saveSources.push_back(ReplaceDriverText(raw, table, log).text);
  });
}

}  // namespace

std::optional<DriverEntry> IncludeDriver(std::string_view name, const DriverContext& context,
                                         RuntimeMode& mode, BuildLog& log) {
  log.print("include driver: " + std::string(name) + "\r\n");
  const std::filesystem::path path =
      library::DriverScriptPath(context.programDirectory, context.type, name);
  // A name is a script of the library folder, never a path out of it.
  std::optional<library::DriverScript> script;
  if (!name.empty() && name.find_first_of("/\\") == std::string_view::npos) {
    script = library::DriverScript::load(path);
  }
  if (!script) {
    log.error("ERROR: Driver script not found [" + path.string() + "]\r\n");
    return std::nullopt;
  }
  DriverEntry entry;
  entry.name = std::string(name);
  entry.number = script->info().number;
  entry.uses = script->value(library::kSectionDriver, library::kKeyUsesDriver, kUsesTextMax);
  const ReplacementTable table = MakeReplacementTable(context, *script);
  if (entry.number == library::kFieldbusDriverNumber) {
    ApplyFieldbusSettings(app::ProjectFile(context.projectFile),
                          library::DriverOptionsSectionName(context.type, name), mode, log);
  }
  ReadLinkLoad(*script, table, entry, log);
  return entry;
}

std::optional<FileToLoad> SplitFileToLoad(std::string_view line) {
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  std::size_t length = 0;
  while (length < line.size() && !IsBlank(line[length])) ++length;
  FileToLoad file{std::string(line.substr(0, length)), {}};
  line.remove_prefix(length);
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
  file.local = std::string(line);
  if (file.remote.empty() || file.local.empty()) return std::nullopt;
  return file;
}

std::string StartupText(const DriverEntry& driver) {
  std::string text;
  for (const std::string& line : driver.startupLines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace zel::build
