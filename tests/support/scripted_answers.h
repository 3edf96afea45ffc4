#pragma once
// Scripted message box answers for one test: a ScriptedHost is the message box host for
// the lifetime of this object, and the previous host is put back afterwards.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace zel::test {

class ScriptedAnswers {
 public:
  explicit ScriptedAnswers(std::deque<platform::Answer> answers = {});
  ~ScriptedAnswers();
  ScriptedAnswers(const ScriptedAnswers&) = delete;
  ScriptedAnswers& operator=(const ScriptedAnswers&) = delete;

  void push(platform::Answer answer) { m_host->push(answer); }
  std::vector<std::string> texts() const { return m_host->texts(); }
  std::vector<platform::MessageBoxRequest> shown() const { return m_host->shown(); }
  void clear() { m_host->clear(); }  // forgets what was shown; queued answers stay

 private:
  std::shared_ptr<platform::ScriptedHost> m_host;
  std::shared_ptr<platform::MessageBoxHost> m_previous;
};

}  // namespace zel::test
