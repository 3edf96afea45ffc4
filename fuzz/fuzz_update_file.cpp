// The update file is made from two run files on disk and applied by the controller to
// the older one. Any two files must give an update or a message, never a crash, and an
// update that was made must rebuild the newer file from the older one exactly. Arbitrary
// bytes as an update file must be followed or refused, never overrun.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "build/update_file.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first two bytes say where the old file ends and the new one begins.
  const std::span<const std::uint8_t> input(data, size);
  const std::size_t split = (data[0] | (data[1] << 8)) % (size - 1);
  const auto rest = input.subspan(2);
  const auto oldFile = rest.first(std::min(split, rest.size()));
  const auto newFile = rest.subspan(oldFile.size());

  const zel::build::UpdateFileResult update = zel::build::MakeUpdateFile(oldFile, newFile);
  Check(update.ok == update.message.empty());
  if (update.ok) {
    const zel::build::UpdateFileResult applied = zel::build::ApplyUpdateFile(oldFile, update.bytes);
    Check(applied.ok);
    Check(std::ranges::equal(applied.bytes, newFile));
  }
  (void)zel::build::ApplyUpdateFile(oldFile, newFile);
  return 0;
}
