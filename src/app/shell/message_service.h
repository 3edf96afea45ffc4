#pragma once
// The message window service: the one text every compile, build, download and online
// job reports into. The service owns the text; the window that shows it (and the
// command-line front end's printer) follow it through a sink. Worker threads never
// touch it: they post their text as a global atom with "ZEL4MessageWindowMsg", and the
// service's own thread prints it.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/messages.h"
#include "platform/named_mutex.h"

namespace zel::app {

inline constexpr std::string_view kMessageWindowMsgName = "ZEL4MessageWindowMsg";
inline constexpr std::string_view kMessageMutexName = "ZEL_4_00_MSG_MUTEX";

inline constexpr std::size_t kPrintMessageMax = 4000;        // characters of one PrintMessage
inline constexpr std::size_t kPostFormatBufferSize = 10000;  // PostMessageText's format buffer
inline constexpr std::size_t kPostedTextMax = 254;           // characters one post carries
inline constexpr std::size_t kReceiveBufferSize = 260;       // the receiver's atom buffer
// Above kMessageTextLimit characters the head is cut so that kMessageTextKeep remain, in
// one step, so a long build does not slow the text display down.
inline constexpr std::size_t kMessageTextLimit = 24000;
inline constexpr std::size_t kMessageTextKeep = 23000;

// Sees every change of the text, on the service's thread.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void appended(std::string_view text) = 0;
  virtual void cleared() = 0;
  virtual void headCut(std::size_t count) = 0;  // the first `count` characters went
  virtual void activate() {}
};

class MessageWindowService {
 public:
  // Owned by the calling thread: posted texts arrive on that thread's message queue.
  MessageWindowService();
  ~MessageWindowService();
  MessageWindowService(const MessageWindowService&) = delete;
  MessageWindowService& operator=(const MessageWindowService&) = delete;

  void append(std::string_view text);
  void clear();
  std::string text() const;
  // The selected range, or the whole text when nothing is selected (start == end).
  std::string copyMessages(std::size_t selectionStart, std::size_t selectionEnd) const;

  // Sinks are not owned; one must be removed before it is destroyed.
  void addSink(MessageSink& sink);
  void removeSink(MessageSink& sink);
  void activate();

  platform::TargetId target() const { return m_target.id(); }
  platform::ThreadId thread() const { return m_thread; }

 private:
  platform::LParam receive(const platform::Message& message);

  mutable platform::NamedMutex m_mutex;
  std::string m_text;
  std::vector<MessageSink*> m_sinks;
  platform::ThreadId m_thread;
  platform::MessageTarget m_target;
};

platform::MessageId MessageWindowMessage();  // "ZEL4MessageWindowMsg"

// The process's message window. ShowMessageWindow creates it on the calling thread when
// there is none (and lets the creation hook, the desktop's window, attach to it); with
// `activate` the sinks are asked to bring it to front.
MessageWindowService* ShowMessageWindow(bool activate);
// None when the message window is closed. Only for the window's own thread.
MessageWindowService* FindMessageWindow();
// When the window closes, on its thread; texts still on their way are dropped.
void CloseMessageWindow();
void SetMessageWindowCreationHook(std::function<void(MessageWindowService&)> hook);

// Formats (at most kPrintMessageMax characters) and appends; nothing without a window.
// From another thread than the window's the text travels as posted messages.
[[gnu::format(printf, 1, 2)]] void PrintMessage(const char* format, ...);
// For worker threads: at most kPostedTextMax characters, posted to the window. 0 when
// nothing could be posted (no window, no atom), else non-zero.
[[gnu::format(printf, 1, 2)]] int PostMessageText(const char* format, ...);
void ClearMessages();
// The current text, empty without a window; callable from any thread.
std::string MessageWindowText();

}  // namespace zel::app
