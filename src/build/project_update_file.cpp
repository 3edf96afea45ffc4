#include "build/project_update_file.h"

#include <fstream>
#include <string>

#include "build/update_file.h"
#include "platform/files.h"

namespace zel::build {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> ReadFound(const fs::path& path) {
  const auto found = platform::FindPathNoCase(path);
  return found ? platform::ReadWholeFile(*found) : std::nullopt;
}

std::span<const std::uint8_t> BytesOf(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Writes `bytes` to `temporary` and renames it to `target`; false with nothing left behind.
bool WriteAndRename(std::ofstream& stream, const fs::path& temporary, const fs::path& target,
                    std::span<const std::uint8_t> bytes) {
  stream.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  stream.close();
  if (stream.fail() || !platform::MoveFileTo(temporary, target)) {
    platform::DeleteFileAt(temporary);
    return false;
  }
  return true;
}

}  // namespace

bool WriteProjectUpdateFile(const std::optional<fs::path>& projectDirectory, BuildLog& log) {
  if (!projectDirectory) {
    log.error("No project open\r\n");
    return false;
  }
  const fs::path newPath = platform::ResolvePathNoCase(*projectDirectory / "Project.RUN");
  const fs::path target = platform::ResolvePathNoCase(*projectDirectory / "Update.RUN");
  const fs::path temporary = target.parent_path() / "Update.RUN.new";
  // A failed update leaves no "Update.RUN" that belongs to another download.
  const auto fail = [&](std::string_view message) {
    log.error(message);
    platform::DeleteFileAt(target);
    return false;
  };

  const auto newFile = ReadFound(newPath);
  if (!newFile) return fail("Cannot open project run file\r\n");
  const auto oldFile = ReadFound(*projectDirectory / "Download.RUN");
  if (!oldFile) return fail("Cannot open last project download file\r\n");
  std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
  if (!stream) return fail("Cannot create Update file\r\n");

  const UpdateFileResult update = MakeUpdateFile(BytesOf(*oldFile), BytesOf(*newFile));
  if (!update.ok) {
    stream.close();
    platform::DeleteFileAt(temporary);
    return fail(update.message);
  }
  if (!WriteAndRename(stream, temporary, target, update.bytes)) {
    return fail("Could not write update file\r\n");
  }
  if (const auto time = platform::FileModTime(newPath)) platform::SetFileModTime(target, *time);
  return true;
}

}  // namespace zel::build
