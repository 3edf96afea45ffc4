#pragma once
// Texts cross into the windows here: project, program and preferences files hold
// Windows-1252 bytes, Qt holds Unicode.

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace zel::ui {

QString FromStored(std::string_view bytes);  // Windows-1252 -> QString
std::string ToStored(const QString& text);   // QString -> Windows-1252 ("?" when it cannot)
// A path as the messages show it, in Windows-1252 like every other message text.
std::string StoredPath(const std::filesystem::path& path);

}  // namespace zel::ui
