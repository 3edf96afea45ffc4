#pragma once
// The checks the preferences dialog's pages make on OK, and the choices they offer. A
// check that fails has already told the user why; the page then stays open.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zel::app {

inline constexpr std::string_view kMsgEnterProjectPath = "Please enter a project path.";
inline constexpr std::string_view kMsgCreateProjectDirectory =
    "The directory '%s' does not exist. \nCreate?";
inline constexpr std::string_view kMsgCannotCreateProjectDirectory =
    "Cannot create project directory.";
inline constexpr std::string_view kMsgIpAddressIncomplete =
    "Please enter a number for each field of the IP address";

inline constexpr std::array<long, 7> kBaudRates = {1200, 2400, 4800, 9600, 19200, 38400, 57600};
inline constexpr int kMaxComPortNumber = 15;

// Page "General": the absolute project directory the entry names, created on the user's
// word when missing; nullopt keeps the dialog open.
std::optional<std::filesystem::path> CheckProjectDirectoryEntry(
    std::string_view entry, const std::filesystem::path& programDirectory);

// Four dot-separated fields of 0 to 255.
bool IsCompleteIpAddress(std::string_view address);
// Page "Communication Port" with TCP/IP chosen.
bool CheckIpAddressEntry(std::string_view address);

bool IsSupportedBaudRate(long baudRate);
std::string ComPortName(int number);  // "COM%d"
// "COM1" to "COM15"; the page offers those of them that exist on this computer.
std::vector<std::string> ComPortCandidates();

}  // namespace zel::app
