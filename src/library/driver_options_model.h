#pragma once
// The Driver Options dialog without its windows: the options of a driver script, one
// row each in script order, with the value shown (the stored one, or the default when
// the project has none), the checks OK makes and the rewrite of the options section.
// The window builds one control per row from `option.type`:
//   YesNo     check box carrying the description (checked() / setChecked())
//   Text      edit field, at most option.maxLength characters when set
//   TextList  drop-down list of option.choices
//   Drive     drop-down of option.choices ("A".."D", empty with a range) that takes typing
//   Decimal   edit field
//   Hex       edit field that shows upper case (setValue upper-cases)
//   Other     the description and the value, not editable

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/project/project_file.h"
#include "library/driver_option.h"
#include "library/driver_script.h"

namespace zel::library {

struct OptionRow {
  DriverOption option;
  std::string value;  // as the control shows it; "J"/"N" for yes/no options
};

// A value the dialog refuses: the row to put the cursor in and the message to show.
struct OptionRefusal {
  std::size_t row = 0;
  std::string message;
};

class DriverOptionsModel {
 public:
  // The options of `script` with the values of section "<type>_DRV_<driver>".
  DriverOptionsModel(const DriverScript& script, const app::ProjectFile& project, std::string type);

  // "Driver Options - " + the driver's description.
  std::string title() const;
  const std::string& driverName() const { return m_driver.name; }
  const DriverInfo& driver() const { return m_driver; }
  // No options: the dialog shows "There are no options for driver '%s'." and closes
  // (noOptionsMessage() gives the text).
  bool empty() const { return m_rows.empty(); }
  std::string noOptionsMessage() const;

  const std::vector<OptionRow>& rows() const { return m_rows; }
  std::size_t size() const { return m_rows.size(); }
  // Index of the row with this key (ignoring case), nullopt when none.
  std::optional<std::size_t> findKey(std::string_view key) const;

  // Edits; an index out of range is ignored. Hex values are upper-cased, text with a
  // maximum is cut to it, yes/no values become "J" or "N".
  void setValue(std::size_t row, std::string_view value);
  void setChecked(std::size_t row, bool on);
  bool checked(std::size_t row) const;
  // Default: every value back to its option's default.
  void setDefaults();

  // OK's checks in row order; the first refusal, or nullopt when all values are valid.
  std::optional<OptionRefusal> validate() const;
  // Rewrites the section whole (every key with its value, yes/no as "J"/"N") and sets
  // "TIMESTAMP". Call after validate(); false when the file could not be written.
  bool save() const;

 private:
  std::string normalised(const DriverOption& option, std::string_view value) const;

  app::ProjectFile m_project;
  std::string m_type;
  DriverInfo m_driver;
  std::vector<OptionRow> m_rows;
};

// The options of the installed driver `name` of `type` for `project`; nullopt when its
// script cannot be read (a driver that is not installed: use ReadStoredOptions).
std::optional<DriverOptionsModel> LoadDriverOptions(const std::filesystem::path& programDirectory,
                                                    const app::ProjectFile& project,
                                                    std::string_view type, std::string_view name);

// The keys and values stored in "<type>_DRV_<name>", in file order: what the Driver
// Settings dialog lists for a driver that is not installed.
std::vector<std::pair<std::string, std::string>> ReadStoredOptions(const app::ProjectFile& project,
                                                                   std::string_view type,
                                                                   std::string_view name);
// "Driver Settings - " + name + " " + description.
std::string DriverSettingsTitle(std::string_view name, std::string_view description);

}  // namespace zel::library
