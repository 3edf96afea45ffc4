#pragma once
// zelc: the command-line front end over the same cores as the desktop program. Every
// command prints what the desktop program would show in its lists or message window on
// `out`; questions and failures go through the platform's message box host (on the
// console: stderr). The result is the process exit status: 0 only on success.

#include <ostream>

namespace zel::zelc {

int RunZelc(int argc, char** argv, std::ostream& out);

}  // namespace zel::zelc
