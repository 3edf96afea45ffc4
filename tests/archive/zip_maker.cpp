#include "archive/zip_maker.h"

#include <zip.h>
#include <zlib.h>

namespace zel::test {
namespace {

// Raw deflate of `data`, as a ZIP entry holds it.
std::string Deflate(const std::string& data) {
  z_stream stream{};
  deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&stream, data.size()) + 16, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

}  // namespace

bool MakeZip(const std::filesystem::path& file, const std::vector<ZipEntrySpec>& entries) {
  zipFile zip = zipOpen64(file.c_str(), APPEND_STATUS_CREATE);
  if (!zip) return false;
  bool ok = true;
  for (const ZipEntrySpec& entry : entries) {
    zip_fileinfo info{};
    info.tmz_date.tm_mday = 1;
    info.tmz_date.tm_year = 2020;
    const uLong madeBy = entry.unixMode ? (3u << 8) | 20u : 20u;
    if (entry.unixMode) info.external_fa = static_cast<uLong>(*entry.unixMode) << 16;
    const bool raw = entry.declaredSize.has_value();
    ok = ok && zipOpenNewFileInZip4(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                    Z_DEFLATED, Z_DEFAULT_COMPRESSION, raw ? 1 : 0, -MAX_WBITS, 8,
                                    Z_DEFAULT_STRATEGY, nullptr, 0, madeBy, 0) == ZIP_OK;
    if (!ok) break;
    if (raw) {
      const std::string packed = Deflate(entry.data);
      const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()),
                              static_cast<uInt>(entry.data.size()));
      ok =
          zipWriteInFileInZip(zip, packed.data(), static_cast<unsigned>(packed.size())) == ZIP_OK &&
          zipCloseFileInZipRaw(zip, static_cast<uLong>(*entry.declaredSize), crc) == ZIP_OK;
    } else {
      ok = zipWriteInFileInZip(zip, entry.data.data(), static_cast<unsigned>(entry.data.size())) ==
               ZIP_OK &&
           zipCloseFileInZip(zip) == ZIP_OK;
    }
    if (!ok) break;
  }
  return zipClose(zip, "test") == ZIP_OK && ok;
}

}  // namespace zel::test
