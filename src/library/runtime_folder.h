#pragma once
// The run-time library folder of a controller type: "RUNTIME." + type in the program
// directory (the directory ZEL.INI lives in). It holds the driver scripts (".dmk"), the
// IO module scripts (".iod") and the files the scripts install. Names inside are found
// without regard to case, so a folder or file written in another case still serves.

#include <filesystem>
#include <string_view>

namespace zel::library {

namespace fs = std::filesystem;

inline constexpr std::string_view kRuntimeFolderPrefix = "RUNTIME.";
inline constexpr std::string_view kDriverScriptExtension = ".dmk";
inline constexpr std::string_view kIoScriptExtension = ".iod";

// The folder of `type` (any case) in `programDirectory`; the existing spelling when there
// is one, else "RUNTIME." + the type in upper case (the name to create).
fs::path RuntimeDirectory(const fs::path& programDirectory, std::string_view type);
// A file in that folder, found without regard to case when it exists.
fs::path RuntimeFilePath(const fs::path& programDirectory, std::string_view type,
                         std::string_view file);
// The driver script of `name` (a driver name, without extension): name + ".dmk".
fs::path DriverScriptPath(const fs::path& programDirectory, std::string_view type,
                          std::string_view name);

}  // namespace zel::library
