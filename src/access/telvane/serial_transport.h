#pragma once
// The serial line on termios. "COMn" stands for the device that section "SERIAL" of the
// preferences file "ZEL.INI" maps it to ("COM1=/dev/ttyUSB0"), else /dev/ttyS(n-1).
// The line runs fully raw at 8N1 without flow control: XON/XOFF would swallow the DC1 that
// ends every prompt.

#include <filesystem>
#include <memory>
#include <string_view>
#include <thread>

#include "access/telvane/transport.h"
#include "access/telvane/wake_pipe.h"

namespace zel::telvane {

inline constexpr std::string_view kPreferencesFile = "ZEL.INI";
inline constexpr std::string_view kSerialSection = "SERIAL";

std::filesystem::path SerialDevice(std::string_view portName);

class SerialTransport : public Transport {
 public:
  // nullptr when the device cannot be opened or set to the rate.
  static std::unique_ptr<SerialTransport> open(const std::filesystem::path& device,
                                               unsigned baudRate, TransportSink& sink);
  ~SerialTransport() override;

  TransportKind kind() const override { return TransportKind::Serial; }
  bool send(std::string_view bytes, bool text) override;
  void setBaudRate(unsigned rate) override;
  unsigned baudRate() const override { return m_rate; }
  void sendBreak() override;
  void sayGoodbye() override;
  void close() override;

 private:
  explicit SerialTransport(TransportSink& sink) : m_sink(sink) {}
  bool write(std::string_view bytes);
  void read(std::stop_token stop);

  TransportSink& m_sink;
  int m_fd = -1;
  unsigned m_rate = 0;
  WakePipe m_wake;
  std::jthread m_reader;
};

}  // namespace zel::telvane
