#include "app/shell/message_service.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <set>

#include "app/text/text_format.h"
#include "platform/atoms.h"

namespace zel::app {

namespace {

using platform::Atom;
using platform::AtomTable;

// A posted message without an atom that asks the window's thread to clear the text.
constexpr platform::LParam kClearRequest = 1;

// The process's one message window.
//
// Lock order: the window's text mutex (named, so every holder shares it) before `lock`.
// Sinks are told with the text mutex held and may call anything here, so nothing may
// wait for the text mutex while holding `lock`; and `lock` is never held across a post,
// whose wake-up hook may post in turn.
struct ServiceRegistry {
  std::mutex lock;
  platform::NamedMutex textMutex{kMessageMutexName};
  std::unique_ptr<MessageWindowService> service;
  platform::TargetId target = 0;
  platform::ThreadId thread = 0;
  // Counts the closes: a poster that finds it changed knows the close took its atom.
  std::uint64_t closes = 0;
  // Atoms on their way to the window: a window that closes first deletes them, since
  // the queue drops their messages and nobody else would.
  std::multiset<Atom> inFlight;
  std::function<void(MessageWindowService&)> creationHook;
};

ServiceRegistry& Registry() {
  static ServiceRegistry registry;
  return registry;
}

// The atom is counted in flight before it is posted, so a close at any moment frees it:
// before the post, the post fails; after it, the queue drops it with the target.
bool PostTextToWindow(std::string_view text) {
  ServiceRegistry& r = Registry();
  platform::TargetId target = 0;
  std::uint64_t closes = 0;
  Atom atom = 0;
  {
    std::lock_guard guard(r.lock);
    if (r.target == 0) return false;
    atom = platform::AddAtom(AtomTable::Global, text);
    if (atom == 0) return false;
    r.inFlight.insert(atom);
    target = r.target;
    closes = r.closes;
  }
  if (platform::PostMessageTo(target, MessageWindowMessage(), atom, 0)) return true;
  {
    std::lock_guard guard(r.lock);
    if (r.closes != closes) return false;  // the close has deleted it with the others
    if (const auto found = r.inFlight.find(atom); found != r.inFlight.end())
      r.inFlight.erase(found);
  }
  platform::DeleteAtom(AtomTable::Global, atom);
  return false;
}

bool PostClearRequest() {
  ServiceRegistry& r = Registry();
  platform::TargetId target = 0;
  {
    std::lock_guard guard(r.lock);
    target = r.target;
  }
  return target != 0 && platform::PostMessageTo(target, MessageWindowMessage(), 0, kClearRequest);
}

void ForgetPostedAtom(Atom atom) {
  ServiceRegistry& r = Registry();
  std::lock_guard guard(r.lock);
  if (const auto found = r.inFlight.find(atom); found != r.inFlight.end()) r.inFlight.erase(found);
}

// The window when the caller is its thread; nullopt (no window) or nullptr (another
// thread's window) otherwise.
std::optional<MessageWindowService*> WindowForThisThread() {
  ServiceRegistry& r = Registry();
  std::lock_guard guard(r.lock);
  if (!r.service) return std::nullopt;
  return r.thread == platform::CurrentThreadId() ? r.service.get() : nullptr;
}

void DeliverText(std::string_view text) {
  const auto window = WindowForThisThread();
  if (!window) return;
  if (*window != nullptr) {
    (*window)->append(text);
    return;
  }
  // Another thread's window is only reached by posting, a piece at a time.
  for (std::size_t pos = 0; pos < text.size(); pos += kPostedTextMax) {
    PostTextToWindow(text.substr(pos, kPostedTextMax));
  }
}

}  // namespace

platform::MessageId MessageWindowMessage() {
  static const platform::MessageId id = platform::RegisterMessage(kMessageWindowMsgName);
  return id;
}

MessageWindowService::MessageWindowService()
    : m_mutex(kMessageMutexName),
      m_thread(platform::CurrentThreadId()),
      m_target([this](const platform::Message& message) { return receive(message); }) {}

MessageWindowService::~MessageWindowService() {
  // Nobody may be inside an edit while the window goes.
  m_mutex.lock();
  m_mutex.unlock();
}

void MessageWindowService::append(std::string_view text) {
  std::lock_guard guard(m_mutex);
  const auto sinks = m_sinks;  // a sink may remove itself while it is told
  if (m_text.size() > kMessageTextLimit) {
    const std::size_t cut = m_text.size() - kMessageTextKeep;
    m_text.erase(0, cut);
    for (MessageSink* sink : sinks) sink->headCut(cut);
  }
  m_text.append(text);
  for (MessageSink* sink : sinks) sink->appended(text);
}

void MessageWindowService::clear() {
  std::lock_guard guard(m_mutex);
  const auto sinks = m_sinks;
  m_text.clear();
  for (MessageSink* sink : sinks) sink->cleared();
}

std::string MessageWindowService::text() const {
  std::lock_guard guard(m_mutex);
  return m_text;
}

std::string MessageWindowService::copyMessages(std::size_t selectionStart,
                                               std::size_t selectionEnd) const {
  std::lock_guard guard(m_mutex);
  const std::size_t start = std::min({selectionStart, selectionEnd, m_text.size()});
  const std::size_t end = std::min(std::max(selectionStart, selectionEnd), m_text.size());
  if (start == end) return m_text;
  return m_text.substr(start, end - start);
}

void MessageWindowService::addSink(MessageSink& sink) {
  std::lock_guard guard(m_mutex);
  if (std::find(m_sinks.begin(), m_sinks.end(), &sink) == m_sinks.end()) m_sinks.push_back(&sink);
}

void MessageWindowService::removeSink(MessageSink& sink) {
  std::lock_guard guard(m_mutex);
  std::erase(m_sinks, &sink);
}

void MessageWindowService::activate() {
  std::vector<MessageSink*> sinks;
  {
    std::lock_guard guard(m_mutex);
    sinks = m_sinks;
  }
  for (MessageSink* sink : sinks) sink->activate();
}

platform::LParam MessageWindowService::receive(const platform::Message& message) {
  if (message.id != MessageWindowMessage()) return 0;
  if (message.wParam == 0) {
    if (message.lParam == kClearRequest) clear();
    return 0;
  }
  if (message.wParam > UINT16_MAX) return 0;
  const auto atom = static_cast<Atom>(message.wParam);
  ForgetPostedAtom(atom);
  const std::string text = platform::AtomName(AtomTable::Global, atom, kReceiveBufferSize);
  platform::DeleteAtom(AtomTable::Global, atom);
  append(text);
  return 0;
}

MessageWindowService* ShowMessageWindow(bool activate) {
  ServiceRegistry& r = Registry();
  MessageWindowService* service = nullptr;
  std::function<void(MessageWindowService&)> hook;
  {
    std::lock_guard guard(r.lock);
    if (!r.service) {
      r.service = std::make_unique<MessageWindowService>();
      r.target = r.service->target();
      r.thread = r.service->thread();
      hook = r.creationHook;
    }
    service = r.service.get();
  }
  if (hook) hook(*service);
  if (activate) service->activate();
  return service;
}

MessageWindowService* FindMessageWindow() {
  ServiceRegistry& r = Registry();
  std::lock_guard guard(r.lock);
  return r.service.get();
}

void CloseMessageWindow() {
  ServiceRegistry& r = Registry();
  std::unique_ptr<MessageWindowService> service;
  std::multiset<Atom> undelivered;
  {
    std::lock_guard guard(r.lock);
    // Only the owning thread may destroy the window's message target.
    if (!r.service || r.thread != platform::CurrentThreadId()) return;
    service = std::move(r.service);
    r.target = 0;
    r.thread = 0;
    ++r.closes;
    undelivered.swap(r.inFlight);
  }
  service.reset();
  for (const Atom atom : undelivered) platform::DeleteAtom(AtomTable::Global, atom);
}

void SetMessageWindowCreationHook(std::function<void(MessageWindowService&)> hook) {
  ServiceRegistry& r = Registry();
  std::lock_guard guard(r.lock);
  r.creationHook = std::move(hook);
}

void PrintMessage(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  const std::string text = FormatTextBounded(kPrintMessageMax, format, args);
  va_end(args);
  DeliverText(text);
}

int PostMessageText(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::string text = FormatTextBounded(kPostFormatBufferSize - 1, format, args);
  va_end(args);
  if (text.size() > kPostedTextMax) text.resize(kPostedTextMax);
  return PostTextToWindow(text) ? 1 : 0;
}

void ClearMessages() {
  const auto window = WindowForThisThread();
  if (!window) return;
  if (*window != nullptr) {
    (*window)->clear();
  } else {
    PostClearRequest();
  }
}

std::string MessageWindowText() {
  ServiceRegistry& r = Registry();
  // Held from the look-up on, it also keeps the window: its destructor waits for it.
  std::lock_guard text(r.textMutex);
  MessageWindowService* service = nullptr;
  {
    std::lock_guard guard(r.lock);
    service = r.service.get();
  }
  return service ? service->text() : std::string();
}

}  // namespace zel::app
