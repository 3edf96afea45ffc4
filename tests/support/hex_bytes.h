#pragma once
// Expected binary files written as hexadecimal bytes, blanks and line breaks between them
// optional: Hex("0100 0080") is the four bytes 01 00 00 80.

#include <string>
#include <string_view>

namespace zel::test {

std::string Hex(std::string_view digits);
// The bytes of `bytes` as "01 00 80 ...", for readable failure output.
std::string ToHex(std::string_view bytes);

}  // namespace zel::test
