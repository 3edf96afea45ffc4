#pragma once
// The preferences file "ZEL.INI" in the program directory (the working directory at
// start), section "PREFERENCES". Every getter reads the file anew and gives the default
// of the key when it is absent, so hand edits are seen without a restart.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/preferences/font_setting.h"
#include "app/preferences/print_margins.h"
#include "app/preferences/stl_bar_state.h"
#include "app/preferences/window_placement.h"

namespace zel::app {

inline constexpr std::string_view kPreferencesFileName = "ZEL.INI";
inline constexpr std::string_view kHelpFileName = "ZEL.CHM";

inline constexpr std::string_view kKeyProjectDir = "PROJECT_DIR";
inline constexpr std::string_view kKeyProjectCur = "PROJECT_CUR";
inline constexpr std::string_view kKeyMainWindow = "MAIN_WINDOW";
inline constexpr std::string_view kKeyScreenSize = "SCREEN_SIZE";
inline constexpr std::string_view kKeyStlBar = "STL_BAR";
// The message window belongs to the program, not to a project, so its place is kept here.
inline constexpr std::string_view kKeyMessageWindow = "MESSAGE_WINDOW";
inline constexpr std::string_view kKeyLanguage = "LANGUAGE";
inline constexpr std::string_view kKeyAutoAllocList = "AUTO_ALLOC_LIST";
inline constexpr std::string_view kKeyStlElseOthrw = "STL_ELSE_OTHRW";
inline constexpr std::string_view kKeyStlFont = "STL_FONT";
inline constexpr std::string_view kKeyPrintFont = "PRINT_FONT";
inline constexpr std::string_view kKeyPrintMargins = "PRINT_MARGINS";
inline constexpr std::string_view kKeyCiMethod = "CI_METHOD";
inline constexpr std::string_view kKeyComCiPort = "COM_CI_PORT";
inline constexpr std::string_view kKeyComCiBaudRate = "COM_CI_BAUDRATE";
inline constexpr std::string_view kKeyIpCiAddress = "IP_CI_ADDRESS";
inline constexpr std::string_view kKeyTimeZoneLocalBias = "TIMEZONELOCALBIAS";
inline constexpr std::string_view kKeyTimeZoneRemoteBias = "TIMEZONEREMOTEBIAS";

inline constexpr std::string_view kLanguageCode = "GB";
// What the preferences dialog offers when no project directory is set yet.
inline constexpr std::string_view kDefaultProjectDirectoryText = ".\\Projects";

inline constexpr int kCiMethodSerial = 0;
inline constexpr int kCiMethodTcpip = 1;
inline constexpr std::string_view kDefaultComPort = "COM1";
inline constexpr long kDefaultBaudRate = 9600;
inline constexpr std::string_view kDefaultIpAddress = "0.0.0.0";

// Stands for "key absent" when the time-zone biases are read as numbers.
inline constexpr long kBiasAbsent = 1000000;

class Preferences {
 public:
  explicit Preferences(std::filesystem::path programDirectory);

  const std::filesystem::path& programDirectory() const { return m_programDirectory; }
  // Found without regard to case by the profile functions.
  std::filesystem::path file() const;

  // "PROJECT_DIR": the text as stored, and the absolute directory it names (empty when
  // none is set). Relative texts count from the program directory.
  std::string projectDirectoryText() const;
  std::filesystem::path projectDirectory() const;
  bool setProjectDirectory(std::string_view text) const;  // stored with "/"

  std::string currentProject() const;  // "PROJECT_CUR"
  bool setCurrentProject(std::string_view name) const;

  std::optional<WindowPlacement> mainWindow() const;
  bool setMainWindow(const WindowPlacement& placement, bool maximized, bool minimized) const;
  std::optional<ScreenSize> screenSize() const;
  bool setScreenSize(ScreenSize size) const;
  std::optional<StlBarState> stlBar() const;
  bool setStlBar(const StlBarState& state) const;
  // In the main frame's work area, as "WINDOWS" keeps a project's windows.
  std::optional<WindowPlacement> messageWindow() const;
  bool setMessageWindow(const WindowPlacement& placement, bool maximized, bool minimized) const;

  bool writeLanguage() const;  // "LANGUAGE" = "GB", at every start

  bool promptForAllocationEntries() const;  // "AUTO_ALLOC_LIST"
  bool setPromptForAllocationEntries(bool on) const;
  bool useElseInsteadOfOthrw() const;  // "STL_ELSE_OTHRW"
  bool setUseElseInsteadOfOthrw(bool on) const;

  // nullopt: the default font (the system's fixed font, the printer's default).
  std::optional<FontSetting> editorFont(int dpi) const;
  bool setEditorFont(const FontSetting& font, int dpi) const;  // height 0 removes the key
  std::optional<FontSetting> printFont(int dpi) const;
  bool setPrintFont(const FontSetting& font, int dpi) const;
  PrintMargins printMargins() const;
  bool setPrintMargins(const PrintMargins& margins) const;

  // The communication keys of this file only; CommunicationSettings adds the project's.
  int ciMethod() const;
  bool setCiMethod(int method) const;
  std::string comCiPort() const;
  bool setComCiPort(std::string_view port) const;
  long comCiBaudRate() const;
  bool setComCiBaudRate(long baudRate) const;
  std::string ipCiAddress() const;
  bool setIpCiAddress(std::string_view address) const;

  // Set by hand only; nullopt when absent.
  std::optional<long> timeZoneLocalBias() const;
  std::optional<long> timeZoneRemoteBias() const;

  std::string read(std::string_view key, std::string_view def = {}) const;
  bool write(std::string_view key, std::string_view value) const;
  bool remove(std::string_view key) const;

 private:
  std::optional<FontSetting> font(std::string_view key, int dpi) const;
  bool setFont(std::string_view key, const FontSetting& font, int dpi) const;
  std::optional<long> bias(std::string_view key) const;

  std::filesystem::path m_programDirectory;
};

}  // namespace zel::app
