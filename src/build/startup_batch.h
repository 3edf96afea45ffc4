#pragma once
// "Startup.BAT", the batch file the controller runs at power-on: the drivers' start-up
// lines, then the kernel line, which has no line end (the controller's command processor
// runs it as the batch file's last command either way). A write that fails, or a close
// that fails, is a build error: a controller started from a truncated batch file would
// not start the project.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "build/build_log.h"

namespace zel::build {

inline constexpr std::string_view kStartupBatchName = "Startup.BAT";
inline constexpr std::string_view kKernelFileName = "ZELPCR22.EXE";

// kernel directory + "ZELPCR22.EXE " + project directory + "PROJECT.RUN", then " " +
// parameters and " -c" + port when they are not empty.
std::string KernelLine(std::string_view kernelDirectory, std::string_view projectDirectory,
                       std::string_view kernelParams, std::string_view comPort);

class StartupBatch {
 public:
  // Creates (truncates) the file; false when it cannot be opened.
  bool create(const std::filesystem::path& path);
  // Appends the bytes as they are; the first failure is reported once.
  void append(std::string_view text, BuildLog& log);
  // Closes the file; a failed close (or an earlier failed write) counts once.
  void close(BuildLog& log);
  bool isOpen() const { return m_file != nullptr; }

 private:
  void fail(BuildLog& log);

  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> m_file;
  bool m_failed = false;
};

}  // namespace zel::build
