#include "support/scripted_answers.h"

namespace zel::test {

ScriptedAnswers::ScriptedAnswers(std::deque<platform::Answer> answers)
    : m_host(std::make_shared<platform::ScriptedHost>(std::move(answers))),
      m_previous(platform::GetMessageBoxHost()) {
  platform::SetMessageBoxHost(m_host);
}

ScriptedAnswers::~ScriptedAnswers() {
  platform::SetMessageBoxHost(m_previous);
}

}  // namespace zel::test
