#include "app/modules/module_files.h"

#include <array>
#include <string_view>

#include "app/project/controller_type.h"
#include "platform/files.h"

namespace zel::app {

namespace {

// Two spellings of one name can only arise when files were copied in from a
// case-sensitive system; the bound keeps a file that cannot be deleted from looping.
constexpr int kMaxSpellings = 8;

void DeleteAllSpellings(const fs::path& path) {
  for (int i = 0; i < kMaxSpellings; ++i) {
    const auto found = platform::FindPathNoCase(path);
    if (!found || !platform::DeleteFileAt(*found)) return;
  }
}

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

void MoveDerivedFile(const fs::path& from, const fs::path& to) {
  const auto source = platform::FindPathNoCase(from);
  if (source && SameFile(*source, to)) return;
  DeleteAllSpellings(to);
  if (source) platform::MoveFileTo(*source, to);
}

}  // namespace

std::vector<fs::path> DerivedFilePaths(const ProjectModel& model, const ModuleRecord& module) {
  std::vector<fs::path> paths{model.backupPath(module), model.xrefPath(module),
                              model.logPath(module), model.mfuPath(module)};
  for (const auto& type : ControllerTypes()) {
    paths.push_back(model.objectPath(module, type.name));
  }
  return paths;
}

void DeleteModuleFiles(const ProjectModel& model, const ModuleRecord& module) {
  DeleteAllSpellings(model.modulePath(module));
  for (const auto& path : DerivedFilePaths(model, module)) {
    DeleteAllSpellings(path);
  }
}

RenameFilesResult RenameModuleFiles(const ProjectModel& model, const ModuleRecord& from,
                                    const ModuleRecord& to) {
  const fs::path target = model.modulePath(to);
  if (const auto source = platform::FindPathNoCase(model.modulePath(from))) {
    const auto existing = platform::FindPathNoCase(target);
    if (existing && !SameFile(*existing, *source)) {
      return {RenameFilesResult::Status::TargetExists, *existing};
    }
    if (!platform::MoveFileTo(*source, target)) {
      return {RenameFilesResult::Status::SourceFailed, *source};
    }
  }
  const auto oldPaths = DerivedFilePaths(model, from);
  const auto newPaths = DerivedFilePaths(model, to);
  for (std::size_t i = 0; i < oldPaths.size(); ++i) {
    MoveDerivedFile(oldPaths[i], newPaths[i]);
  }
  return {};
}

}  // namespace zel::app
