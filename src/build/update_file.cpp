#include "build/update_file.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "build/byte_order.h"
#include "build/run_file_records.h"
#include "build/run_record.h"

namespace zel::build {
namespace {

// Move: position, shift and tail length, 12 bytes behind the checksum.
constexpr std::uint16_t kMovePayloadSize = 12;
// Write: offset and size behind the checksum; the length counts neither the data nor
// anything but these and the checksum.
constexpr std::uint16_t kWriteNumbersSize = 8;

UpdateFileResult Failure(std::string_view message) {
  UpdateFileResult result;
  result.message = std::string(message);
  return result;
}

UpdateFileResult Success(std::vector<std::uint8_t> bytes) {
  UpdateFileResult result;
  result.ok = true;
  result.bytes = std::move(bytes);
  return result;
}

void AppendMove(std::vector<std::uint8_t>& out, std::uint32_t position, std::int32_t shift,
                std::uint32_t tail) {
  std::vector<std::uint8_t> payload;
  AppendDoubleWord(payload, position);
  AppendDoubleWord(payload, static_cast<std::uint32_t>(shift));
  AppendDoubleWord(payload, tail);
  AppendWord(out, record_type::kUpdateMove | kChecksumFlag);
  AppendWord(out, kMovePayloadSize + 2);
  AppendWord(out, ByteSum(payload));
  out.insert(out.end(), payload.begin(), payload.end());
}

void AppendWrite(std::vector<std::uint8_t>& out, const RunRecord& record) {
  std::vector<std::uint8_t> numbers;
  AppendDoubleWord(numbers, static_cast<std::uint32_t>(record.offset));
  AppendDoubleWord(numbers, static_cast<std::uint32_t>(record.size));
  AppendWord(out, record_type::kUpdateWrite | kChecksumFlag);
  AppendWord(out, kWriteNumbersSize + 2);
  AppendWord(out, ByteSum(record.bytes, ByteSum(numbers)));
  out.insert(out.end(), numbers.begin(), numbers.end());
  out.insert(out.end(), record.bytes.begin(), record.bytes.end());
}

// The move of a changed record's tail: the bytes [position, position + tail) go to
// position + shift; a gap opened by the move is zero until a write fills it.
bool ApplyMove(std::vector<std::uint8_t>& file, std::span<const std::uint8_t> payload) {
  const std::uint32_t position = DoubleWord(payload, 0);
  const auto shift = static_cast<std::int32_t>(DoubleWord(payload, 4));
  const std::uint32_t tail = DoubleWord(payload, 8);
  if (position > file.size() || tail > file.size() - position) return false;
  if (shift < 0 && static_cast<std::uint32_t>(-static_cast<std::int64_t>(shift)) > position) {
    return false;
  }
  const auto newSize = static_cast<std::int64_t>(file.size()) + shift;
  if (shift > 0 && newSize > static_cast<std::int64_t>(kMaxRunFileSize)) return false;
  const auto begin = file.begin();
  std::vector<std::uint8_t> moved(begin, begin + position + std::min<std::int64_t>(shift, 0));
  moved.resize(moved.size() + static_cast<std::size_t>(std::max<std::int64_t>(shift, 0)), 0);
  moved.insert(moved.end(), begin + position, begin + position + tail);
  moved.insert(moved.end(), begin + position + tail, file.end());
  file = std::move(moved);
  return true;
}

}  // namespace

UpdateFileResult MakeUpdateFile(std::span<const std::uint8_t> oldFile,
                                std::span<const std::uint8_t> newFile) {
  constexpr auto kLimit = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
  if (oldFile.size() > kLimit) return Failure(kMsgOldRunFileDamaged);
  if (newFile.size() > kLimit) return Failure(kMsgNewRunFileDamaged);
  RecordReader oldReader(oldFile);
  RecordReader newReader(newFile);
  std::vector<std::uint8_t> out;
  std::int64_t accumulated = 0;
  for (;;) {
    const auto oldRecord = oldReader.next();
    if (!oldRecord) return Failure(kMsgOldRunFileDamaged);
    const auto newRecord = newReader.next();
    if (!newRecord) return Failure(kMsgNewRunFileDamaged);
    if (oldRecord->type != newRecord->type) return Failure(kMsgUpdateTooLarge);
    // The whole records are compared, frame and checksum included: a record that differs
    // only there must still reach the controller as it is in the new file.
    if (!std::ranges::equal(oldRecord->bytes, newRecord->bytes)) {
      const std::size_t oldEnd = oldRecord->offset + oldRecord->size;
      const std::int64_t position = static_cast<std::int64_t>(oldEnd) + accumulated;
      const std::int64_t shift =
          static_cast<std::int64_t>(newRecord->offset + newRecord->size) - position;
      const std::size_t tail = oldFile.size() - oldEnd;
      accumulated += shift;
      if (shift != 0) {
        AppendMove(out, static_cast<std::uint32_t>(position), static_cast<std::int32_t>(shift),
                   static_cast<std::uint32_t>(tail));
      }
      AppendWrite(out, *newRecord);
    }
    if (newRecord->isEnd()) break;
  }
  // Bytes behind an end record would be carried along or lost unnoticed.
  if (!oldReader.atEnd()) return Failure(kMsgOldRunFileDamaged);
  if (!newReader.atEnd()) return Failure(kMsgNewRunFileDamaged);
  AppendWord(out, 0);
  AppendWord(out, 0);
  return Success(std::move(out));
}

UpdateFileResult ApplyUpdateFile(std::span<const std::uint8_t> oldFile,
                                 std::span<const std::uint8_t> updateFile) {
  std::vector<std::uint8_t> file(oldFile.begin(), oldFile.end());
  std::size_t position = 0;
  for (;;) {
    RecordReader reader(updateFile.subspan(position));
    const auto record = reader.next();
    if (!record) return Failure(kMsgUpdateFileDamaged);
    if (record->isEnd()) {
      if (!reader.atEnd()) return Failure(kMsgUpdateFileDamaged);
      return Success(std::move(file));
    }
    if (!record->hasChecksum) return Failure(kMsgUpdateFileDamaged);
    position += record->size;
    if (record->type == record_type::kUpdateMove) {
      if (record->payload.size() != kMovePayloadSize) return Failure(kMsgUpdateFileDamaged);
      if (!record->checksumMatches()) return Failure(kMsgUpdateChecksum);
      if (!ApplyMove(file, record->payload)) return Failure(kMsgUpdateDoesNotFit);
    } else if (record->type == record_type::kUpdateWrite) {
      if (record->payload.size() != kWriteNumbersSize) return Failure(kMsgUpdateFileDamaged);
      const std::uint32_t offset = DoubleWord(record->payload, 0);
      const std::uint32_t size = DoubleWord(record->payload, 4);
      if (size > updateFile.size() - position) return Failure(kMsgUpdateFileDamaged);
      const auto data = updateFile.subspan(position, size);
      position += size;
      if (ByteSum(data, ByteSum(record->payload)) != record->checksum) {
        return Failure(kMsgUpdateChecksum);
      }
      if (offset > file.size() || size > file.size() - offset) {
        return Failure(kMsgUpdateDoesNotFit);
      }
      std::ranges::copy(data, file.begin() + offset);
    } else {
      return Failure(kMsgUpdateFileDamaged);
    }
  }
}

}  // namespace zel::build
