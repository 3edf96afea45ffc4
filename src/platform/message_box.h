#pragma once
// Questions and notices that core code must put to the user go through one registered
// host: the desktop program shows real dialogs, the command-line front end prints the
// text and answers by its options, and tests script the answers. The core never knows
// which.

#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace zel::platform {

// The caption of a request that names none: the application title.
inline constexpr std::string_view kDefaultCaption = "ZEL";

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore, RetryCancel };
enum class Icon { None, Information, Warning, Error, Question };
enum class Answer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

struct MessageBoxRequest {
  std::string text;
  std::string caption;  // empty: the application title
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
  int defaultButton = 0;  // index among the buttons, left to right
};

// The answer the default button of a request gives.
Answer DefaultAnswer(const MessageBoxRequest& request);

class MessageBoxHost {
 public:
  virtual ~MessageBoxHost() = default;
  virtual Answer show(const MessageBoxRequest& request) = 0;
};

// The host used by ShowMessageBox. Without one, a ConsoleHost with the default policy
// serves.
void SetMessageBoxHost(std::shared_ptr<MessageBoxHost> host);
std::shared_ptr<MessageBoxHost> GetMessageBoxHost();

Answer ShowMessageBox(const MessageBoxRequest& request);
Answer ShowMessageBox(std::string text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                      std::string caption = {});

// Prints "caption: text" to stderr and answers by its policy:
// Default takes the default button, Yes takes Yes/Ok/Ignore where offered, No takes
// No/Cancel/Abort where offered.
class ConsoleHost : public MessageBoxHost {
 public:
  enum class Policy { Default, Yes, No };
  explicit ConsoleHost(Policy policy = Policy::Default,
                       std::string appTitle = std::string(kDefaultCaption));
  Answer show(const MessageBoxRequest& request) override;

 private:
  Policy m_policy;
  std::string m_appTitle;
};

// For tests: answers from a queue (the default button when the queue is empty) and keeps
// every request it was shown. Workers may ask questions, so every member is guarded.
class ScriptedHost : public MessageBoxHost {
 public:
  explicit ScriptedHost(std::deque<Answer> answers = {}) : m_answers(std::move(answers)) {}
  Answer show(const MessageBoxRequest& request) override;
  void push(Answer answer);
  std::vector<MessageBoxRequest> shown() const;
  std::vector<std::string> texts() const;
  void clear();

 private:
  mutable std::mutex m_mutex;
  std::deque<Answer> m_answers;
  std::vector<MessageBoxRequest> m_shown;
};

}  // namespace zel::platform
