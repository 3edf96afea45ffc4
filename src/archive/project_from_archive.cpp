#include "archive/project_from_archive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unzip.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "app/project/project_naming.h"
#include "app/text/text_format.h"
#include "archive/archive_messages.h"
#include "archive/entry_path.h"
#include "platform/files.h"
#include "platform/no_case.h"

namespace zel::archive {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kPiece = 16384;
constexpr std::string_view kProjectFileName = "project.fw4";
// The project file's name while the directory is unpacked: a project list that looks in
// meanwhile finds no project in the hidden directory.
constexpr const char* kProjectFilePart = ".project-file.part";
constexpr unsigned kHostUnix = 3;
constexpr unsigned kDosDirectory = 0x10;

struct ZipCloser {
  void operator()(void* zip) const { unzClose(zip); }
};
using ZipHandle = std::unique_ptr<void, ZipCloser>;

struct Entry {
  std::string stored;              // the name as the archive has it
  std::vector<std::string> parts;  // below the project's folder
  bool directory = false;
  bool skipped = false;  // outside the project's folder
  std::uint64_t size = 0;
  tm_unz date{};
};

class Unpacker {
 public:
  Unpacker(const fs::path& projectsDirectory, std::string_view name, const ArchiveReport& report,
           UnpackLimits limits)
      : m_name(name),
        m_target(projectsDirectory / std::string(name)),
        m_report(report),
        m_limits(limits) {}

  bool run(const fs::path& zipPath) {
    if (!app::IsSafeDirectoryName(m_name)) {
      m_report.box(kMsgCreateDirectoryFailed);
      return false;
    }
    // A FIFO or a device of that name would block the reader or never end.
    std::error_code error;
    if (!fs::is_regular_file(zipPath, error)) return archiveError(UNZ_ERRNO);
    ZipHandle zip(unzOpen64(zipPath.c_str()));
    if (!zip) return archiveError(UNZ_BADZIPFILE);
    if (!survey(zip.get())) return false;
    if (platform::PathExistsNoCase(m_target)) {
      m_report.box(kMsgProjectExistsAlready);
      return false;
    }
    if (!makeWorkDirectory()) {
      m_report.box(kMsgCreateDirectoryFailed);
      return false;
    }
    const bool unpacked = unpack(zip.get());
    zip.reset();
    if (unpacked && platform::RenameNoReplace(m_work, m_target)) {
      m_work.clear();
      return true;
    }
    if (unpacked) m_report.box(kMsgCreateDirectoryFailed);
    removeWork();
    return false;
  }

  ~Unpacker() { removeWork(); }

