#pragma once
// The "DOWNLOAD" section a build leaves in the project file: what the download transfers,
// checks and deletes on the controller. The build collects the keys in the order it
// writes them and stores the section in one rewrite of the project file, after the run
// file is in place: a project file with a "MAKE" key always has the run file it describes,
// and a build does not rewrite the project file once per module.

#include <cstdint>
#include <string>
#include <string_view>

#include "app/project/project_file.h"
#include "platform/profile.h"

namespace zel::build {

// The values the download reads can hold long paths; every reader of the section uses at
// least this many characters.
inline constexpr std::size_t kDownloadValueBuffer = 1024;

// The numbered key families; each counts from 0 in the order of writing.
enum class DownloadList {
  LinkedModule,          // "LINKEDMODULE_"
  LinkedData,            // "LINKEDDATA_"
  TransferFileNewer,     // "TRANSFERFILENEWER_"
  TransferFileModified,  // "TRANSFERFILEMODIFIED_"
  TransferFile,          // "TRANSFERFILE_"
  CheckFileExists,       // "CHECKFILEEXISTS_"
  DeleteFile,            // "DELETEFILE_"
};
inline constexpr int kDownloadListCount = 7;

class DownloadSection {
 public:
  // Sets `key`, keeping its place when it was set before.
  void set(std::string_view key, std::string_view value);
  // Appends the next key of `list` ("TRANSFERFILE_" + n).
  void add(DownloadList list, std::string_view value);
  void remove(std::string_view key);

  const platform::ProfileEntries& entries() const { return m_entries; }
  // nullopt-like: empty when the key is not set.
  std::string value(std::string_view key) const;

  // Replaces the project file's section with these keys; false when it could not be
  // written.
  bool store(const app::ProjectFile& file) const;

 private:
  platform::ProfileEntries m_entries;
  int m_counters[kDownloadListCount] = {};
};

// The value formats the download reads.
// "%u,%lu,%s %s": size, time, remote name, local path ("TRANSFERFILE_", "...NEWER_").
std::string TransferValue(std::uint64_t size, std::int64_t time, std::string_view remote,
                          std::string_view local);
// "%u,%s %s": size, remote name, local path ("TRANSFERFILEMODIFIED_").
std::string TransferModifiedValue(std::uint64_t size, std::string_view remote,
                                  std::string_view local);
// "%lu,%s%s": time, remote directory, remote name ("CHECKFILEEXISTS_").
std::string CheckFileExistsValue(std::int64_t time, std::string_view directory,
                                 std::string_view name);
// A remote name whose drive letter is "*" ("DELETEFILE_").
std::string AnyDriveName(std::string_view remote);

}  // namespace zel::build
