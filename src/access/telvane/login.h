#pragma once
// The login: a state machine on the thread that called StartLogin, fed by the answers to
// its own commands, which come back as messages to a target of that thread. Its window is
// the platform's login host; the machine only tells it what to show.
//
//   Search --banner--> SetBaud (serial) --"MV="--> Identify --"L?"--> [Unlock <-> Recheck]
//          \--banner (network)-------------------/                    --> BuildDate --> Ready
//
// A state that gets an error reply or a time-out starts the search again; the fifth search
// gives up with "login failed\r\n".

#include <cstdint>

#include "platform/messages.h"

namespace zel::telvane {

// Flags of StartLogin.
inline constexpr std::int32_t kLoginCloseWhenDone = 1;
inline constexpr std::int32_t kLoginHideClose = 2;
inline constexpr std::int32_t kLoginNoResultMessage = 4;

inline constexpr int kMaxSearches = 5;
inline constexpr int kProbesPerSearch = 6;
inline constexpr int kPasswordAttempts = 3;

// 1 logged in, 0 not, -1 not connected.
int RunLogin(platform::TargetId window, platform::ThreadId thread, std::int32_t flags);

}  // namespace zel::telvane
