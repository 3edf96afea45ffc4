#pragma once
// Where a build's steps report: the message window text, and the errors and warnings the
// build counts. Each step is handed the log, so the steps run alike in a build, in a test
// that reads the text back, and in zelc.

#include <cstdint>
#include <string>
#include <string_view>

namespace zel::build {

class BuildLog {
 public:
  virtual ~BuildLog() = default;

  // Text exactly as the message window shows it (the caller gives the CR LFs).
  virtual void print(std::string_view text) = 0;

  // A message that counts one error (or warning) of the build.
  void error(std::string_view text) {
    print(text);
    countError();
  }
  void warning(std::string_view text) {
    print(text);
    ++m_warnings;
  }
  void countError(std::uint32_t count = 1) { m_errors += count; }

  std::uint32_t errors() const { return m_errors; }
  std::uint32_t warnings() const { return m_warnings; }

 private:
  std::uint32_t m_errors = 0;
  std::uint32_t m_warnings = 0;
};

// Keeps every text: for tests, and for front ends that show the text after the step.
class TextLog : public BuildLog {
 public:
  void print(std::string_view text) override { m_text.append(text); }
  const std::string& text() const { return m_text; }

 private:
  std::string m_text;
};

}  // namespace zel::build
