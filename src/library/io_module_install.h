#pragma once
// Installing, deinstalling and extracting IO module scripts of a controller type's
// run-time library folder, with every question and message of the library page.
// Each returns whether it did its work (false: refused, declined or failed, the user was
// told).

#include <filesystem>
#include <string_view>

namespace zel::library {

// Copies the script into the folder. Refused: another extension, a script that does not
// parse; an existing module of that name is overwritten only when the user says so.
bool InstallIoModule(const std::filesystem::path& programDirectory, std::string_view type,
                     const std::filesystem::path& script);
// Deletes the script after asking.
bool DeinstallIoModule(const std::filesystem::path& programDirectory, std::string_view type,
                       std::string_view fileName);
// Copies the script to `destination`, which must keep the extension ".iod".
bool ExtractIoModule(const std::filesystem::path& programDirectory, std::string_view type,
                     std::string_view fileName, const std::filesystem::path& destination);

}  // namespace zel::library
