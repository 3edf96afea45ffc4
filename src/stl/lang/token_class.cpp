#include "stl/lang/token_class.h"

namespace zel::stl {

bool IsOneBitToken(TokenClass c) {
  const int n = static_cast<int>(c);
  return (n >= 101 && n <= 109) || c == TokenClass::FBit || c == TokenClass::SBit;
}

bool IsMultiBitToken(TokenClass c) {
  const int n = static_cast<int>(c);
  return (n >= 111 && n <= 120) || (n >= 122 && n <= 124);
}

}  // namespace zel::stl
