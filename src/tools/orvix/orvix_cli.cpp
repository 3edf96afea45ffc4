#include "tools/orvix/orvix_cli.h"

#include <map>
#include <optional>

#include "platform/code_page.h"
#include "platform/no_case.h"
#include "platform/timebase.h"
#include "tools/orvix/conversion.h"
#include "tools/orvix/orvix_messages.h"
#include "tools/orvix/v3_installation.h"

namespace zel::orvix {

namespace {

constexpr std::string_view kUsage =
    "usage: orvix --from DIR [--project NAME]... [--type NAME=TYPE]... [--workdir DIR]";

struct Options {
  std::filesystem::path from;
  std::filesystem::path workDir;
  std::vector<std::string> projects;
  std::vector<std::pair<std::string, app::ControllerType>> types;
};

std::optional<app::ControllerType> TypeOf(std::string_view text) {
  if (auto type = app::ParseControllerType(text)) return type;
  return app::ControllerTypeFromLabel(text);
}

// nullopt (and the reason on the console) for a command line that cannot be read.
std::optional<Options> Parse(const std::vector<std::string>& args,
                             const std::filesystem::path& workingDir, std::ostream& console) {
  Options options;
  options.workDir = workingDir;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (i + 1 >= args.size()) {
      console << kUsage << "\n";
      return std::nullopt;
    }
    const std::string& value = args[++i];
    if (arg == "--from") {
      options.from = value;
    } else if (arg == "--workdir") {
      options.workDir = value;
    } else if (arg == "--project") {
      options.projects.push_back(value);
    } else if (arg == "--type") {
      const auto eq = value.find('=');
      const auto type = eq == std::string::npos ? std::nullopt : TypeOf(value.substr(eq + 1));
      if (!type) {
        console << OneLine(Format(kMsgUnknownType, value)) << "\n";
        return std::nullopt;
      }
      options.types.emplace_back(value.substr(0, eq), *type);
    } else {
      console << kUsage << "\n";
      return std::nullopt;
    }
  }
  if (options.from.empty()) {
    console << kUsage << "\n";
    return std::nullopt;
  }
  return options;
}

void Report(std::ostream& console, std::string_view project, std::string_view text) {
  console << platform::Cp1252ToUtf8(project) << ": " << platform::Cp1252ToUtf8(OneLine(text))
          << "\n";
}

}  // namespace

std::string OneLine(std::string_view message) {
  std::string out;
  for (std::size_t i = 0; i < message.size(); ++i) {
    if (message[i] != '\n') {
      out += message[i];
      continue;
    }
    while (i + 1 < message.size() && message[i + 1] == '\n') ++i;
    out += ' ';
  }
  return out;
}

int RunCommandLine(const std::vector<std::string>& args, const std::filesystem::path& workingDir,
                   std::ostream& console) {
  const auto options = Parse(args, workingDir, console);
  if (!options) return 2;
  const auto newProjects = NewProjectDirectory(options->workDir);
  if (!newProjects) {
    console << OneLine(kMsgNoVersion4) << "\n";
    return 1;
  }
  const ConversionSetup setup{options->workDir, *newProjects, ProjectsDirectory(options->from)};
  const auto list = LoadProjectList(setup.v3ProjectsDirectory);
  if (!list) {
    console << OneLine(Format(kMsgNoProjectList, setup.v3ProjectsDirectory.string())) << "\n";
    return 1;
  }

  bool allConverted = true;
  std::vector<V3Project> chosen;
  if (options->projects.empty()) {
    for (const auto& entry : *list) {
      if (!entry.name.empty()) chosen.push_back({entry.name, entry.comment});
    }
  } else {
    for (const std::string& name : options->projects) {
      const std::string stored = platform::Utf8ToCp1252(name);
      const auto it = std::find_if(list->begin(), list->end(), [&](const auto& entry) {
        return platform::EqualsNoCase(entry.name, stored);
      });
      if (it == list->end()) {
        Report(console, stored, Format(kMsgNotListed, stored));
        allConverted = false;
      } else {
        chosen.push_back({it->name, it->comment});
      }
    }
  }

  const TypeChooser chooseType = [&](const V3Project& project, app::ControllerType detected) {
    for (const auto& [name, type] : options->types) {
      if (platform::EqualsNoCase(platform::Utf8ToCp1252(name), project.name)) return type;
    }
    return detected;
  };
  for (std::size_t i = 0; i < chosen.size(); ++i) {
    const V3Project& project = chosen[i];
    if (i >= kMaxSelectedProjects) {
      Report(console, project.name, Format(kMsgTooManyProjects, project.name));
      allConverted = false;
      continue;
    }
    const ConversionResult result = ConvertProject(setup, project, chooseType, platform::Now());
    for (const std::string& note : result.notes) Report(console, project.name, note);
    if (result.outcome == ConversionOutcome::Converted) {
      Report(console, project.name, "converted (" + result.type + ")");
    } else {
      Report(console, project.name, result.message);
      allConverted = false;
    }
  }
  return allConverted ? 0 : 1;
}

}  // namespace zel::orvix
