#include "tools/orvix/conversion.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <iterator>
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

// A hidden directory beside the final one; it holds no project file until the moment
// before it is renamed, so no project list shows it.
std::optional<fs::path> MakeWorkDirectory(const fs::path& projectDirectory, std::string_view name) {
  std::random_device random;
  for (int attempt = 0; attempt < 16; ++attempt) {
    const fs::path dir =
        projectDirectory / ("." + std::string(name) + ".orvix-" + std::to_string(::getpid()) + "-" +
                            std::to_string(random() % 1000000));
    if (platform::CreateDirectoryAt(dir)) return dir;
    std::error_code error;
    if (!fs::exists(dir, error)) return std::nullopt;
  }
  return std::nullopt;
}

ConversionResult Skipped(std::string message) {
  return {ConversionOutcome::Skipped, std::move(message), {}, {}};
}

struct Step {
  std::string_view name;
  void (*run)(ConversionState&);
};

// In their order; the type is chosen after the allocation list.
constexpr Step kStepsBeforeType[] = {
    {"Project", WriteProjectIdentity},
    {"Documentation", ConvertDocumentation},
    {"Allocation list", ConvertAllocationListFile},
};
constexpr Step kStepsAfterType[] = {
    {"Controller type", WriteControllerType},
    {"IO configuration", ConvertIoConfiguration},
    {"Controller settings", WriteDefaultSettings},
    {"Run mode", ConvertRunMode},
    {"Controller port", ConvertComPort},
    {"Download of sources", ConvertDownloadSources},
    {"Drives", ConvertDrives},
    {"Drivers", ConvertDrivers},
    {"Password", ConvertPassword},
    {"Modules", ConvertModules},
    {"Windows", WriteWindows},
};
constexpr int kStepCount =
    static_cast<int>(std::size(kStepsBeforeType) + std::size(kStepsAfterType)) + 2;

class StepRunner {
 public:
  StepRunner(ConversionState& state, const ConversionHooks& hooks)
      : m_state(state), m_hooks(hooks) {}
  // False when the conversion stops here (a failure or a cancel).
  bool begin(std::string_view name) {
    if (m_hooks.cancelRequested && m_hooks.cancelRequested()) {
      cancelled = true;
      return false;
    }
    if (m_hooks.progress) m_hooks.progress(name, ++m_number, kStepCount);
    return !m_state.failed();
  }
  bool run(const Step& step) {
    if (!begin(step.name)) return false;
    step.run(m_state);
    return !m_state.failed();
  }
  bool cancelled = false;

 private:
  ConversionState& m_state;
  const ConversionHooks& m_hooks;
  int m_number = 0;
};

void RunSteps(ConversionState& state, const TypeChooser& chooseType, StepRunner& runner) {
  state.files = FileList::of(state.source);
  TakeUncopiedFiles(state);
  for (const Step& step : kStepsBeforeType) {
    if (!runner.run(step)) return;
  }
  const auto chosen = chooseType(state.project, DetectControllerType(state.source));
  if (!chosen) {
    runner.cancelled = true;
    return;
  }
  state.type = *chosen;
  state.typeName = std::string(app::Info(*chosen).name);
  for (const Step& step : kStepsAfterType) {
    if (!runner.run(step)) return;
  }
  if (!runner.begin("Remaining files")) return;
  CopyRemainingFiles(state);
  // Last, so the work folder looks like a project only for the moment before its rename.
  if (!runner.begin("Project file")) return;
  state.writeTarget(app::kProjectFileName, state.projectFile.serialize());
}

fs::path V3Directory(const ConversionSetup& setup, const V3Project& project) {
  return platform::FindPathNoCase(setup.v3ProjectsDirectory / project.name)
      .value_or(setup.v3ProjectsDirectory / project.name);
}

}  // namespace

std::optional<std::string> CheckProject(const ConversionSetup& setup, const V3Project& project) {
  if (!IsSafeV3Name(project.name)) return Format(kMsgUnsafeName, project.name);
  const fs::path v3Dir = V3Directory(setup, project);
  if (!platform::IsDirectoryNoCase(v3Dir)) return Format(kMsgNoV3Project, v3Dir.string());
  const fs::path newDir = setup.projectDirectory / project.name;
  if (SameDirectory(v3Dir, newDir)) return std::string(kMsgSameDirectories);
  if (platform::PathExistsNoCase(newDir)) return std::string(kMsgProjectExists);
  return std::nullopt;
}

ConversionResult ConvertProject(const ConversionSetup& setup, const V3Project& project,
                                const TypeChooser& chooseType, std::int64_t now,
                                const ConversionHooks& hooks) {
  if (auto refusal = CheckProject(setup, project)) return Skipped(std::move(*refusal));
  const fs::path newDir = setup.projectDirectory / project.name;
  const auto work = MakeWorkDirectory(setup.projectDirectory, project.name);
  if (!work) return Skipped(std::string(kMsgCannotCreateDirectory));

  ConversionState state;
  state.source = V3Directory(setup, project);
  state.target = *work;
  state.programDirectory = setup.programDirectory;
  state.project = project;
  state.now = now;
  StepRunner runner(state, hooks);
  RunSteps(state, chooseType, runner);
  const bool cancelled = runner.cancelled;
  if (!cancelled && !state.failed() && !platform::RenameNoReplace(*work, newDir)) {
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
