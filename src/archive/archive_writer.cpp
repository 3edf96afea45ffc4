#include "archive/archive_writer.h"

#include <zip.h>

#include <ctime>
#include <fstream>
#include <string>
#include <system_error>

#include "archive/archive_messages.h"
#include "platform/files.h"

namespace zel::archive {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kChunk = 64 * 1024;

zip_fileinfo EntryInfo(const fs::path& file) {
  zip_fileinfo info{};
  const std::time_t seconds = static_cast<std::time_t>(platform::FileModTime(file).value_or(0));
  std::tm local{};
  if (seconds > 0 && localtime_r(&seconds, &local)) {
    info.tmz_date.tm_sec = static_cast<uInt>(local.tm_sec);
    info.tmz_date.tm_min = static_cast<uInt>(local.tm_min);
    info.tmz_date.tm_hour = static_cast<uInt>(local.tm_hour);
    info.tmz_date.tm_mday = static_cast<uInt>(local.tm_mday);
    info.tmz_date.tm_mon = static_cast<uInt>(local.tm_mon);
    info.tmz_date.tm_year = static_cast<uInt>(local.tm_year + 1900);
  } else {
    info.tmz_date.tm_mday = 1;
    info.tmz_date.tm_year = 1980;
  }
  return info;
}

// Copies `file` into the open entry; false when reading or writing failed. A file that
// does not exist (the build lists "Project.TXT" whether or not there is one) leaves the
// entry empty; one that exists and cannot be read is a failure, never a silent hole.
bool CopyInto(zipFile zip, const fs::path& file) {
  std::error_code error;
  if (!fs::exists(fs::symlink_status(file, error))) return true;
  // A FIFO or a device would block the reader or never end: only files are packed.
  if (!fs::is_regular_file(file, error)) return false;
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::string buffer(kChunk, '\0');
  while (in) {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const std::streamsize got = in.gcount();
    if (got > 0 && zipWriteInFileInZip(zip, buffer.data(), static_cast<unsigned>(got)) != ZIP_OK)
      return false;
  }
  return in.eof() && !in.bad();
}

fs::path TemporaryBeside(const fs::path& target) {
  fs::path temporary = target;
  temporary += ".part";
  return temporary;
}

}  // namespace

std::string EntryNameFor(const fs::path& file, const fs::path& base) {
  const fs::path relative = file.lexically_normal().lexically_relative(base.lexically_normal());
  if (relative.empty() || *relative.begin() == "..") return file.filename().generic_string();
  return relative.generic_string();
}

ArchiveResult WriteProjectArchive(const fs::path& zipPath, const std::vector<fs::path>& files,
                                  const fs::path& baseDirectory, std::string_view comment,
                                  ArchiveMode mode, const ArchiveReport& report) {
  ArchiveResult result;
  const auto fail = [&](std::string_view text) {
    ++result.errors;
    if (mode == ArchiveMode::StopAtFailedEntry) {
      report.say(text);
      return;
    }
    // A box has no use for the message window's line end.
    std::string_view shown = text;
    while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r')) shown.remove_suffix(1);
    report.box(shown);
  };
  const fs::path temporary = TemporaryBeside(zipPath);
  platform::DeleteFileAt(temporary);
  zipFile zip = zipOpen64(temporary.c_str(), APPEND_STATUS_CREATE);
  if (!zip) {
    fail(kMsgCouldNotCreate);
    return result;
  }
  bool stopped = false;
  int n = 0;
  for (const fs::path& file : files) {
    const std::string name = EntryNameFor(file, baseDirectory);
    report.step(name, ++n, static_cast<int>(files.size()));
    if (report.stopRequested()) {
      stopped = true;
      break;
    }
    const zip_fileinfo info = EntryInfo(file);
    const bool large = platform::FileSize(file).value_or(0) >= 0xffffffffULL;
    if (zipOpenNewFileInZip64(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                              Z_DEFAULT_COMPRESSION, large ? 1 : 0) != ZIP_OK) {
      fail(kMsgCouldNotWrite);
      if (mode == ArchiveMode::StopAtFailedEntry) {
        stopped = true;
        break;
      }
      continue;
    }
    const bool copied = CopyInto(zip, file);
    const bool closed = zipCloseFileInZip(zip) == ZIP_OK;
    if (!copied || !closed) fail(kMsgCouldNotWrite);
  }
  // An archive cut short is closed without its comment, as the end of a failed write.
  const std::string text(comment);
  const bool closed = zipClose(zip, stopped ? nullptr : text.c_str()) == ZIP_OK;
  if (!closed && !stopped) fail(kMsgCouldNotWrite);
  if (stopped || result.errors > 0 || !closed) {
    platform::DeleteFileAt(temporary);
    return result;
  }
  // The archive's bytes reach the disk before it takes the name of the one it replaces.
  platform::SyncFileSystemOf(temporary);
  if (!platform::MoveFileTo(temporary, zipPath)) {
    platform::DeleteFileAt(temporary);
    fail(kMsgCouldNotCreate);
    return result;
  }
  result.written = true;
  return result;
}

}  // namespace zel::archive
