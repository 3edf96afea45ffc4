#include "tools/orvix/orvix_messages.h"

namespace zel::orvix {

std::string Format(std::string_view pattern, std::string_view text) {
  std::string out(pattern);
  const auto at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, text);
  return out;
}

}  // namespace zel::orvix
