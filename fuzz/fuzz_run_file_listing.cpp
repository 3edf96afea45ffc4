// Run files reach the lister from disk and from tools: any bytes must list without a
// crash, every listing must end, and reading must never look past the bytes given.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "build/build_log.h"
#include "build/run_file_listing.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zel::build::TextLog log;
  const bool complete = zel::build::ListRunFileRecords(std::span(data, size), log);
  const std::string& text = log.text();
  // Every listing ends with the total or with the damage line.
  Check(text.ends_with(" Bytes\r\n") || text.ends_with("\r\nCannot read project run file\r\n"));
  if (complete) Check(text.find("Total Size  ") != std::string::npos);
  return 0;
}
