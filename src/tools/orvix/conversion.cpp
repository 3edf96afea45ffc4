#include "tools/orvix/conversion.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <system_error>

#include "app/project/project_file.h"
#include "platform/files.h"
#include "platform/no_case.h"
#include "tools/orvix/conversion_state.h"
#include "tools/orvix/orvix_messages.h"
#include "tools/orvix/safe_name.h"
#include "tools/orvix/type_files.h"

namespace zel::orvix {

namespace {

bool SameDirectory(const fs::path& a, const fs::path& b) {
  std::error_code error;
  if (fs::equivalent(a, b, error)) return true;
  const auto normal = [](const fs::path& p) {
    std::error_code e;
    std::string text = fs::absolute(p, e).lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
  };
  return platform::EqualsNoCase(normal(a), normal(b));
}

// A hidden directory beside the final one, so a project list never shows it.
std::optional<fs::path> MakeWorkDirectory(const fs::path& projectDirectory, std::string_view name) {
  std::random_device random;
  for (int attempt = 0; attempt < 16; ++attempt) {
    const fs::path dir =
        projectDirectory / ("." + std::string(name) + ".orvix-" + std::to_string(::getpid()) + "-" +
                            std::to_string(random() % 1000000));
    if (platform::CreateDirectoryAt(dir)) return dir;
    if (!fs::exists(dir)) return std::nullopt;
  }
  return std::nullopt;
}

// Moves the finished project into place without ever replacing a directory that
// appeared meanwhile.
bool PlaceProject(const fs::path& from, const fs::path& to) {
  return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
}

ConversionResult Skipped(std::string message) {
  return {ConversionOutcome::Skipped, std::move(message), {}, {}};
}

void RunSteps(ConversionState& state, const TypeChooser& chooseType, bool& cancelled) {
  state.files = FileList::of(state.source);
  TakeUncopiedFiles(state);
  WriteProjectIdentity(state);
  ConvertDocumentation(state);
  ConvertAllocationListFile(state);
  if (state.failed()) return;
  const auto chosen = chooseType(state.project, DetectControllerType(state.source));
  if (!chosen) {
    cancelled = true;
    return;
  }
  state.type = *chosen;
  state.typeName = std::string(app::Info(*chosen).name);
  using Step = void (*)(ConversionState&);
  constexpr Step kSteps[] = {
      WriteControllerType, ConvertIoConfiguration, WriteDefaultSettings, ConvertRunMode,
      ConvertComPort,      ConvertDownloadSources, ConvertDrives,        ConvertDrivers,
      ConvertPassword,     ConvertModules,         WriteWindows,
  };
  for (Step step : kSteps) {
    step(state);
    if (state.failed()) return;
  }
  // The project file goes first, so the copy of the remaining files sees its name taken.
  if (!state.writeTarget(app::kProjectFileName, state.projectFile.serialize())) return;
  CopyRemainingFiles(state);
}

}  // namespace

ConversionResult ConvertProject(const ConversionSetup& setup, const V3Project& project,
                                const TypeChooser& chooseType, std::int64_t now) {
  if (!IsSafeV3Name(project.name)) return Skipped(Format(kMsgUnsafeName, project.name));
  const fs::path v3Dir = platform::FindPathNoCase(setup.v3ProjectsDirectory / project.name)
                             .value_or(setup.v3ProjectsDirectory / project.name);
  const fs::path newDir = setup.projectDirectory / project.name;
  if (!platform::IsDirectoryNoCase(v3Dir)) return Skipped(Format(kMsgNoV3Project, v3Dir.string()));
  if (SameDirectory(v3Dir, newDir)) return Skipped(std::string(kMsgSameDirectories));
  if (platform::PathExistsNoCase(newDir)) return Skipped(std::string(kMsgProjectExists));
  const auto work = MakeWorkDirectory(setup.projectDirectory, project.name);
  if (!work) return Skipped(std::string(kMsgCannotCreateDirectory));

  ConversionState state;
  state.source = v3Dir;
  state.target = *work;
  state.programDirectory = setup.programDirectory;
  state.project = project;
  state.now = now;
  bool cancelled = false;
  RunSteps(state, chooseType, cancelled);
  if (!cancelled && !state.failed() && !PlaceProject(*work, newDir)) {
    state.fail(platform::PathExistsNoCase(newDir) ? std::string(kMsgProjectExists)
                                                  : Format(kMsgCannotPlace, newDir.string()));
  }
  ConversionResult result;
  result.notes = std::move(state.notes);
  result.type = state.typeName;
  if (cancelled || state.failed()) {
    std::error_code error;
    fs::remove_all(*work, error);
    result.outcome = cancelled ? ConversionOutcome::Skipped : ConversionOutcome::Failed;
    result.message = cancelled ? std::string(kMsgCancelled) : *state.failure;
    return result;
  }
  result.outcome = ConversionOutcome::Converted;
  return result;
}

}  // namespace zel::orvix
