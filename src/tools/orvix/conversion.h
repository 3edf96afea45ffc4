#pragma once
// Converting one version-3 project into a project of the new format.
//
// The project is written into a temporary directory beside its final place and renamed
// into place only when every step succeeded, so a conversion that fails part-way (a copy
// or a write that fails) leaves nothing behind and is reported: a silently dropped
// source file would lose the user's program.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/project/controller_type.h"

namespace zel::orvix {

namespace fs = std::filesystem;

struct ConversionSetup {
  fs::path programDirectory;     // ZEL.INI and the "RUNTIME." folders
  fs::path projectDirectory;     // where the new projects go
  fs::path v3ProjectsDirectory;  // where the version-3 projects are
};

struct V3Project {
  std::string name;
  std::string comment;  // Windows-1252
};

// Asked once per project with the detected type preset; nullopt leaves the project
// unconverted.
using TypeChooser =
    std::function<std::optional<app::ControllerType>(const V3Project&, app::ControllerType)>;

enum class ConversionOutcome { Converted, Skipped, Failed };

struct ConversionResult {
  ConversionOutcome outcome = ConversionOutcome::Failed;
  std::string message;             // why it was skipped or failed
  std::vector<std::string> notes;  // records left out on the way
  std::string type;                // the chosen controller type
};

// What a front end running the conversion as a job sees of it: each step as it begins,
// and whether to stop before the next one (a stopped conversion leaves nothing behind).
struct ConversionHooks {
  std::function<void(std::string_view step, int number, int steps)> progress;
  std::function<bool()> cancelRequested;
};

// The checks that skip a project before anything is written: a name that could lead
// outside the project directory, a missing version-3 folder, the same folder on both
// sides, a project that exists. The message, or nullopt when the project may go ahead.
std::optional<std::string> CheckProject(const ConversionSetup& setup, const V3Project& project);

// `now` is the time stamped into "CREATED" and "TIMESTAMP".
ConversionResult ConvertProject(const ConversionSetup& setup, const V3Project& project,
                                const TypeChooser& chooseType, std::int64_t now,
                                const ConversionHooks& hooks = {});

}  // namespace zel::orvix
