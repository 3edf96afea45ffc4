#pragma once
// The fixed sizes of the controller dialogue. Every buffer of the library is one of these;
// input longer than its buffer is cut, never written past it.

#include <cstddef>

namespace zel::telvane {

inline constexpr std::size_t kReceiveBufferSize = 350;   // one reply as it arrives
inline constexpr std::size_t kCommandMaxLength = 352;    // command and expected echo
inline constexpr std::size_t kQueueCapacity = 50;        // commands waiting behind the busy one
inline constexpr std::size_t kBinaryBufferSize = 256;    // data of one binary read block
inline constexpr std::size_t kFileDatagramSize = 1024;   // last datagram of the file socket
inline constexpr std::size_t kReplyTextMaxLength = 255;  // what a reply atom carries
// What the host asks the text getters with (100-byte buffers), less the terminator.
inline constexpr std::size_t kRemoteTextMaxLength = 99;
inline constexpr std::size_t kConnectionTextMaxLength = 199;
inline constexpr std::size_t kSerialReadChunk = 80;

inline constexpr int kProbeTimeoutMs = 1000;
inline constexpr int kLoginCommandTimeoutMs = 1500;
inline constexpr int kBaudCommandTimeoutMs = 1000;
// More consecutive time-outs than this while logged in mean the connection is lost.
inline constexpr int kMaxConsecutiveTimeouts = 10;

// The probe: one byte, answered by the controller's banner.
inline constexpr char kProbeByte = 0x14;

}  // namespace zel::telvane
