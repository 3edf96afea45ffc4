// Screen definitions are typed by hand: any bytes must convert or fail with a message,
// and a converted file must always be well formed for the controller.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/tamsel/screen_converter.h"
#include "tools/tamsel/screen_format.h"
#include "tools/tamsel/tamsel_messages.h"

namespace {

using namespace zel::tamsel;

void Check(bool condition) {
  if (!condition) std::abort();
}

unsigned WordAt(const std::string& bytes, std::size_t pos) {
  return static_cast<unsigned char>(bytes[pos]) | static_cast<unsigned char>(bytes[pos + 1]) << 8;
}

// Header, offsets and end marker agree with each other and with the file's size.
void CheckLayout(const std::string& bytes) {
  Check(bytes.size() >= kHeaderBytes);
  const unsigned screens = WordAt(bytes, 4);
  Check(screens <= kMaxScreens);
  if (screens == 0) {
    Check(bytes.size() == kHeaderBytes && WordAt(bytes, 0) == kNoScreenMarker);
    Check((WordAt(bytes, 2) & kNoScreenFlag) != 0 && WordAt(bytes, 6) == kNoInitialScreen);
    return;
  }
  const unsigned initial = WordAt(bytes, 6);
  Check(initial == kNoInitialScreen || initial < screens);
  Check(static_cast<unsigned char>(bytes.back()) == kEndMarker);
  std::size_t previous = 0;
  for (unsigned i = 0; i < screens; ++i) {
    const std::size_t offset = WordAt(bytes, kHeaderBytes + 2 * i);
    Check(offset > previous && offset < bytes.size() - 1);
    Check(static_cast<std::uint8_t>(bytes[offset]) ==
          static_cast<std::uint8_t>(RecordType::Screen));
    previous = offset;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ConversionResult result = ConvertScreenDefinition(text);
  if (result.ok()) {
    CheckLayout(result.bytes);
    return 0;
  }
  Check(result.bytes.empty() && result.failure->line >= 1);
  for (Language language : {Language::English, Language::German}) {
    Check(!FaultText(language, result.failure->fault).empty());
    Check(!DefinitionErrorText(language, *result.failure).empty());
  }
  return 0;
}
