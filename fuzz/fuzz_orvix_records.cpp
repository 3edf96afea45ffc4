// Version-3 record files come from old disks and may be cut short or crafted: every
// reader must stay within its fields, whatever the length bytes claim, and the
// allocation list conversion must keep whole records only.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/orvix/dos_text.h"
#include "tools/orvix/v3_records.h"

namespace {

using namespace zel::orvix;

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  if (const auto path = ReadKonfigProjectsPath(bytes)) {
    Check(!path->empty() && path->size() < 40);
  }
  for (const auto& entry : ReadProjectList(bytes)) {
    Check(entry.name.size() <= 20 && entry.comment.size() <= 61);
  }
  const auto modules = ReadModuleList(bytes);
  Check(modules.size() == size / kModuleRecordSize);
  for (const auto& module : modules) {
    Check(module.baseName.size() <= 8 && module.extension.size() <= 3);
    Check(module.comment.size() <= 61);
  }
  for (const auto& io : ReadIoConfiguration(bytes)) {
    Check(io.module.size() <= 20 && io.switchPosition.size() <= 3 && io.iw.size() <= 3 &&
          io.ow.size() <= 3);
  }
  for (const auto& text : ReadRunModeTexts(bytes)) Check(text.size() <= 40);
  const auto drivers = ReadDriverNames(bytes);
  Check(drivers.size() == size / kDriverRecordSize);
  for (const auto& name : drivers) Check(name.size() <= 9);

  const std::string alloc = ConvertAllocationList(bytes);
  Check(alloc.size() == size / kAllocationRecordSize * kAllocationRecordSize);
  for (std::size_t at = 0; at < alloc.size(); at += kAllocationRecordSize) {
    Check(static_cast<unsigned char>(alloc[at + 20]) <= 36);
    Check(alloc[at + 57] == '\0' && alloc[at + 63] == ' ');
  }

  const std::string text = ConvertDosText(bytes);
  Check(text.size() == size || (text.size() == size + 1 && bytes.back() == 26));
  Check(FirstLine(bytes, 127).size() <= 127);
  return 0;
}