 private:
  // Reads every entry's header and decides before one byte is written.
  bool survey(void* zip) {
    std::vector<Entry> entries;
    std::optional<std::vector<std::string>> root;
    std::uint64_t declared = 0;
    int status = unzGoToFirstFile(zip);
    while (status == UNZ_OK) {
      unz_file_info64 info{};
      char stored[4096];
      status = unzGetCurrentFileInfo64(zip, &info, stored, sizeof stored, nullptr, 0, nullptr, 0);
      if (status != UNZ_OK) return archiveError(status);
      if (info.size_filename >= sizeof stored) return archiveError(UNZ_BADZIPFILE);
      if (entries.size() >= m_limits.maxEntries)
        return refuse(app::FormatText(kMsgTooManyEntries,
                                      static_cast<unsigned long long>(m_limits.maxEntries)));
      const std::string storedName(stored, info.size_filename);
      const auto path = ParseEntryPath(storedName);
      if (!path) return refuse(app::FormatText(kMsgEntryLeaves, storedName.c_str()));
      const unsigned host = static_cast<unsigned>(info.version >> 8);
      const unsigned mode = static_cast<unsigned>(info.external_fa >> 16);
      const bool unixType = host == kHostUnix && (mode & S_IFMT) != 0;
      if (unixType && !S_ISREG(mode) && !S_ISDIR(mode))
        return refuse(app::FormatText(kMsgEntryNotPlain, storedName.c_str()));
      Entry entry{storedName,   path->parts, path->directory, false, info.uncompressed_size,
                  info.tmu_date};
      if (unixType && S_ISDIR(mode)) entry.directory = true;
      if (host != kHostUnix && (info.external_fa & kDosDirectory) != 0) entry.directory = true;
      if (!entry.directory) {
        declared += entry.size;
        if (entry.size > m_limits.maxBytes || declared > m_limits.maxBytes)
          return refuse(
              app::FormatText(kMsgTooLarge, static_cast<unsigned long long>(m_limits.maxBytes)));
        if (!root && platform::EqualsNoCase(entry.parts.back(), kProjectFileName)) {
          root.emplace(entry.parts.begin(), entry.parts.end() - 1);
          m_projectEntry = entries.size();
        }
      }
      entries.push_back(std::move(entry));
      status = unzGoToNextFile(zip);
    }
    if (status != UNZ_END_OF_LIST_OF_FILE) return archiveError(status);
    if (!root) {
      m_report.forward();
      m_report.say(std::string(kMsgNoProjectInArchive) + "\r\n");
      m_report.box(kMsgNoProjectInArchive);
      return false;
    }
    for (Entry& entry : entries) {
      const std::size_t least = root->size() + (entry.directory ? 0 : 1);
      const bool inside = entry.parts.size() >= least &&
                          std::equal(root->begin(), root->end(), entry.parts.begin());
      if (inside) {
        entry.parts.erase(entry.parts.begin(), entry.parts.begin() + root->size());
      } else {
        entry.skipped = true;
      }
    }
    m_entries = std::move(entries);
    return true;
  }

  bool makeWorkDirectory() {
    std::random_device random;
    const fs::path parent = m_target.parent_path();
    for (int attempt = 0; attempt < 16; ++attempt) {
      const fs::path dir =
          parent / ("." + m_target.filename().string() + ".unpack-" + std::to_string(::getpid()) +
                    "-" + std::to_string(random() % 1000000));
      if (::mkdir(dir.c_str(), 0777) == 0) {
        m_work = dir;
        return true;
      }
      if (errno != EEXIST) return false;
    }
    return false;
  }

  bool unpack(void* zip) {
    int status = unzGoToFirstFile(zip);
    const int count = static_cast<int>(m_entries.size());
    for (int n = 0; n < count && status == UNZ_OK; ++n, status = unzGoToNextFile(zip)) {
      const Entry& entry = m_entries[static_cast<std::size_t>(n)];
      m_report.step(entry.stored, n + 1, count);
      if (m_report.stopRequested()) {
        m_report.say(kMsgCancelled);
        return false;
      }
      if (entry.skipped) {
        m_report.say(app::FormatText(kMsgEntryOutsideRoot, entry.stored.c_str()));
        continue;
      }
      const std::string relative = JoinEntryPath(entry.parts);
      const fs::path shown = relative.empty() ? m_target : m_target / relative;
      m_report.say(shown.string() + "\r\n");
      if (entry.directory) {
        if (!makeDirectories(entry.parts, entry.parts.size())) return createFailed(shown);
        continue;
      }
      if (!makeDirectories(entry.parts, entry.parts.size() - 1)) return createFailed(shown);
      const bool projectFile = static_cast<std::size_t>(n) == m_projectEntry;
      if (!unpackFile(zip, entry, shown, projectFile)) return false;
    }
    if (status != UNZ_OK && status != UNZ_END_OF_LIST_OF_FILE) return archiveError(status);
    // Only now does the directory hold a project file, a moment before it gets its name.
    const Entry& project = m_entries[m_projectEntry];
    if (!platform::RenameNoReplace(m_work / kProjectFilePart,
                                   m_work / JoinEntryPath(project.parts)))
      return createFailed(m_target / JoinEntryPath(project.parts));
    return true;
  }

