#pragma once
// Helpers for the shell core's tests: a unique temporary program directory that is
// removed afterwards, and scripted message box answers installed for one test.

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_box.h"

namespace zel::app::testing {

class ShellTempDir {
 public:
  ShellTempDir();
  ~ShellTempDir();
  ShellTempDir(const ShellTempDir&) = delete;
  ShellTempDir& operator=(const ShellTempDir&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path operator/(std::string_view name) const { return m_path / name; }
  void writeFile(std::string_view name, std::string_view content) const;
  std::string readFile(std::string_view name) const;  // empty when missing

 private:
  std::filesystem::path m_path;
};

// Installs a ScriptedHost for its lifetime and puts the previous host back.
class ScriptedAnswers {
 public:
  explicit ScriptedAnswers(std::deque<platform::Answer> answers = {});
  ~ScriptedAnswers();
  ScriptedAnswers(const ScriptedAnswers&) = delete;
  ScriptedAnswers& operator=(const ScriptedAnswers&) = delete;

  std::vector<std::string> texts() const { return m_host->texts(); }

 private:
  std::shared_ptr<platform::ScriptedHost> m_host;
  std::shared_ptr<platform::MessageBoxHost> m_previous;
};

}  // namespace zel::app::testing
