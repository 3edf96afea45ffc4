#pragma once
// The subcommands of zelc. Each group registers its subcommands on the CLI11 application
// and hands back what to run once the command line has been parsed.

#include <CLI/CLI.hpp>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

namespace zel::zelc {

// Exit statuses besides 0 (success).
inline constexpr int kFailed = 1;      // the operation failed or the user declined
inline constexpr int kUsageError = 2;  // the command line itself was wrong

// Options every command shares.
struct GlobalOptions {
  std::filesystem::path workDir = ".";
};

// The module name (CZ0P05V1) of a module given with or without its file extension.
std::string ModuleNameOf(std::string_view file);

// Runs the chosen subcommand; returns the exit status.
using CommandAction = std::function<int(const GlobalOptions&, std::ostream&)>;

// Makes `action` the one to run when `sub` is the subcommand given.
void WhenChosen(CLI::App* sub, CommandAction& chosen, CommandAction action);

// Each adds its subcommands; when one of them is chosen on the command line, `chosen` is
// set to its action by a parse callback.
void AddProjectCommands(CLI::App& app, CommandAction& chosen);
void AddModuleCommands(CLI::App& app, CommandAction& chosen);
void AddSettingsCommands(CLI::App& app, CommandAction& chosen);
void AddOperandCommands(CLI::App& app, CommandAction& chosen);
void AddAllocationCommands(CLI::App& app, CommandAction& chosen);
void AddCheckCommands(CLI::App& app, CommandAction& chosen);
void AddCompileCommands(CLI::App& app, CommandAction& chosen);
void AddStlTextCommands(CLI::App& app, CommandAction& chosen);
void AddLibraryCommands(CLI::App& app, CommandAction& chosen);
void AddDriverCommands(CLI::App& app, CommandAction& chosen);
void AddIoCommands(CLI::App& app, CommandAction& chosen);
void AddControllerCommands(CLI::App& app, CommandAction& chosen);
void AddToolCommands(CLI::App& app, CommandAction& chosen);
void AddBuildCommands(CLI::App& app, CommandAction& chosen);
void AddRunFileCommands(CLI::App& app, CommandAction& chosen);
void AddModuleImportCommands(CLI::App& app, CommandAction& chosen);
void AddPrintCommands(CLI::App& app, CommandAction& chosen);
void AddArchiveCommands(CLI::App& app, CommandAction& chosen);

}  // namespace zel::zelc
