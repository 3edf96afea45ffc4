// INI-style files come from users, other programs and older versions: any bytes must
// parse, serialize to a fixed point and survive edits without a crash.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/profile.h"

namespace {

using zel::platform::IniDocument;

void Check(bool condition) {
  if (!condition) std::abort();
}

// Names taken from the input itself, so the fuzzer can steer the edits at sections and
// keys that exist in the text.
std::string_view NameAt(std::string_view text, std::size_t seed) {
  if (text.empty()) return "KEY";
  const std::size_t start = seed % text.size();
  const std::size_t length = 1 + (seed / 7) % 12;
  return text.substr(start, length);
}

void ExerciseEdits(IniDocument doc, std::string_view text) {
  const std::string_view names[] = {"PROJECT", "modules", "", NameAt(text, text.size()),
                                    NameAt(text, text.size() * 31 + 5)};
  for (std::string_view section : names) {
    for (std::string_view key : names) {
      (void)doc.get(section, key);
      doc.set(section, key, NameAt(text, section.size() + key.size()));
      const std::string after = doc.serialize();
      Check(IniDocument::parse(after).serialize() == after);
      doc.removeKey(section, key);
    }
    (void)doc.keys(section);
    doc.removeSection(section);
    Check(!doc.hasSection(section));
  }
  (void)doc.sections();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const IniDocument doc = IniDocument::parse(text);
  const std::string once = doc.serialize();
  const IniDocument again = IniDocument::parse(once);
  Check(again.serialize() == once);
  Check(again.sections() == doc.sections());
  ExerciseEdits(again, text);
  return 0;
}
