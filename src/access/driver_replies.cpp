#include "access/driver_replies.h"

#include "access/reply_number.h"

namespace zel::access {
namespace {

void SkipBlanks(std::string_view& text) {
  while (!text.empty() && (text[0] == ' ' || text[0] == '\t')) text.remove_prefix(1);
}

}  // namespace

std::optional<std::int64_t> ReadFieldbusSlaveCount(std::string_view reply) {
  const auto count = ReadSingleValue(reply);
  if (!count || *count < 0) return std::nullopt;
  return count;
}

std::optional<FieldbusSlave> ReadFieldbusSlave(std::string_view reply) {
  if (reply.empty() || reply[0] != '=') return std::nullopt;
  reply.remove_prefix(1);
  std::int64_t fields[4];
  for (auto& field : fields) {
    const bool separated = !reply.empty() && (reply[0] == ' ' || reply[0] == '\t');
    SkipBlanks(reply);
    // The first number may follow "=" directly; the others need a blank before them.
    if (&field != fields && !separated) return std::nullopt;
    const auto number = ReadReplyNumber(reply);
    if (!number || number->value < 0) return std::nullopt;
    field = number->value;
  }
  return FieldbusSlave{fields[0], fields[1], fields[2], fields[3]};
}

std::optional<std::int64_t> ReadStringCount(std::string_view reply) {
  constexpr std::size_t kCountColumn = 8;
  if (reply.size() <= kCountColumn) return std::nullopt;
  reply.remove_prefix(kCountColumn);
  SkipBlanks(reply);
  const auto count = ReadReplyNumber(reply);
  if (!count || count->value < 0) return std::nullopt;
  return count->value;
}

std::optional<std::string> ReadStringValue(std::string_view reply) {
  // "=", the two delimiters, and whatever stands between them.
  if (reply.size() < 3 || reply[0] != '=') return std::nullopt;
  std::string_view text = reply.substr(2, reply.size() - 3);
  if (text.size() > kMaxStringShown) text = text.substr(0, kMaxStringShown);
  return std::string(text);
}

}  // namespace zel::access
