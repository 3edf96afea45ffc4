#pragma once
// Where the archive work tells what it does: the message window, an error box, and the
// request to bring the message window forward. A front end fills in what it has; a hole
// is skipped.

#include <functional>
#include <string_view>

namespace zel::archive {

struct ArchiveReport {
  std::function<void(std::string_view)> print;  // message window text, CR LFs included
  std::function<void(std::string_view)> alert;  // an error box
  std::function<void()> raise;                  // brings the message window forward
  // Entry `step` of `steps` begins (`name` is its name in the archive).
  std::function<void(std::string_view name, int step, int steps)> progress;
  // True once the user asked to stop; checked before each entry.
  std::function<bool()> cancelled;

  void say(std::string_view text) const {
    if (print) print(text);
  }
  void box(std::string_view text) const {
    if (alert) alert(text);
  }
  void forward() const {
    if (raise) raise();
  }
  void step(std::string_view name, int n, int count) const {
    if (progress) progress(name, n, count);
  }
  bool stopRequested() const { return cancelled && cancelled(); }
};

}  // namespace zel::archive
