#include "build/startup_batch.h"

namespace zel::build {
namespace {

constexpr std::string_view kCannotWrite = "ERROR: Cannot write to Startup.BAT\r\n";

}  // namespace

std::string KernelLine(std::string_view kernelDirectory, std::string_view projectDirectory,
                       std::string_view kernelParams, std::string_view comPort) {
  std::string line = std::string(kernelDirectory) + std::string(kKernelFileName) + " " +
                     std::string(projectDirectory) + "PROJECT.RUN";
  if (!kernelParams.empty()) line += " " + std::string(kernelParams);
  if (!comPort.empty()) line += " -c" + std::string(comPort);
  return line;
}

bool StartupBatch::create(const std::filesystem::path& path) {
  m_file.reset(std::fopen(path.c_str(), "wb"));
  m_failed = false;
  return m_file != nullptr;
}

void StartupBatch::append(std::string_view text, BuildLog& log) {
  if (!m_file) {
    fail(log);
    return;
  }
  if (std::fwrite(text.data(), 1, text.size(), m_file.get()) != text.size()) fail(log);
}

void StartupBatch::close(BuildLog& log) {
  if (!m_file) return;
  const bool flushed = std::fflush(m_file.get()) == 0;
  const bool closed = std::fclose(m_file.release()) == 0;
  if (!flushed || !closed) fail(log);
}

void StartupBatch::fail(BuildLog& log) {
  if (m_failed) return;
  m_failed = true;
  log.error(kCannotWrite);
}

}  // namespace zel::build
