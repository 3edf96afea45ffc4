// The login's readers of what a controller says about itself: the banner's version, the
// "L?" identity and its flags word, the build date. Every text kept must fit the host's
// 100-byte buffers.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "access/telvane/identity.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zel::telvane;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const KernelVersion version = ParseKernelVersion(text);
  if (version.text.size() > 5) std::abort();
  const Identity identity = ParseIdentity(text, version);
  if (identity.platform.size() > 99 || identity.project.size() > 99 ||
      identity.runFile.size() > 99) {
    std::abort();
  }
  IdentityFlags(text);
  ParseBuildDate(text);
  ReadNumber(text);
  return 0;
}
