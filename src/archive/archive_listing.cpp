#include "archive/archive_listing.h"

#include <unzip.h>

#include <memory>

namespace zel::archive {
namespace {

struct ZipCloser {
  void operator()(void* zip) const { unzClose(zip); }
};
using ZipHandle = std::unique_ptr<void, ZipCloser>;

}  // namespace

std::optional<ArchiveListing> ListArchive(const std::filesystem::path& zipPath) {
  ZipHandle zip(unzOpen64(zipPath.c_str()));
  if (!zip) return std::nullopt;
  ArchiveListing listing;
  unz_global_info64 global{};
  if (unzGetGlobalInfo64(zip.get(), &global) != UNZ_OK) return std::nullopt;
  std::string comment(global.size_comment, '\0');
  if (global.size_comment > 0 &&
      unzGetGlobalComment(zip.get(), comment.data(), global.size_comment + 1) < 0)
    return std::nullopt;
  listing.comment = comment;
  int status = unzGoToFirstFile(zip.get());
  while (status == UNZ_OK) {
    unz_file_info64 info{};
    char name[4096];
    if (unzGetCurrentFileInfo64(zip.get(), &info, name, sizeof name, nullptr, 0, nullptr, 0) !=
            UNZ_OK ||
        info.size_filename >= sizeof name)
      return std::nullopt;
    listing.entries.push_back({std::string(name, info.size_filename), info.uncompressed_size,
                               static_cast<int>(info.compression_method)});
    status = unzGoToNextFile(zip.get());
  }
  if (status != UNZ_END_OF_LIST_OF_FILE) return std::nullopt;
  return listing;
}

std::optional<std::string> ReadArchiveEntry(const std::filesystem::path& zipPath,
                                            const std::string& name) {
  ZipHandle zip(unzOpen64(zipPath.c_str()));
  if (!zip || unzLocateFile(zip.get(), name.c_str(), 1) != UNZ_OK) return std::nullopt;
  if (unzOpenCurrentFile(zip.get()) != UNZ_OK) return std::nullopt;
  std::string data;
  char piece[16384];
  int got = 0;
  while ((got = unzReadCurrentFile(zip.get(), piece, sizeof piece)) > 0) data.append(piece, got);
  const bool whole = got == 0 && unzCloseCurrentFile(zip.get()) == UNZ_OK;
  if (!whole) return std::nullopt;
  return data;
}

}  // namespace zel::archive
