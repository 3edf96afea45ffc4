#pragma once
// The files that belong to one module: its source (".awl", ".kop" or ".IMP") and the
// derived ".BAK", ".XREF", ".LOG", ".MFU" and one object file per controller type.
// Renaming or deleting a module always treats the whole set. Stored projects may spell
// any of these names in any case, so every file is found without regard to case.

#include <filesystem>
#include <string>
#include <vector>

#include "app/modules/module.h"
#include "app/project/project_model.h"

namespace zel::app {

// Where each derived file of `module` lives (whether it exists or not): ".BAK", ".XREF",
// ".LOG", ".MFU", then the object files of the five controller types.
std::vector<fs::path> DerivedFilePaths(const ProjectModel& model, const ModuleRecord& module);

// Deletes the source and every derived file, each in whatever case it is spelt.
// Failures are not reported: a file that is missing or stays behind harms no one.
void DeleteModuleFiles(const ProjectModel& model, const ModuleRecord& module);

struct RenameFilesResult {
  enum class Status { Ok, TargetExists, SourceFailed };
  Status status = Status::Ok;
  fs::path path;  // the file that stopped the rename
};

// Moves the source of `from` to the source name of `to`, then each derived file that
// exists. A missing source is nothing to move. The source must not replace another file,
// and when it cannot be moved nothing else is touched. A derived file of `to` that is
// already there is stale (it would make an old object file look current), so it is
// replaced or removed; other failures with derived files are ignored.
RenameFilesResult RenameModuleFiles(const ProjectModel& model, const ModuleRecord& from,
                                    const ModuleRecord& to);

}  // namespace zel::app
