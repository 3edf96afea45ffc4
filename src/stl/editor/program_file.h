#pragma once
// A statement-list program file as the editor reads and writes it: the stored text on
// disk, the display lines in the window. Saving keeps the previous file as the module's
// backup and replaces the file in one step, so a failed save never leaves half a program.

#include <filesystem>
#include <string_view>
#include <vector>

#include "stl/editor/conversion_context.h"
#include "stl/editor/document.h"

namespace zel::stl {

struct ProgramLoad {
  bool readable = false;  // false: the file could not be read; nothing else is valid
  LoadedDocument document;
};

ProgramLoad LoadProgramFile(const std::filesystem::path& file, const ConversionContext& context);

struct ProgramSave {
  bool written = false;
  bool outOfMemory = false;
  std::vector<RejectedLine> rejected;  // kept as typed behind `?`
};

// `backup`: where the previous file is kept (empty: no backup). A backup that cannot be
// made does not stop the save.
ProgramSave SaveProgramFile(const std::filesystem::path& file, const std::filesystem::path& backup,
                            std::string_view displayText);

}  // namespace zel::stl
