// Every reader of the controller's replies on arbitrary reply text: none may crash, read
// past the text or give a value it did not read.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "access/driver_replies.h"
#include "access/file_replies.h"
#include "access/identity_reply.h"
#include "access/operand_replies.h"
#include "access/reply_number.h"
#include "access/value_display.h"

using namespace zel::access;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view reply(reinterpret_cast<const char*>(data), size);
  if (const auto list = ReadValueList(reply)) {
    for (const auto& n : *list) {
      if (n.value > 0xFFFFFFFFLL || n.value < -0x80000000LL) __builtin_trap();
      FormatWord(n.value, WordDisplay::Signed);
    }
  }
  ReadWordList(reply);
  if (const auto counter = ReadCounterReply(reply)) FormatWord(counter->value, WordDisplay::Hex);
  if (const auto timer = ReadTimerReply(reply)) {
    TimerModeText(timer->mode, timer->marked);
    FormatHundredths(timer->preset);
  }
  ReadProgramReply(reply);
  ReadControllerError(reply);
  const Identity identity = ReadIdentity(reply);
  identity.canForceOperands(537);
  if (identity.platform.size() > reply.size()) __builtin_trap();
  ReadFieldbusSlaveCount(reply);
  ReadFieldbusSlave(reply);
  ReadStringCount(reply);
  if (const auto text = ReadStringValue(reply); text && text->size() > kMaxStringShown) {
    __builtin_trap();
  }
  ReadDrives(reply);
  ReadCurrentDirectory(reply);
  ReadFreeSpace(reply);
  ReadDirectoryName(reply);
  ReadFileStamp(reply);
  ReadDirectoryEntry(reply);
  ReadFileExists(reply);
  return 0;
}
