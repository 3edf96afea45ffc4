#pragma once
// The controller-side directories a build names in "Startup.BAT" and the "DOWNLOAD"
// section, and the drive letters the download must find on the controller.

#include <string>
#include <string_view>

namespace zel::build {

// A drive setting as a directory prefix: "C" -> "C:\", "C:\DATA" -> "C:\DATA\", a value
// already ending in "\" as it stands, an empty one empty.
std::string ControllerDirectory(std::string_view setting);

// Distinct upper-case letters "A".."Z" in the order of their first use ("CHECKDRIVES").
class UsedDrives {
 public:
  // Takes the first character of `path` when it is a letter; anything else is left out.
  void add(std::string_view path);
  const std::string& letters() const { return m_letters; }

 private:
  std::string m_letters;
};

}  // namespace zel::build
