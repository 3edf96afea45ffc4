#include "access/reply_number.h"

namespace zel::access {
namespace {

constexpr std::int64_t kMaxUnsigned32 = 0xFFFFFFFFLL;
constexpr std::int64_t kMinSigned32 = -0x80000000LL;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::optional<ReplyNumber> ReadReplyNumber(std::string_view& text) {
  std::size_t pos = 0;
  ReplyNumber number;
  if (!text.empty() && text[0] == '$') {
    number.hex = true;
    pos = 1;
    const std::size_t first = pos;
    for (; pos < text.size() && HexDigit(text[pos]) >= 0; ++pos) {
      number.value = number.value * 16 + HexDigit(text[pos]);
      if (number.value > kMaxUnsigned32) return std::nullopt;
    }
    if (pos == first) return std::nullopt;
  } else {
    const bool negative = !text.empty() && text[0] == '-';
    pos = negative ? 1 : 0;
    const std::size_t first = pos;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
      number.value = number.value * 10 + (text[pos] - '0');
      if (number.value > kMaxUnsigned32) return std::nullopt;
    }
    if (pos == first) return std::nullopt;
    if (negative) {
      number.value = -number.value;
      if (number.value < kMinSigned32) return std::nullopt;
    }
  }
  text.remove_prefix(pos);
  return number;
}

std::optional<std::vector<ReplyNumber>> ReadValueList(std::string_view reply,
                                                      std::size_t maxValues) {
  if (reply.empty() || reply[0] != '=' || maxValues == 0) return std::nullopt;
  reply.remove_prefix(1);
  std::vector<ReplyNumber> values;
  const auto first = ReadReplyNumber(reply);
  if (!first) return std::nullopt;
  values.push_back(*first);
  while (values.size() < maxValues && !reply.empty() && (reply[0] == '=' || reply[0] == ',')) {
    std::string_view rest = reply.substr(1);
    const auto next = ReadReplyNumber(rest);
    if (!next) break;
    values.push_back(*next);
    reply = rest;
  }
  return values;
}

std::optional<std::int64_t> ReadSingleValue(std::string_view reply) {
  const auto values = ReadValueList(reply, 1);
  if (!values) return std::nullopt;
  return values->front().value;
}

}  // namespace zel::access
