#include "build/controller_drives.h"

namespace zel::build {

std::string ControllerDirectory(std::string_view setting) {
  std::string directory(setting);
  if (directory.size() == 1) return directory + ":\\";
  if (!directory.empty() && directory.back() != '\\') directory += '\\';
  return directory;
}

void UsedDrives::add(std::string_view path) {
  if (path.empty()) return;
  char letter = path.front();
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') return;
  if (m_letters.find(letter) == std::string::npos) m_letters += letter;
}

}  // namespace zel::build
