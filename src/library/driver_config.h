#pragma once
// A project's driver configuration. The project file holds, per controller type:
//   "<type>_DRV":        "DRV_0", "DRV_1", ... (no gaps) the driver names in list order;
//   "<type>_DRV_<name>": one key per option of that driver, its value as entered
//                        ("J"/"N" for yes/no options).
// Both are read by the build. Each section is rewritten whole and every rewrite sets the
// project's "TIMESTAMP". Deleting a driver leaves its options section in the file, so
// inserting it again brings its values back. Names of drivers not installed stay in the
// list as placeholder rows, so the configuration survives a missing library script.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/project/project_file.h"
#include "library/driver_list.h"

namespace zel::library {

inline constexpr std::string_view kKeyDriverEntryPrefix = "DRV_";
// A stored name is kept up to this many characters.
inline constexpr std::size_t kDriverNameMax = 255;

// "<type>_DRV" and "<type>_DRV_<name>".
std::string DriverSectionName(std::string_view type);
std::string DriverOptionsSectionName(std::string_view type, std::string_view name);

struct DriverRow {
  int number = kNoDriverNumber;
  std::string name;
  std::string uses;
  std::string description;
  bool known = true;  // false: a placeholder for a driver that is not installed
};

// The row of an installed driver, and the placeholder of one that is not: number -1, the
// stored name, empty uses, description "< unknown >".
DriverRow RowOf(const DriverInfo& driver);
DriverRow PlaceholderRow(std::string_view storedName);

enum class DriverColumn { Name, Number, Uses, Description };
// Sorted by one column (names and texts ignoring case; ties by name), stable.
void SortDriverRows(std::vector<DriverRow>& rows, DriverColumn column, bool descending);

// The stored names of "<type>_DRV" from "DRV_0" up to the first empty one.
std::vector<std::string> ReadConfiguredDriverNames(const app::ProjectFile& project,
                                                   std::string_view type);

// The list the Driver Configuration window shows and edits.
class DriverConfiguration {
 public:
  DriverConfiguration(app::ProjectFile project, std::string type)
      : m_project(std::move(project)), m_type(std::move(type)) {}

  const std::string& type() const { return m_type; }
  const app::ProjectFile& project() const { return m_project; }
  const std::vector<DriverRow>& rows() const { return m_rows; }

  // Reads the stored names and looks each up in `installed`. An unknown name gets a
  // placeholder row; with `tellUnknown` the user is told ("'%s'\n\nUnknown Driver.").
  void load(const DriverList& installed, bool tellUnknown);

  // The checks of Insert Driver, each telling the user why not:
  // "No drivers installed!" when `installed` is empty;
  bool canInsertFrom(const DriverList& installed) const;
  // "'%s'\n\nDriver with same number already exists." naming the row that has the
  // number (a driver without number, -1, is refused only when the same name is listed).
  bool acceptNew(const DriverInfo& driver) const;
  // The row whose number (or, for -1, name) `driver` would repeat; null when none.
  const DriverRow* rowWithSameNumber(const DriverInfo& driver) const;

  // Adds the row, sorts by the current order and saves; the index of the new row, or
  // nullopt when the file could not be written (the row stays listed).
  std::optional<std::size_t> insert(const DriverInfo& driver);
  // Removes the rows at `indices` (any order, duplicates ignored) and saves.
  bool remove(const std::vector<std::size_t>& indices);
  // Removes the first row named `name` (ignoring case); false when none or not saved.
  bool remove(std::string_view name);
  // The order the window shows (Name ascending at first). Sorting is no change: it is
  // saved with the next change, in the order then shown.
  void setOrder(DriverColumn column, bool descending);
  DriverColumn orderColumn() const { return m_column; }
  bool orderDescending() const { return m_descending; }
  // Rewrites "<type>_DRV" whole in row order and sets "TIMESTAMP".
  bool save() const;

  const DriverRow* find(std::string_view name) const;

 private:
  app::ProjectFile m_project;
  std::string m_type;
  std::vector<DriverRow> m_rows;
  DriverColumn m_column = DriverColumn::Name;
  bool m_descending = false;
};

}  // namespace zel::library
