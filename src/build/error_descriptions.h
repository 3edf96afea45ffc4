#pragma once
// Error description files: the texts behind the numbers the linker, the controller and
// the drivers' commands report. A text file of lines "<number>: <description>"; empty
// lines and lines starting with ";" are passed over, the first line whose number is the
// code gives the text behind its first ":".

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zel::build {

inline constexpr std::string_view kControllerErrorFile = "ErrorKZC.txt";
inline constexpr std::string_view kLinkErrorFile = "ErrorLnk.txt";
// The files by number, in the program directory.
inline constexpr int kControllerErrorFileNumber = 0;
inline constexpr int kLinkErrorFileNumber = 1;
// A line is read this far; the rest of a longer line is passed over.
inline constexpr std::size_t kErrorLineMax = 1000;

// The description of `code` in the text of such a file; nullopt when no line gives one.
std::optional<std::string> FindErrorDescription(std::string_view text, long code);
// The same from a file (found without regard to case); nullopt also when it cannot be read.
std::optional<std::string> ReadErrorDescription(const std::filesystem::path& file, long code);

struct ErrorDescription {
  std::optional<std::string> text;
  // For a file number that names no file: "ERROR: No error descriptions for Error %d,
  // error file number %d", for the caller to show; empty otherwise.
  std::string complaint;
};
ErrorDescription LookupErrorDescription(const std::filesystem::path& programDirectory,
                                        int fileNumber, long code);

}  // namespace zel::build
