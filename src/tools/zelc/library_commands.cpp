// The run-time library from the command line: list a type's driver or IO module scripts,
// install, remove and extract them. Questions (overwrite, delete) go to --yes/--no.

#include <memory>
#include <optional>
#include <string>

#include "app/preferences/preferences.h"
#include "app/project/controller_type.h"
#include "app/text/text_format.h"
#include "library/driver_install.h"
#include "library/driver_list.h"
#include "library/io_module_install.h"
#include "library/library_messages.h"
#include "library/io_module_list.h"
#include "library/runtime_folder.h"
#include "platform/message_box.h"
#include "platform/no_case.h"
#include "tools/zelc/commands.h"
#include "tools/zelc/terminal_text.h"
#include "tools/zelc/workspace.h"

namespace zel::zelc {

namespace {

// The stored type name of a name or label given on the command line.
std::optional<std::string> TypeName(std::string_view given) {
  auto type = app::ParseControllerType(given);
  if (!type) type = app::ControllerTypeFromLabel(given);
  if (!type) {
    ReportError("Unknown controller type '" + std::string(given) +
                "'. Use RUD Compact, RUD Standard, VM0X, VM1X or VM2X.");
    return std::nullopt;
  }
  return std::string(app::Info(*type).name);
}

std::optional<library::LibraryPlace> PlaceFor(const GlobalOptions& options, std::string_view type) {
  const auto name = TypeName(type);
  if (!name) return std::nullopt;
  const app::Preferences preferences(options.workDir);
  library::LibraryPlace place;
  place.programDirectory = preferences.programDirectory();
  place.type = *name;
  place.projectDirectory = preferences.projectDirectory();
  return place;
}

int StatusOf(library::LibraryResult result) {
  return result == library::LibraryResult::Done ? 0 : kFailed;
}

// IO module scripts are named with their extension; anything else names a driver.
bool IsIoModuleName(const std::filesystem::path& name) {
  return platform::EqualsNoCase(name.extension().string(), library::kIoScriptExtension);
}

struct LibraryArgs {
  std::string type;
  bool drivers = false;
  bool io = false;
  std::string file;
  std::string name;
  std::string destination;
};

int ListLibrary(const GlobalOptions& options, std::ostream& out, const LibraryArgs& args) {
  const auto place = PlaceFor(options, args.type);
  if (!place) return kFailed;
  if (args.io) {
    const auto modules = library::LoadIoModules(place->programDirectory, place->type);
    for (const auto& module : modules.modules()) {
      out << Field(module.displayName) << '\t' << Field(module.fileName) << '\t' << module.in
          << '\t' << module.out << '\t' << module.iwSize << '\t' << module.owSize << '\t'
          << library::ListSwitchPositionsHex(module) << '\n';
    }
    return 0;
  }
  library::DriverList drivers;
  drivers.load(place->programDirectory, place->type);
  for (const auto& driver : drivers.drivers()) {
    out << Field(driver.name) << '\t' << driver.number << '\t' << Field(driver.uses) << '\t'
        << Field(driver.description) << '\n';
  }
  return 0;
}

int InstallCommand(const GlobalOptions& options, const LibraryArgs& args) {
  const auto place = PlaceFor(options, args.type);
  if (!place) return kFailed;
  if (IsIoModuleName(args.file)) {
    return library::InstallIoModule(place->programDirectory, place->type, args.file) ? 0 : kFailed;
  }
  return StatusOf(library::InstallDriver(args.file, *place));
}

// The driver `name` as installed, told to the user when there is none.
bool IsInstalled(const library::LibraryPlace& place, std::string_view name) {
  library::DriverList drivers;
  drivers.load(place.programDirectory, place.type);
  if (drivers.find(name)) return true;
  platform::ShowMessageBox(app::FillText(library::kMsgUnknownDriver, name), platform::Buttons::Ok,
                           platform::Icon::Warning);
  return false;
}

int RemoveCommand(const GlobalOptions& options, const LibraryArgs& args) {
  const auto place = PlaceFor(options, args.type);
  if (!place) return kFailed;
  if (IsIoModuleName(args.name)) {
    return library::DeinstallIoModule(place->programDirectory, place->type, args.name) ? 0
                                                                                       : kFailed;
  }
  if (!IsInstalled(*place, args.name)) return kFailed;
  return StatusOf(library::DeinstallDriver(args.name, *place));
}

int ExtractCommand(const GlobalOptions& options, const LibraryArgs& args) {
  const auto place = PlaceFor(options, args.type);
  if (!place) return kFailed;
  if (IsIoModuleName(args.name)) {
    return library::ExtractIoModule(place->programDirectory, place->type, args.name,
                                    args.destination)
               ? 0
               : kFailed;
  }
  if (!IsInstalled(*place, args.name)) return kFailed;
  return StatusOf(library::ExtractDriver(args.name, args.destination, *place));
}

}  // namespace

void AddLibraryCommands(CLI::App& app, CommandAction& chosen) {
  auto args = std::make_shared<LibraryArgs>();
  const char* typeHelp = "Controller type (VM1X, RUD Compact, ...)";

  auto* list = app.add_subcommand("library", "List the run-time library of a controller type");
  list->add_option("-t,--type", args->type, typeHelp)->required();
  auto* drivers = list->add_flag("--drivers", args->drivers, "The driver scripts (the default)");
  list->add_flag("--io", args->io, "The IO module scripts")->excludes(drivers);
  WhenChosen(list, chosen, [args](const GlobalOptions& o, std::ostream& out) {
    return ListLibrary(o, out, *args);
  });

  auto* install =
      app.add_subcommand("library-install", "Install a driver (.dmk) or IO module script (.iod)");
  install->add_option("-t,--type", args->type, typeHelp)->required();
  install->add_option("file", args->file, "The script")->required();
  WhenChosen(install, chosen,
             [args](const GlobalOptions& o, std::ostream&) { return InstallCommand(o, *args); });

  auto* remove = app.add_subcommand(
      "library-remove", "Remove an installed driver, or an IO module script (NAME.iod)");
  remove->add_option("-t,--type", args->type, typeHelp)->required();
  remove->add_option("name", args->name, "The driver's name, or the IO module's file name")
      ->required();
  WhenChosen(remove, chosen,
             [args](const GlobalOptions& o, std::ostream&) { return RemoveCommand(o, *args); });

  auto* extract = app.add_subcommand(
      "library-extract", "Copy an installed driver and its files, or an IO module script, out");
  extract->add_option("-t,--type", args->type, typeHelp)->required();
  extract->add_option("name", args->name, "The driver's name")->required();
  extract->add_option("destination", args->destination, "The script's new path (same extension)")
      ->required();
  WhenChosen(extract, chosen,
             [args](const GlobalOptions& o, std::ostream&) { return ExtractCommand(o, *args); });
}

}  // namespace zel::zelc
