#include "stl/codegen/fail.h"

#include <cstdio>

#include "stl/codegen/messages.h"
#include "stl/codegen/translator.h"

namespace zel::stl::code {

void Fail(int line, InternalError code) {
  char text[64];
  std::snprintf(text, sizeof text, msg::kInternalErrorFormat, static_cast<int>(code));
  throw CodeStop{line, text};
}

}  // namespace zel::stl::code
