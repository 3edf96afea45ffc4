#pragma once
// A pipe that wakes a reader thread out of poll() when the line closes, so the reader is
// always joined at once and never left behind.

namespace zel::telvane {

class WakePipe {
 public:
  WakePipe();
  ~WakePipe();
  WakePipe(const WakePipe&) = delete;
  WakePipe& operator=(const WakePipe&) = delete;
  bool valid() const { return m_read >= 0; }
  int readEnd() const { return m_read; }
  void wake();

 private:
  int m_read = -1;
  int m_write = -1;
};

}  // namespace zel::telvane
