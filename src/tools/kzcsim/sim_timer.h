#pragma once
// One timer of the controller: started as pulse (TP), on delay (TON) or off delay (TOFF),
// it counts its value down from the preset in hundredths of a second as time passes.

#include <cstdint>

namespace zel::kzcsim {

enum class TimerMode : std::uint8_t { Pulse = 0, OnDelay = 1, OffDelay = 2 };

class SimTimer {
 public:
  void Start(TimerMode mode, std::int64_t nowMs);
  void Stop();
  // Brings the value and status up to `nowMs`; time never runs backwards here.
  void Advance(std::int64_t nowMs);

  // Bit 0 the timer's status, bit 1 running, bits 8-9 the mode: what "DTS" shows.
  std::uint16_t StatusWord() const;
  bool status() const { return m_status; }
  bool running() const { return m_running; }
  std::uint16_t preset() const { return m_preset; }
  std::uint16_t value() const { return m_value; }
  void setPreset(std::uint16_t hundredths) { m_preset = hundredths; }
  void setValue(std::uint16_t hundredths);

 private:
  TimerMode m_mode = TimerMode::Pulse;
  bool m_running = false;
  bool m_status = false;
  std::uint16_t m_preset = 0;
  std::uint16_t m_value = 0;
  std::int64_t m_lastMs = 0;
  std::int64_t m_remainderMs = 0;  // part of a hundredth not yet counted
};

}  // namespace zel::kzcsim
