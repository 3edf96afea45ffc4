#include "stl/editor/program_file.h"

#include "platform/files.h"

namespace zel::stl {

ProgramLoad LoadProgramFile(const std::filesystem::path& file, const ConversionContext& context) {
  ProgramLoad load;
  const auto text = platform::ReadWholeFile(file);
  if (!text) return load;
  load.readable = true;
  load.document = LoadDocument(*text, context);
  return load;
}

ProgramSave SaveProgramFile(const std::filesystem::path& file, const std::filesystem::path& backup,
                            std::string_view displayText) {
  ProgramSave save;
  SavedDocument doc = SaveDocument(displayText);
  if (doc.outOfMemory) {
    save.outOfMemory = true;
    return save;
  }
  save.rejected = std::move(doc.rejected);
  if (!backup.empty() && platform::PathExistsNoCase(file)) {
    platform::CopyFileTo(file, backup, false);
  }
  save.written = platform::WriteFileAtomically(file, doc.storedText);
  return save;
}

}  // namespace zel::stl
