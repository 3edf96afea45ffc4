#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <system_error>

#include "platform/no_case.h"

namespace zel::platform {

namespace {

bool Exists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

// The entry of `dir` named `name` without regard to case; an exact spelling wins, and
// among several other spellings the first in byte order, so the answer is stable.
std::optional<fs::path> FindEntryNoCase(const fs::path& dir, const fs::path& name) {
  const fs::path exact = dir.empty() ? name : dir / name;
  if (Exists(exact)) return exact;
  const std::string wanted = name.string();
  std::optional<std::string> best;
  std::error_code ec;
  fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::string candidate = it->path().filename().string();
    if (EqualsNoCase(candidate, wanted) && (!best || candidate < *best))
      best = std::move(candidate);
  }
  if (!best) return std::nullopt;
  return dir.empty() ? fs::path(*best) : dir / *best;
}

// Resolves `path` component by component. With `keepMissingTail` the first component that
// does not exist and everything after it are kept as given (the name to create).
std::optional<fs::path> ResolveComponents(const fs::path& path, bool keepMissingTail) {
  if (path.empty()) return std::nullopt;
  if (Exists(path)) return path;
  fs::path result = path.root_path();
  bool missing = false;
  for (const fs::path& part : path.relative_path()) {
    if (part.empty()) continue;  // a trailing separator
    if (missing || part == "." || part == "..") {
      result /= part;
      continue;
    }
    std::optional<fs::path> found = FindEntryNoCase(result, part);
    if (found) {
      result = std::move(*found);
    } else if (keepMissingTail) {
      missing = true;
      result /= part;
    } else {
      return std::nullopt;
    }
  }
  return result;
}

bool MatchPlain(std::string_view pattern, std::string_view name) {
  // Greedy match with one back-tracking point: linear for the usual patterns and never
  // worse than pattern length times name length.
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t starP = std::string_view::npos;
  std::size_t starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || LowerAscii(pattern[p]) == LowerAscii(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

struct StatInfo {
  bool isDirectory = false;
  std::uint64_t size = 0;
  std::int64_t mtime = 0;
};

std::optional<StatInfo> StatPath(const fs::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return StatInfo{S_ISDIR(st.st_mode), static_cast<std::uint64_t>(st.st_size),
                  static_cast<std::int64_t>(st.st_mtim.tv_sec)};
}

// Copies the modification (and access) time with full precision, as copying a file on
// the original platform keeps its time: builds compare the copies' times.
bool CopyTimes(const fs::path& from, const fs::path& to) {
  struct stat st {};
  if (::stat(from.c_str(), &st) != 0) return false;
  const struct timespec times[2] = {st.st_atim, st.st_mtim};
  return ::utimensat(AT_FDCWD, to.c_str(), times, 0) == 0;
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// A new, exclusive file beside the target. The name is short and fixed in form so that a
// long target name cannot push it over the length limit of a name.
int CreateTempFile(const fs::path& dir, fs::path& tempPath) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    tempPath = dir / (".zeltmp." + std::to_string(::getpid()) + "." +
                      std::to_string(counter.fetch_add(1)) + "." + std::to_string(stamp % 1000003));
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void SyncDirectory(const fs::path& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // best effort: the rename is already done
  ::close(fd);
}

// A symbolic link is replaced through its target, so the link survives the rewrite.
fs::path WriteTarget(const fs::path& path) {
  std::error_code ec;
  if (fs::is_symlink(path, ec)) {
    fs::path target = fs::canonical(path, ec);
    if (!ec) return target;
  }
  return path;
}

bool CopyDirectoryTree(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
  if (ec) {
    fs::remove_all(to, ec);
    return false;
  }
  return true;
}

// rename() cannot cross file systems; a file is then copied beside the target and renamed
// over it, so the target is never half-written, and only then is the source deleted.
bool MoveAcrossDevices(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  if (fs::is_directory(from, ec)) {
    if (Exists(to) || !CopyDirectoryTree(from, to)) return false;
    return fs::remove_all(from, ec) != static_cast<std::uintmax_t>(-1) && !ec;
  }
  fs::path dir = to.parent_path();
  if (dir.empty()) dir = ".";
  fs::path temp;
  const int fd = CreateTempFile(dir, temp);
  if (fd < 0) return false;
  ::close(fd);
  if (!fs::copy_file(from, temp, fs::copy_options::overwrite_existing, ec) ||
      !CopyTimes(from, temp) || ::rename(temp.c_str(), to.c_str()) != 0) {
    fs::remove(temp, ec);
    return false;
  }
  return ::unlink(from.c_str()) == 0;
}

}  // namespace

std::optional<fs::path> FindPathNoCase(const fs::path& path) {
  return ResolveComponents(path, false);
}

fs::path ResolvePathNoCase(const fs::path& path) {
  return ResolveComponents(path, true).value_or(path);
}

bool PathExistsNoCase(const fs::path& path) {
  return FindPathNoCase(path).has_value();
}

bool IsDirectoryNoCase(const fs::path& path) {
  const std::optional<fs::path> found = FindPathNoCase(path);
  std::error_code ec;
  return found && fs::is_directory(*found, ec);
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  if (MatchPlain(pattern, name)) return true;
  // A pattern ending in ".*" also matches names without an extension ("*.*" matches
  // every name, "CZ0*.*" matches "CZ0P01V0").
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*") {
    return name.find('.') == std::string_view::npos &&
           MatchPlain(pattern.substr(0, pattern.size() - 2), name);
  }
  return false;
}

std::vector<DirEntry> ListDirectory(const fs::path& dir, std::string_view pattern) {
  std::vector<DirEntry> entries;
  std::error_code ec;
  fs::directory_iterator it(dir, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    DirEntry entry;
    entry.name = it->path().filename().string();
    if (!WildcardMatch(pattern, entry.name)) continue;
    if (const std::optional<StatInfo> info = StatPath(it->path())) {
      entry.isDirectory = info->isDirectory;
      entry.size = info->isDirectory ? 0 : info->size;
      entry.mtime = info->mtime;
    }
    entries.push_back(std::move(entry));
  }
  std::sort(entries.begin(), entries.end(),
            [](const DirEntry& a, const DirEntry& b) { return LessNoCase(a.name, b.name); });
  return entries;
}

bool CopyFileTo(const fs::path& from, const fs::path& to, bool failIfExists) {
  std::error_code ec;
  if (!fs::is_regular_file(from, ec)) return false;
  const auto options = failIfExists ? fs::copy_options::none : fs::copy_options::overwrite_existing;
  if (!fs::copy_file(from, to, options, ec) || ec) return false;
  CopyTimes(from, to);
  return true;
}

bool RenameNoReplace(const fs::path& from, const fs::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  // File systems without the no-replace rename: a plain rename, which still refuses to
  // replace a directory that is not empty.
  if (errno != EINVAL && errno != ENOSYS) return false;
  std::error_code error;
  return !fs::exists(fs::symlink_status(to, error)) && std::rename(from.c_str(), to.c_str()) == 0;
}

bool MoveFileTo(const fs::path& from, const fs::path& to) {
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  if (errno != EXDEV) return false;
  return MoveAcrossDevices(from, to);
}

bool DeleteFileAt(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(path, ec);
  if (ec || fs::is_directory(status)) return false;
  return ::unlink(path.c_str()) == 0;
}

bool CreateDirectoryAt(const fs::path& path) {
  std::error_code ec;
  return fs::create_directory(path, ec) && !ec;
}

bool RemoveDirectoryAt(const fs::path& path) {
  return ::rmdir(path.c_str()) == 0;
}

std::optional<std::int64_t> FileModTime(const fs::path& path) {
  const std::optional<StatInfo> info = StatPath(path);
  if (!info) return std::nullopt;
  return info->mtime;
}

bool SetFileModTime(const fs::path& path, std::int64_t seconds) {
  struct timespec times[2]{};
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = static_cast<time_t>(seconds);
  return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

std::optional<std::uint64_t> FileSize(const fs::path& path) {
  const std::optional<StatInfo> info = StatPath(path);
  if (!info || info->isDirectory) return std::nullopt;
  return info->size;
}

std::optional<std::uint64_t> FreeSpace(const fs::path& path) {
  struct statvfs st {};
  if (::statvfs(path.c_str(), &st) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(st.f_bavail) * st.f_frsize;
}

bool WriteFileAtomically(const fs::path& path, std::string_view data, Durability durability) {
  const bool flush = durability == Durability::Flushed;
  const fs::path target = WriteTarget(path);
  fs::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  fs::path temp;
  const int fd = CreateTempFile(dir, temp);
  if (fd < 0) return false;
  struct stat old {};
  bool ok = (::stat(target.c_str(), &old) != 0 || ::fchmod(fd, old.st_mode & 07777) == 0);
  ok = ok && WriteAll(fd, data) && (!flush || ::fsync(fd) == 0);
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  if (flush) SyncDirectory(dir);
  return true;
}

bool SyncFileSystemOf(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  const bool ok = ::syncfs(fd) == 0;
  ::close(fd);
  return ok;
}

std::optional<std::string> ReadWholeFile(const fs::path& path) {
  // Non-blocking, so that opening a FIFO that has the name of a project file cannot hang;
  // only regular files are read, as a device such as /dev/zero would never end.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string data;
  data.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    data.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return data;
}

}  // namespace zel::platform
