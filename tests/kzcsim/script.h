#pragma once
// Runs a table of commands against one interpreter, in order, and compares every reply
// whole (kind and text); a differing row does not stop the rows after it.

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "tools/kzcsim/ci_interpreter.h"

namespace zel::kzcsim::test {

inline constexpr Reply::Kind OK = Reply::Kind::Text;
inline constexpr Reply::Kind ERR = Reply::Kind::Error;
inline constexpr Reply::Kind MORE = Reply::Kind::MoreInput;
inline constexpr Reply::Kind NONE = Reply::Kind::Silent;

struct Step {
  std::string_view command;
  Reply::Kind kind;
  std::string_view text;
};

inline void RunScript(Interpreter& ci, const std::vector<Step>& steps) {
  for (const Step& step : steps) {
    SCOPED_TRACE(std::string("command \"") + std::string(step.command) + "\"");
    const Reply reply = ci.Execute(step.command);
    EXPECT_EQ(static_cast<int>(reply.kind), static_cast<int>(step.kind));
    EXPECT_EQ(reply.text, step.text);
  }
}

// An unlocked controller without drives, answering in decimal.
inline ControllerConfig PlainConfig() {
  ControllerConfig config;
  config.drives.clear();
  return config;
}

}  // namespace zel::kzcsim::test
