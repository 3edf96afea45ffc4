#pragma once
// Small services of the operating system: processes, the desktop's "open document",
// the user's name, the code page of stored files, the process locale and the bell.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zel::platform {

// Project, script and program files are Windows-1252 bytes; the GUI and the terminal
// speak UTF-8. Characters that Windows-1252 cannot hold become "?".
std::string Cp1252ToUtf8(std::string_view bytes);
std::string Utf8ToCp1252(std::string_view utf8);

// The login name of the user running the program, nullopt when the system gives none.
std::optional<std::string> UserLoginName();

// Outcome of asking the desktop to open a document; the values name the failures the
// user is told about.
enum class OpenDocumentResult {
  Ok,
  FileNotFound,
  PathNotFound,
  AccessDenied,
  OutOfMemory,
  BadExecutable,
  SharingViolation,
  AssociationIncomplete,
  NoAssociation,
  LibraryNotFound,
};
OpenDocumentResult OpenDocument(const std::filesystem::path& file,
                                const std::filesystem::path& workingDir);

// A started process; waiting is optional, the child is never left a zombie.
class Process {
 public:
  Process() = default;
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process();

  // The command line is split like a shell would split words (double quotes group,
  // no expansion). Returns an invalid Process when it cannot be started.
  static Process start(std::string_view commandLine, const std::filesystem::path& workingDir);
  bool valid() const { return m_pid > 0; }
  // Waits at most timeoutMs (negative: without limit); the exit code, or nullopt while
  // it still runs. A process ended by a signal reports 128 + the signal number.
  std::optional<int> wait(int timeoutMs = -1);

 private:
  int m_pid = -1;
  std::optional<int> m_exitCode;
};

void Beep(unsigned frequencyHz, unsigned durationMs);

// Sets the process locale from the environment for texts shown to the user, but keeps
// numbers in the "C" form: decimal points in files are always ".".
void SetUpProcessLocale();

}  // namespace zel::platform
