#include "platform/desktop.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <vector>

#include "platform/spawn.h"

namespace zel::platform {

namespace {

// The desktop's opener returns as soon as the application is on its way; one that takes
// longer (a terminal application run in the foreground) is not waited for.
constexpr int kOpenDocumentWaitMs = 3000;

std::optional<std::string> NonEmpty(const char* text) {
  if (text == nullptr || *text == '\0') return std::nullopt;
  return std::string(text);
}

std::optional<std::string> PasswordEntryName() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  struct passwd entry {};
  struct passwd* result = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &result) != 0 ||
      result == nullptr) {
    return std::nullopt;
  }
  return NonEmpty(entry.pw_name);
}

// The failures the platform can tell before starting anything.
std::optional<OpenDocumentResult> CheckDocument(const std::filesystem::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) == 0) {
    return ::access(file.c_str(), R_OK) == 0 ? std::nullopt
                                             : std::optional(OpenDocumentResult::AccessDenied);
  }
  switch (errno) {
    case EACCES:
      return OpenDocumentResult::AccessDenied;
    case ENOTDIR:
      return OpenDocumentResult::PathNotFound;
    case ENOMEM:
      return OpenDocumentResult::OutOfMemory;
    case ENOENT: {
      std::error_code ec;
      const std::filesystem::path dir = file.parent_path();
      const bool dirExists = dir.empty() || std::filesystem::is_directory(dir, ec);
      return dirExists ? OpenDocumentResult::FileNotFound : OpenDocumentResult::PathNotFound;
    }
    default:
      return OpenDocumentResult::FileNotFound;
  }
}

// The opener's documented exit codes: 1 bad command line, 2 file missing, 3 a required
// tool missing, 4 the action failed, 5 no permission to read the file.
OpenDocumentResult FromOpenerExitCode(int code) {
  switch (code) {
    case 0:
      return OpenDocumentResult::Ok;
    case 2:
      return OpenDocumentResult::FileNotFound;
    case 5:
      return OpenDocumentResult::AccessDenied;
    case 1:
      return OpenDocumentResult::AssociationIncomplete;
    default:
      return OpenDocumentResult::NoAssociation;
  }
}

OpenDocumentResult FromSpawnError(int error) {
  switch (error) {
    case ENOMEM:
    case EAGAIN:
      return OpenDocumentResult::OutOfMemory;
    case ENOEXEC:
      return OpenDocumentResult::BadExecutable;
    default:
      return OpenDocumentResult::NoAssociation;
  }
}

}  // namespace

std::optional<std::string> UserLoginName() {
  char name[LOGIN_NAME_MAX + 1] = {};
  if (::getlogin_r(name, sizeof name) == 0 && name[0] != '\0') return std::string(name);
  if (std::optional<std::string> fromPasswd = PasswordEntryName()) return fromPasswd;
  return NonEmpty(std::getenv("USER"));
}

OpenDocumentResult OpenDocument(const std::filesystem::path& file,
                                const std::filesystem::path& workingDir) {
  // A relative name means the same file to us as to the opener started in workingDir.
  const std::filesystem::path document =
      file.is_relative() && !workingDir.empty() ? workingDir / file : file;
  if (const std::optional<OpenDocumentResult> problem = CheckDocument(document)) return *problem;
  std::error_code ec;
  if (!workingDir.empty() && !std::filesystem::is_directory(workingDir, ec)) {
    return OpenDocumentResult::PathNotFound;
  }
  const std::optional<std::filesystem::path> opener = detail::FindExecutable("xdg-open");
  if (!opener) return OpenDocumentResult::NoAssociation;
  const detail::SpawnResult spawned =
      detail::Spawn(*opener, {"xdg-open", file.string()}, workingDir);
  if (spawned.pid <= 0) return FromSpawnError(spawned.error);
  const std::optional<int> code = detail::WaitForExit(spawned.pid, kOpenDocumentWaitMs);
  if (!code) {
    detail::ReapInBackground(spawned.pid);
    return OpenDocumentResult::Ok;
  }
  return FromOpenerExitCode(*code);
}

void Beep(unsigned /*frequencyHz*/, unsigned /*durationMs*/) {
  // A terminal's bell has neither pitch nor length; without a terminal there is no bell.
  if (::isatty(STDERR_FILENO) == 1) {
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, "\a", 1);
  }
}

void SetUpProcessLocale() {
  if (std::setlocale(LC_ALL, "") == nullptr) std::setlocale(LC_ALL, "C");
  std::setlocale(LC_NUMERIC, "C");
}

}  // namespace zel::platform
