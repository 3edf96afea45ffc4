#pragma once
// The machine code of one module as it grows, with the forward jumps that are filled in
// once their targets are known.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace zel::stl::code {

class Emitter {
 public:
  // The source line that a stop for overflow names.
  void setLine(int line) { m_line = line; }
  int line() const { return m_line; }

  void byte(std::uint8_t value);
  void bytes(std::initializer_list<std::uint8_t> values);
  void word(std::uint16_t value);  // low byte first

  // A near jump `E9 d16` with the distance still open; returns the position of d16.
  std::size_t openJump();
  // A near jump `E9 d16` to a known earlier or later position.
  void jumpTo(std::size_t target);
  // Fills the distance at `at` (a d16 of a jump or call) to land on `target`.
  void patchJump(std::size_t at, std::size_t target);
  // Fills an 8-bit distance at `at` to land on `target`.
  void patchShort(std::size_t at, std::size_t target);
  void patchWord(std::size_t at, std::uint16_t value);

  std::size_t size() const { return m_code.size(); }
  const std::vector<std::uint8_t>& code() const { return m_code; }

 private:
  std::vector<std::uint8_t> m_code;
  int m_line = 0;
};

}  // namespace zel::stl::code
