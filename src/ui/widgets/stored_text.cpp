#include "ui/widgets/stored_text.h"

#include "platform/code_page.h"

namespace zel::ui {

QString FromStored(std::string_view bytes) {
  return QString::fromStdString(platform::Cp1252ToUtf8(bytes));
}

std::string ToStored(const QString& text) {
  return platform::Utf8ToCp1252(text.toStdString());
}

std::string StoredPath(const std::filesystem::path& path) {
  return platform::Utf8ToCp1252(path.string());
}

}  // namespace zel::ui
