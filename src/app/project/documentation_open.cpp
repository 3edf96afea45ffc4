#include "app/project/documentation_open.h"

#include "app/text/text_format.h"
#include "platform/message_box.h"

namespace zel::app {

namespace {

using platform::OpenDocumentResult;

// The texts of the old shell's error codes, kept word for word (blanks before the line
// breaks included) since users and scripts know them.
std::string_view FailurePattern(OpenDocumentResult result) {
  switch (result) {
    case OpenDocumentResult::Ok:
      break;
    case OpenDocumentResult::FileNotFound:
      return "'%s'\n\nThe specified file was not found.";
    case OpenDocumentResult::PathNotFound:
      return "'%s'\n\nThe specified path was not found.";
    case OpenDocumentResult::AccessDenied:
      return "'%s'\n\nThe operating system denied access \nto the specified file.";
    case OpenDocumentResult::OutOfMemory:
      return "There was not enough memory \nto complete the operation.";
    case OpenDocumentResult::BadExecutable:
      return "'%s'\n\nThe .exe file is invalid \n(non-Win32\u00AE .exe or error in .exe image).";
    case OpenDocumentResult::SharingViolation:
      return "'%s'\n\nA sharing violation occurred.";
    case OpenDocumentResult::AssociationIncomplete:
      return "'%s'\n\nThe file name association \nis incomplete or invalid.";
    case OpenDocumentResult::NoAssociation:
      return "'%s'\n\nThere is no application associated with \nthe given file name extension.";
    case OpenDocumentResult::LibraryNotFound:
      return "'%s'\n\nThe specified dynamic-link library \nwas not found.";
  }
  return {};
}

}  // namespace

std::optional<std::string> DocumentationOpenFailure(OpenDocumentResult result,
                                                    std::string_view file) {
  const std::string_view pattern = FailurePattern(result);
  if (pattern.empty()) return std::nullopt;
  return FillText(pattern, file);
}

bool DesktopCannotOpen(OpenDocumentResult result) {
  switch (result) {
    case OpenDocumentResult::Ok:
    case OpenDocumentResult::FileNotFound:
    case OpenDocumentResult::PathNotFound:
      return false;
    default:
      return true;
  }
}

bool OpenWithDesktopOr(const fs::path& file, const OwnViewer& viewer) {
  const OpenDocumentResult result = platform::OpenDocument(file, file.parent_path());
  if (result == OpenDocumentResult::Ok) return true;
  if (viewer && DesktopCannotOpen(result) && viewer(file)) return true;
  const auto failure = DocumentationOpenFailure(result, file.string());
  platform::ShowMessageBox(*failure, platform::Buttons::Ok, platform::Icon::Error);
  return false;
}

bool OpenProjectDocumentation(const ProjectFile& project, const OwnViewer& viewer) {
  return OpenWithDesktopOr(project.docFile(), viewer);
}

}  // namespace zel::app
