#pragma once
// What the user's desktop session offers: opening a document with its application, the
// user's login name, the bell and the locale texts are shown in.

#include <filesystem>
#include <optional>
#include <string>

namespace zel::platform {

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

void Beep(unsigned frequencyHz, unsigned durationMs);

// Sets the process locale from the environment for texts shown to the user, but keeps
// numbers in the "C" form: decimal points in files are always ".".
void SetUpProcessLocale();

}  // namespace zel::platform
