#pragma once
// What the library's command engine needs of a line to the controller. A transport owns
// the thread that reads from it and hands what arrives to its sink on that thread; close()
// returns only after that thread has ended, so a sink outlives every call into it.

#include <string_view>

namespace zel::telvane {

enum class TransportKind { None = 0, Serial = 1, Udp = 2 };

class TransportSink {
 public:
  virtual ~TransportSink() = default;
  virtual void onSerialBytes(std::string_view bytes) = 0;
  virtual void onDatagram(std::string_view datagram) = 0;
  virtual void onFileDatagram(std::string_view datagram) = 0;
};

class Transport {
 public:
  virtual ~Transport() = default;
  virtual TransportKind kind() const = 0;
  // A text command gets the line's terminator where the line has one (serial: CR).
  virtual bool send(std::string_view bytes, bool text) = 0;
  virtual void setBaudRate(unsigned rate) = 0;  // serial only
  virtual unsigned baudRate() const = 0;
  virtual void sendBreak() = 0;  // serial only
  // Sent before the line is closed (serial: "x" CR), then close().
  virtual void sayGoodbye() = 0;
  virtual void close() = 0;
};

}  // namespace zel::telvane
