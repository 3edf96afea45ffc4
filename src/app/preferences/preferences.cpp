#include "app/preferences/preferences.h"

#include "app/project/project_file.h"
#include "app/project/stored_path.h"
#include "platform/profile.h"

namespace zel::app {

namespace {

const char* Flag(bool on) {
  return on ? "1" : "0";
}

}  // namespace

Preferences::Preferences(std::filesystem::path programDirectory)
    : m_programDirectory(std::move(programDirectory)) {}

std::filesystem::path Preferences::file() const {
  return m_programDirectory / kPreferencesFileName;
}

std::string Preferences::read(std::string_view key, std::string_view def) const {
  return platform::ReadProfileString(file(), kSectionPreferences, key, def);
}

bool Preferences::write(std::string_view key, std::string_view value) const {
  return platform::WriteProfileString(file(), kSectionPreferences, key, value);
}

bool Preferences::remove(std::string_view key) const {
  return platform::RemoveProfileKey(file(), kSectionPreferences, key);
}

std::string Preferences::projectDirectoryText() const {
  return read(kKeyProjectDir);
}

std::filesystem::path Preferences::projectDirectory() const {
  return AbsoluteStoredPath(projectDirectoryText(), m_programDirectory);
}

bool Preferences::setProjectDirectory(std::string_view text) const {
  return write(kKeyProjectDir, WithForwardSlashes(text));
}

std::string Preferences::currentProject() const {
  return read(kKeyProjectCur);
}

bool Preferences::setCurrentProject(std::string_view name) const {
  return write(kKeyProjectCur, name);
}

std::optional<WindowPlacement> Preferences::mainWindow() const {
  return ParsePlacement(read(kKeyMainWindow));
}

bool Preferences::setMainWindow(const WindowPlacement& placement, bool maximized,
                                bool minimized) const {
  return write(kKeyMainWindow, FormatPlacement(placement, maximized, minimized));
}

std::optional<WindowPlacement> Preferences::messageWindow() const {
  return ParsePlacement(read(kKeyMessageWindow));
}

bool Preferences::setMessageWindow(const WindowPlacement& placement, bool maximized,
                                   bool minimized) const {
  return write(kKeyMessageWindow, FormatPlacement(placement, maximized, minimized));
}

std::optional<ScreenSize> Preferences::screenSize() const {
  return ParseScreenSize(read(kKeyScreenSize));
}

bool Preferences::setScreenSize(ScreenSize size) const {
  return write(kKeyScreenSize, FormatScreenSize(size));
}

std::optional<StlBarState> Preferences::stlBar() const {
  return ParseStlBar(read(kKeyStlBar));
}

bool Preferences::setStlBar(const StlBarState& state) const {
  return write(kKeyStlBar, FormatStlBar(state));
}

bool Preferences::writeLanguage() const {
  return write(kKeyLanguage, kLanguageCode);
}

bool Preferences::promptForAllocationEntries() const {
  return platform::ReadProfileInt(file(), kSectionPreferences, kKeyAutoAllocList, 1) != 0;
}

bool Preferences::setPromptForAllocationEntries(bool on) const {
  return write(kKeyAutoAllocList, Flag(on));
}

bool Preferences::useElseInsteadOfOthrw() const {
  return platform::ReadProfileInt(file(), kSectionPreferences, kKeyStlElseOthrw, 0) != 0;
}

bool Preferences::setUseElseInsteadOfOthrw(bool on) const {
  return write(kKeyStlElseOthrw, Flag(on));
}

std::optional<FontSetting> Preferences::font(std::string_view key, int dpi) const {
  return ParseFont(read(key), dpi);
}

bool Preferences::setFont(std::string_view key, const FontSetting& font, int dpi) const {
  const auto text = FormatFont(font, dpi);
  return text ? write(key, *text) : remove(key);
}

std::optional<FontSetting> Preferences::editorFont(int dpi) const {
  return font(kKeyStlFont, dpi);
}

bool Preferences::setEditorFont(const FontSetting& font, int dpi) const {
  return setFont(kKeyStlFont, font, dpi);
}

std::optional<FontSetting> Preferences::printFont(int dpi) const {
  return font(kKeyPrintFont, dpi);
}

bool Preferences::setPrintFont(const FontSetting& font, int dpi) const {
  return setFont(kKeyPrintFont, font, dpi);
}

PrintMargins Preferences::printMargins() const {
  return ParsePrintMargins(read(kKeyPrintMargins));
}

bool Preferences::setPrintMargins(const PrintMargins& margins) const {
  return write(kKeyPrintMargins, FormatPrintMargins(margins));
}

int Preferences::ciMethod() const {
  return static_cast<int>(
      platform::ReadProfileInt(file(), kSectionPreferences, kKeyCiMethod, kCiMethodSerial));
}

bool Preferences::setCiMethod(int method) const {
  return write(kKeyCiMethod, std::to_string(method));
}

std::string Preferences::comCiPort() const {
  // A key left empty by hand would give a connection without a port; take the default.
  std::string port = read(kKeyComCiPort);
  return port.empty() ? std::string(kDefaultComPort) : port;
}

bool Preferences::setComCiPort(std::string_view port) const {
  return write(kKeyComCiPort, port);
}

long Preferences::comCiBaudRate() const {
  return platform::ReadProfileInt(file(), kSectionPreferences, kKeyComCiBaudRate, kDefaultBaudRate);
}

bool Preferences::setComCiBaudRate(long baudRate) const {
  return write(kKeyComCiBaudRate, std::to_string(baudRate));
}

std::string Preferences::ipCiAddress() const {
  std::string address = read(kKeyIpCiAddress);
  return address.empty() ? std::string(kDefaultIpAddress) : address;
}

bool Preferences::setIpCiAddress(std::string_view address) const {
  return write(kKeyIpCiAddress, address);
}

std::optional<long> Preferences::bias(std::string_view key) const {
  const long value = platform::ReadProfileInt(file(), kSectionPreferences, key, kBiasAbsent);
  if (value == kBiasAbsent) return std::nullopt;
  return value;
}

std::optional<long> Preferences::timeZoneLocalBias() const {
  return bias(kKeyTimeZoneLocalBias);
}

std::optional<long> Preferences::timeZoneRemoteBias() const {
  return bias(kKeyTimeZoneRemoteBias);
}

}  // namespace zel::app
