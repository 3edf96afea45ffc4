#include "stl/codegen/emitter.h"

#include "stl/codegen/fail.h"
#include "stl/codegen/messages.h"
#include "stl/codegen/translator.h"

namespace zel::stl::code {
namespace {

constexpr std::uint8_t kNearJump = 0xE9;
constexpr std::size_t kDisplacementSize = 2;
constexpr std::ptrdiff_t kShortReach = 127;

}  // namespace

void Emitter::byte(std::uint8_t value) {
  if (m_code.size() >= kCodeLimit) throw CodeStop{m_line, msg::kCodeSegmentOverflow};
  m_code.push_back(value);
}

void Emitter::bytes(std::initializer_list<std::uint8_t> values) {
  for (std::uint8_t v : values) byte(v);
}

void Emitter::word(std::uint16_t value) {
  if (m_code.size() + 2 > kCodeLimit) throw CodeStop{m_line, msg::kCodeSegmentOverflow};
  m_code.push_back(static_cast<std::uint8_t>(value & 0xFF));
  m_code.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::size_t Emitter::openJump() {
  byte(kNearJump);
  const std::size_t at = size();
  word(0);
  return at;
}

void Emitter::jumpTo(std::size_t target) {
  patchJump(openJump(), target);
}

void Emitter::patchJump(std::size_t at, std::size_t target) {
  // Near jumps wrap around within the segment, so a backward distance is its two's
  // complement.
  const auto distance = static_cast<std::uint16_t>(target - (at + kDisplacementSize));
  patchWord(at, distance);
}

void Emitter::patchShort(std::size_t at, std::size_t target) {
  const auto distance = static_cast<std::ptrdiff_t>(target) - static_cast<std::ptrdiff_t>(at + 1);
  if (at >= m_code.size() || distance < -kShortReach - 1 || distance > kShortReach)
    Fail(m_line, InternalError::ShortJumpRange);
  m_code[at] = static_cast<std::uint8_t>(distance & 0xFF);
}

void Emitter::patchWord(std::size_t at, std::uint16_t value) {
  if (at + 1 >= m_code.size()) Fail(m_line, InternalError::PatchOutside);
  m_code[at] = static_cast<std::uint8_t>(value & 0xFF);
  m_code[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace zel::stl::code
