#pragma once
// The update file: the edit operations that turn the run file last downloaded into the
// current one, so that the controller can be brought up to date without a full download.
// Both files are walked record by record in step; a changed record becomes a write of
// the new record, preceded by a move of everything behind it when its size changed. The
// record sequence itself must not change.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zel::build {

inline constexpr std::string_view kMsgUpdateTooLarge =
    "The difference of the current project\r\nand the last downloaded project\r\nis too large "
    "for an update.\r\n";
inline constexpr std::string_view kMsgNewRunFileDamaged = "The project run file is damaged\r\n";
inline constexpr std::string_view kMsgOldRunFileDamaged =
    "The last project download file is damaged\r\n";
inline constexpr std::string_view kMsgUpdateFileDamaged = "The update file is damaged\r\n";
inline constexpr std::string_view kMsgUpdateChecksum = "Checksum error in the update file\r\n";
inline constexpr std::string_view kMsgUpdateDoesNotFit =
    "The update file does not fit the last project download file\r\n";

// No run file comes near this size; an update that would make a larger file is refused
// rather than followed.
inline constexpr std::size_t kMaxRunFileSize = 16u << 20;

struct UpdateFileResult {
  bool ok = false;
  std::vector<std::uint8_t> bytes;  // the file made (or, for Apply, the new run file)
  std::string message;              // why not, when not ok
};

// The update file that turns `oldFile` (the last download) into `newFile` (the current
// run file).
UpdateFileResult MakeUpdateFile(std::span<const std::uint8_t> oldFile,
                                std::span<const std::uint8_t> newFile);

// What the controller does with an update file: the operations applied to `oldFile` in
// order, each checksum verified first.
UpdateFileResult ApplyUpdateFile(std::span<const std::uint8_t> oldFile,
                                 std::span<const std::uint8_t> updateFile);

}  // namespace zel::build
