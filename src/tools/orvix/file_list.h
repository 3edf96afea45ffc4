#pragma once
// The files of a version-3 project directory still to be copied. Every step takes the
// files it handles off the list, so the final copy never writes over a converted file
// (the old "c.bel" over the new "C.bel"). Names compare without regard to case.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zel::orvix {

class FileList {
 public:
  FileList() = default;
  explicit FileList(std::vector<std::string> names) : m_names(std::move(names)) {}
  // The regular files of `dir`, in name order.
  static FileList of(const std::filesystem::path& dir);

  const std::vector<std::string>& names() const { return m_names; }
  bool contains(std::string_view name) const;
  // Takes `name` off the list; true when it was on it.
  bool take(std::string_view name);
  // Takes every name `match` accepts off the list.
  void takeIf(const std::function<bool(std::string_view)>& match);

 private:
  std::vector<std::string> m_names;
};

// The extension after the last dot, without the dot; empty when there is none.
std::string_view ExtensionOf(std::string_view name);

}  // namespace zel::orvix
