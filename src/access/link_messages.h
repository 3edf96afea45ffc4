#pragma once
// What a controller link tells the user when the access library cannot be used. Each is
// shown as an error box through the platform's message box host.

#include <cstdint>
#include <string>
#include <string_view>

namespace zel::access {

inline constexpr std::string_view kMsgIncompleteLibrary =  // 5181
    "Incomplete communication library\n  (libtelvane.so).";
inline constexpr std::string_view kMsgLibraryBusy = "Telvane library is busy.";  // 5182
inline constexpr std::string_view kMsgInvalidParameter =                         // 5183
    "Invalid parameter passed to Telvane library.";
inline constexpr std::string_view kMsgCannotOpenPort =  // 5184
    "Telvane library could not open communication port.";
inline constexpr std::string_view kMsgCannotLoadLibrary =  // 5186
    "Cannot load communication library\n  (libtelvane.so).";

// 5185 "Telvane library: unexpected error %u." for a result of Connect it does not know.
std::string UnexpectedErrorMessage(std::uint32_t result);

// The message for a non-zero result of Connect.
std::string ConnectFailureMessage(std::int32_t result);

}  // namespace zel::access
