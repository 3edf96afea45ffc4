#pragma once
// A driver script (".dmk"): an INI-style file, one per driver and controller type. Its
// file name without extension, in upper case, is the driver's name, the key by which
// projects refer to it. The sections and keys below are a contract with the build, which
// reads the same scripts to link and load the drivers.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/driver_option.h"
#include "platform/profile.h"

namespace zel::library {

namespace fs = std::filesystem;

inline constexpr std::string_view kSectionDriver = "DRIVER";
inline constexpr std::string_view kSectionInstall = "INSTALL";
inline constexpr std::string_view kSectionEdit = "EDIT";
inline constexpr std::string_view kSectionTools = "TOOLS";
inline constexpr std::string_view kSectionConst = "CONST";
inline constexpr std::string_view kSectionLinkLoad = "LINK_LOAD";

// Section "DRIVER". "NAME_%s" takes the language code.
inline constexpr std::string_view kKeyDriverNameFormat = "NAME_%s";
inline constexpr std::string_view kKeyDriverNo = "DRIVERNO";
inline constexpr std::string_view kKeyUsesDriver = "USESDRIVER";
inline constexpr std::string_view kKeyTarget = "TARGET";
// Section "INSTALL": "NEEDFILE_%d" from 0 without gaps.
inline constexpr std::string_view kKeyNeedFilePrefix = "NEEDFILE_";
// Section "EDIT": "<language>_%d" describes option n, "CTRL_%d" defines it.
inline constexpr std::string_view kKeyControlPrefix = "CTRL_";
// Section "LINK_LOAD" (read by the build).
inline constexpr std::string_view kKeyExecBeforeLinkPrefix = "EXECBEFORELINK_";
inline constexpr std::string_view kKeyExecBeforeLinkErrorFile = "EXECBEFORELINKERRORFILE";
inline constexpr std::string_view kKeyFileToLinkPrefix = "FILETOLINK_";
inline constexpr std::string_view kKeyFileToLoadPrefix = "FILETOLOAD_";
inline constexpr std::string_view kKeyStartupLinePrefix = "STARTUPLINE_";
inline constexpr std::string_view kKeySaveSourcePrefix = "SAVESOURCE_";

// Value sizes (characters); a longer value is cut.
inline constexpr std::size_t kDriverDescriptionMax = 255;
inline constexpr std::size_t kNeedFileMax = 259;
inline constexpr std::size_t kOptionDescriptionMax = 255;
inline constexpr std::size_t kOptionControlMax = 1023;
inline constexpr std::size_t kToolTitleMax = 255;
inline constexpr std::size_t kToolCallMax = 259;
inline constexpr std::size_t kToolParamMax = 255;

// What a missing key shows.
inline constexpr std::string_view kNoDescription = "???";
inline constexpr std::string_view kNoUses = "-";
inline constexpr int kNoDriverNumber = -1;
// Driver number 0 is the fieldbus driver.
inline constexpr int kFieldbusDriverNumber = 0;

// What the library list and the driver configuration show of a script.
struct DriverInfo {
  std::string name;  // file name without extension, upper case
  int number = kNoDriverNumber;
  std::string uses;         // "USESDRIVER" as written, "-" when absent
  std::string description;  // "NAME_GB", "???" when absent
};

// The driver name a script file gives: its stem in upper case.
std::string DriverNameOf(const fs::path& script);

// One script read once. Values are read as the profile functions read them (trimmed, one
// pair of surrounding quotes dropped) and cut at the sizes above.
class DriverScript {
 public:
  // Any text parses; lines that are no section or key are ignored.
  static DriverScript parse(std::string_view text, std::string name);
  // nullopt when the file cannot be read.
  static std::optional<DriverScript> load(const fs::path& file);

  const std::string& name() const { return m_name; }
  // Name, number, uses and description with their defaults.
  DriverInfo info() const;
  std::string targets() const;  // "TARGET" as written
  // The raw "NEEDFILE_%d" values from 0 up to the first empty one (tokens unreplaced).
  std::vector<std::string> needFileValues() const;
  // Option n (control line and description); nullopt when "CTRL_%d" is empty.
  std::optional<DriverOption> option(std::size_t n) const;
  // Options from 0 up to the first empty control line, at most kMaxDriverOptions.
  std::vector<DriverOption> options() const;
  // Any value, cut at maxLength characters; empty when absent.
  std::string value(std::string_view section, std::string_view key,
                    std::size_t maxLength = platform::kProfileBufferSize - 1) const;
  // The keys of `section` in file order (the build's "CONST" tokens).
  std::vector<std::string> keys(std::string_view section) const { return m_document.keys(section); }

 private:
  platform::IniDocument m_document;
  std::string m_name;
};

// DriverScript::load(script)->info(), or the defaults when it cannot be read.
DriverInfo ReadDriverInfo(const fs::path& script);
// True when `type` is one of the whole, comma- or blank-separated names of `targets`,
// compared without regard to case: "RUD" is not supported by "RUD2,VM0X".
bool TargetSupports(std::string_view targets, std::string_view type);

}  // namespace zel::library
