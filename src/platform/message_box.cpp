#include "platform/message_box.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <span>

#include "platform/code_page.h"

namespace zel::platform {
namespace {

// The buttons of each kind, left to right.
std::span<const Answer> ButtonsOf(Buttons buttons) {
  static constexpr Answer kOk[] = {Answer::Ok};
  static constexpr Answer kOkCancel[] = {Answer::Ok, Answer::Cancel};
  static constexpr Answer kYesNo[] = {Answer::Yes, Answer::No};
  static constexpr Answer kYesNoCancel[] = {Answer::Yes, Answer::No, Answer::Cancel};
  static constexpr Answer kAbortRetryIgnore[] = {Answer::Abort, Answer::Retry, Answer::Ignore};
  static constexpr Answer kRetryCancel[] = {Answer::Retry, Answer::Cancel};
  switch (buttons) {
    case Buttons::Ok:
      return kOk;
    case Buttons::OkCancel:
      return kOkCancel;
    case Buttons::YesNo:
      return kYesNo;
    case Buttons::YesNoCancel:
      return kYesNoCancel;
    case Buttons::AbortRetryIgnore:
      return kAbortRetryIgnore;
    case Buttons::RetryCancel:
      return kRetryCancel;
  }
  return kOk;
}

// The first of `preferred` that the request offers; its default button when none is.
Answer FirstOffered(const MessageBoxRequest& request, std::initializer_list<Answer> preferred) {
  std::span<const Answer> offered = ButtonsOf(request.buttons);
  for (Answer answer : preferred) {
    if (std::find(offered.begin(), offered.end(), answer) != offered.end()) {
      return answer;
    }
  }
  return DefaultAnswer(request);
}

struct HostSlot {
  std::mutex mutex;
  std::shared_ptr<MessageBoxHost> host;
};

// Never destroyed: a worker may still ask a question while the process exits.
HostSlot& TheHostSlot() {
  static HostSlot& slot = *new HostSlot;
  return slot;
}

}  // namespace

// A default button beyond the buttons offered falls back to the first, as on the
// original platform.
Answer DefaultAnswer(const MessageBoxRequest& request) {
  std::span<const Answer> offered = ButtonsOf(request.buttons);
  const bool inRange = request.defaultButton >= 0 &&
                       static_cast<std::size_t>(request.defaultButton) < offered.size();
  return offered[inRange ? static_cast<std::size_t>(request.defaultButton) : 0];
}

void SetMessageBoxHost(std::shared_ptr<MessageBoxHost> host) {
  HostSlot& slot = TheHostSlot();
  std::lock_guard lock(slot.mutex);
  slot.host = std::move(host);
}

std::shared_ptr<MessageBoxHost> GetMessageBoxHost() {
  HostSlot& slot = TheHostSlot();
  std::lock_guard lock(slot.mutex);
  if (!slot.host) {
    slot.host = std::make_shared<ConsoleHost>();
  }
  return slot.host;
}

Answer ShowMessageBox(const MessageBoxRequest& request) {
  if (!request.caption.empty()) {
    return GetMessageBoxHost()->show(request);
  }
  MessageBoxRequest titled = request;
  titled.caption = kDefaultCaption;
  return GetMessageBoxHost()->show(titled);
}

Answer ShowMessageBox(std::string text, Buttons buttons, Icon icon, std::string caption) {
  MessageBoxRequest request;
  request.text = std::move(text);
  request.caption = std::move(caption);
  request.buttons = buttons;
  request.icon = icon;
  return ShowMessageBox(request);
}

ConsoleHost::ConsoleHost(Policy policy, std::string appTitle)
    : m_policy(policy), m_appTitle(std::move(appTitle)) {}

Answer ConsoleHost::show(const MessageBoxRequest& request) {
  const std::string& caption = request.caption.empty() ? m_appTitle : request.caption;
  // Texts carry names and comments from project files (Windows-1252); terminals read UTF-8.
  const std::string line = Cp1252ToUtf8(caption + ": " + request.text + "\n");
  std::fwrite(line.data(), 1, line.size(), stderr);  // one write, so lines of workers stay whole
  switch (m_policy) {
    case Policy::Yes:
      return FirstOffered(request, {Answer::Yes, Answer::Ok, Answer::Ignore});
    case Policy::No:
      return FirstOffered(request, {Answer::No, Answer::Cancel, Answer::Abort});
    case Policy::Default:
      break;
  }
  return DefaultAnswer(request);
}

Answer ScriptedHost::show(const MessageBoxRequest& request) {
  std::lock_guard lock(m_mutex);
  m_shown.push_back(request);
  if (m_answers.empty()) {
    return DefaultAnswer(request);
  }
  const Answer answer = m_answers.front();
  m_answers.pop_front();
  return answer;
}

void ScriptedHost::push(Answer answer) {
  std::lock_guard lock(m_mutex);
  m_answers.push_back(answer);
}

std::vector<MessageBoxRequest> ScriptedHost::shown() const {
  std::lock_guard lock(m_mutex);
  return m_shown;
}

std::vector<std::string> ScriptedHost::texts() const {
  std::lock_guard lock(m_mutex);
  std::vector<std::string> texts;
  texts.reserve(m_shown.size());
  for (const MessageBoxRequest& request : m_shown) {
    texts.push_back(request.text);
  }
  return texts;
}

void ScriptedHost::clear() {
  std::lock_guard lock(m_mutex);
  m_shown.clear();
}

}  // namespace zel::platform
