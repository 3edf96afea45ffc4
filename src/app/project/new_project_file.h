#pragma once
// The file a new project starts with.

#include <cstdint>
#include <string>

#include "app/project/project_file.h"

namespace zel::app {

// "ZEL: " + the locale's long date and time of `t` + " by " + the login name ("NOBODY"
// when the system gives none).
std::string CreationStamp(std::int64_t t);

// Writes, in this order, "CREATED", "TARGET", "COMMENT", "USE_MPRAM_IO", the IO sections
// of the two types that carry a base IO module, and "TIMESTAMP". False when the file
// could not be written.
bool WriteNewProjectFile(const ProjectFile& file, std::int64_t now);

}  // namespace zel::app
