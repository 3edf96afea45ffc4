#include "shell_test_support.h"

#include <fstream>
#include <random>
#include <sstream>

namespace zel::app::testing {

ShellTempDir::ShellTempDir() {
  std::random_device random;
  const auto base = std::filesystem::temp_directory_path();
  do {
    m_path = base / ("zel_shell_" + std::to_string(random()) + std::to_string(random()));
  } while (!std::filesystem::create_directory(m_path));
}

ShellTempDir::~ShellTempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

void ShellTempDir::writeFile(std::string_view name, std::string_view content) const {
  const auto file = m_path / name;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out << content;
}

std::string ShellTempDir::readFile(std::string_view name) const {
  std::ifstream in(m_path / name, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

ScriptedAnswers::ScriptedAnswers(std::deque<platform::Answer> answers)
    : m_host(std::make_shared<platform::ScriptedHost>(std::move(answers))),
      m_previous(platform::GetMessageBoxHost()) {
  platform::SetMessageBoxHost(m_host);
}

ScriptedAnswers::~ScriptedAnswers() {
  platform::SetMessageBoxHost(m_previous);
}

}  // namespace zel::app::testing
