#pragma once
// Compiles one statement-list module of a project: the check, the code generation and the
// object file, reported to the message window and the module's log. The start runs on the
// caller's thread; the rest on one worker thread, so a window stays responsive. Only one
// compilation exists at a time in the process.

#include <filesystem>
#include <string_view>

namespace zel::stl {

// Starts compiling `moduleName` (CZ0P05V1, any case, no extension) of the project in
// `projectDirectory`. True when the worker runs; false when the compilation already ended
// with an error counted, or when another compilation is still running (which is left
// alone and keeps its own count).
bool StartCompile(const std::filesystem::path& projectDirectory, std::string_view moduleName);
// True while the worker runs.
bool IsCompiling();
// The errors of the last compilation; valid once IsCompiling() is false.
int CompileErrorCount();
// Blocks until the worker has ended (at once when none runs). For a caller that must not
// go on, or leave, while a compilation still writes files.
void WaitForCompile();

// A ladder-diagram module (file extension ".KOP", any case) is never compiled.
bool IsLadderModule(std::string_view fileName);
// What a caller reports instead of compiling a ladder module: the message window line.
// The number of errors to count (1).
int ReportLadderModule();

}  // namespace zel::stl
