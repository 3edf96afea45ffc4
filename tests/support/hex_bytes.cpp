#include "support/hex_bytes.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace zel::test {

std::string Hex(std::string_view digits) {
  std::string bytes;
  std::string pair;
  for (char c : digits) {
    if (c == ' ' || c == '\n') continue;
    pair += c;
    if (pair.size() == 2) {
      bytes.push_back(static_cast<char>(std::stoi(pair, nullptr, 16)));
      pair.clear();
    }
  }
  if (!pair.empty()) ADD_FAILURE() << "odd number of hex digits: " << digits;
  return bytes;
}

std::string ToHex(std::string_view bytes) {
  std::string out;
  char buffer[4];
  for (char c : bytes) {
    std::snprintf(buffer, sizeof buffer, "%02X ", static_cast<unsigned char>(c));
    out += buffer;
  }
  return out;
}

}  // namespace zel::test
