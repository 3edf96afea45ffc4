#include <algorithm>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/messages.h"
#include "platform/no_case.h"

namespace zel::platform {
namespace {

// Registered numbers share the 16-bit message range with the fixed ones.
constexpr MessageId kLastRegisteredMessage = 0xFFFF;

struct MessageNames {
  std::mutex mutex;
  std::unordered_map<std::string, MessageId> numbers;  // by lower-case name
};

// Never destroyed: a library unloaded late may still register its names.
MessageNames& Names() {
  static MessageNames& names = *new MessageNames;
  return names;
}

// ASCII only, so the process locale cannot change which names are one.
std::string LowerCase(std::string_view name) {
  std::string key(name);
  std::transform(key.begin(), key.end(), key.begin(), LowerAscii);
  return key;
}

}  // namespace

MessageId RegisterMessage(std::string_view name) {
  if (name.empty()) {
    return 0;
  }
  MessageNames& names = Names();
  std::string key = LowerCase(name);
  std::lock_guard lock(names.mutex);
  if (auto it = names.numbers.find(key); it != names.numbers.end()) {
    return it->second;
  }
  const MessageId number = kFirstRegisteredMessage + static_cast<MessageId>(names.numbers.size());
  if (number > kLastRegisteredMessage) {
    return 0;
  }
  names.numbers.emplace(std::move(key), number);
  return number;
}

}  // namespace zel::platform