  bool makeDirectories(const std::vector<std::string>& parts, std::size_t count) {
    fs::path dir = m_work;
    for (std::size_t i = 0; i < count; ++i) {
      dir /= parts[i];
      if (::mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST) return false;
      struct stat status {};
      // Only directories this unpacking made are ever entered.
      if (::lstat(dir.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return false;
    }
    return true;
  }

  bool unpackFile(void* zip, const Entry& entry, const fs::path& shown, bool projectFile) {
    const fs::path file =
        projectFile ? m_work / kProjectFilePart : m_work / JoinEntryPath(entry.parts);
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return createFailed(shown);
    bool written = true;
    int status = unzOpenCurrentFile(zip);
    if (status == UNZ_OK) {
      char piece[kPiece];
      for (;;) {
        const int got = unzReadCurrentFile(zip, piece, sizeof piece);
        if (got < 0) {
          status = got;
          break;
        }
        if (got == 0) break;
        m_unpacked += static_cast<std::uint64_t>(got);
        if (m_unpacked > m_limits.maxBytes) {
          ::close(fd);
          unzCloseCurrentFile(zip);
          return refuse(
              app::FormatText(kMsgTooLarge, static_cast<unsigned long long>(m_limits.maxBytes)));
        }
        if (!WriteAll(fd, piece, static_cast<std::size_t>(got))) {
          written = false;
          break;
        }
      }
      const int closed = unzCloseCurrentFile(zip);
      if (status == UNZ_OK) status = closed;
    }
    written = ::close(fd) == 0 && written;
    if (status != UNZ_OK) return archiveError(status);
    if (!written) return createFailed(shown);
    SetTime(file, entry.date);
    return true;
  }

  static bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
      const ssize_t put = ::write(fd, data, size);
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) return false;
      data += put;
      size -= static_cast<std::size_t>(put);
    }
    return true;
  }

  static void SetTime(const fs::path& file, const tm_unz& date) {
    std::tm local{};
    local.tm_sec = static_cast<int>(date.tm_sec);
    local.tm_min = static_cast<int>(date.tm_min);
    local.tm_hour = static_cast<int>(date.tm_hour);
    local.tm_mday = static_cast<int>(date.tm_mday);
    local.tm_mon = static_cast<int>(date.tm_mon);
    local.tm_year = static_cast<int>(date.tm_year) - 1900;
    local.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&local);
    if (seconds > 0) platform::SetFileModTime(file, seconds);
  }

  bool createFailed(const fs::path& shown) {
    const std::string text = app::FormatText(kMsgCreateFileFailed, shown.string().c_str());
    m_report.forward();
    m_report.say(text + "\r\n");
    m_report.box(text);
    return false;
  }

  bool archiveError(int code) {
    m_report.forward();
    m_report.say(app::FormatText(kMsgCreatingFailed, code));
    return false;
  }

  bool refuse(const std::string& text) {
    m_report.forward();
    m_report.say(text);
    return false;
  }

  void removeWork() {
    if (m_work.empty()) return;
    std::error_code error;
    fs::remove_all(m_work, error);  // never follows links; this unpacking made none
    m_work.clear();
  }

  std::string m_name;
  fs::path m_target;
  fs::path m_work;
  const ArchiveReport& m_report;
  UnpackLimits m_limits;
  std::vector<Entry> m_entries;
  std::size_t m_projectEntry = 0;  // the entry that marks the project
  std::uint64_t m_unpacked = 0;
};

}  // namespace

bool CreateProjectFromArchive(const fs::path& projectsDirectory, std::string_view name,
                              const fs::path& zipPath, const ArchiveReport& report,
                              UnpackLimits limits) {
  return Unpacker(projectsDirectory, name, report, limits).run(zipPath);
}

}  // namespace zel::archive
