#pragma once
// Archives made on the spot, honest or hostile: any stored name, a Unix file type in the
// external attributes, and a declared size that need not match the data.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zel::test {

struct ZipEntrySpec {
  std::string name;
  std::string data;
  std::optional<unsigned> unixMode;           // e.g. 0120777 for a symbolic link
  std::optional<std::uint64_t> declaredSize;  // a lie about the unpacked size
};

// Writes the entries in order, deflated. False when minizip refused.
bool MakeZip(const std::filesystem::path& file, const std::vector<ZipEntrySpec>& entries);

}  // namespace zel::test
