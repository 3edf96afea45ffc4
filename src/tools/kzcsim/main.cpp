// kzcsim: a virtual controller for tests and for working without hardware.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "tools/kzcsim/ci_interpreter.h"
#include "tools/kzcsim/responder.h"
#include "tools/kzcsim/sim_options.h"
#include "tools/kzcsim/sim_server.h"

namespace {

namespace fs = std::filesystem;
using namespace zel::kzcsim;

std::optional<std::string> Env(const char* name) {
  const char* value = std::getenv(name);
  if (!value || !*value) return std::nullopt;
  return std::string(value);
}

// Drives in a folder of their own for this run, removed at the end.
class TempDrives {
 public:
  TempDrives() {
    std::error_code error;
    std::string pattern = (fs::temp_directory_path(error) / "kzcsim-XXXXXX").string();
    if (::mkdtemp(pattern.data())) m_path = pattern;
  }
  ~TempDrives() {
    std::error_code error;
    if (!m_path.empty()) fs::remove_all(m_path, error);
  }
  const fs::path& path() const { return m_path; }

 private:
  fs::path m_path;
};

struct FileCloser {
  void operator()(std::FILE* file) const {
    if (file && file != stderr) std::fclose(file);
  }
};

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  auto options = ParseOptions(args, {Env("ZEL_CI_PORT"), Env("ZEL_TFTP_PORT")}, error);
  if (!options) {
    std::cerr << "kzcsim: " << error << "\n" << Usage();
    return 2;
  }
  if (options->help) {
    std::cout << Usage();
    return 0;
  }
  std::unique_ptr<std::FILE, FileCloser> logFile;
  if (options->logFile == "-") {
    logFile.reset(stderr);
  } else if (!options->logFile.empty()) {
    logFile.reset(std::fopen(options->logFile.c_str(), "a"));
    if (!logFile) {
      std::cerr << "kzcsim: cannot write the log " << options->logFile << "\n";
      return 2;
    }
  }
  std::unique_ptr<TempDrives> tempDrives;
  if (options->controller.drives.empty()) {
    tempDrives = std::make_unique<TempDrives>();
    options->controller.drives = tempDrives->path();
  }

  Interpreter interpreter(options->controller);
  FaultPlan faults(options->faults);
  ExchangeLog log(logFile.get());
  Responder responder(interpreter, faults, log);
  SimServer server(*options, responder, interpreter.controller(), log);
  if (!server.Open(std::cout, error)) {
    std::cerr << "kzcsim: " << error << "\n";
    return 1;
  }
  return server.Run();
}
