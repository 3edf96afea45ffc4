#pragma once
// Properties of the project tree's documentation item: the documentation file moves to
// a path the user chooses and "DOCFILE" follows it.

#include <filesystem>

#include "app/project/project_file.h"

namespace zel::app {

// Moves the current documentation file to `newPath`, replacing a file there, and stores
// the new path. When there is no documentation file yet, only the path is stored. When
// the move fails the user is told and "DOCFILE" stays as it was; false then.
bool MoveDocumentationFile(const ProjectFile& file, const fs::path& newPath);

}  // namespace zel::app
