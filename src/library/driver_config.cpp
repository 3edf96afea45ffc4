#include "library/driver_config.h"

#include <algorithm>
#include <set>

#include "app/text/text_format.h"
#include "library/library_messages.h"
#include "platform/message_box.h"
#include "platform/no_case.h"
#include "platform/timebase.h"

namespace zel::library {

namespace {

constexpr std::string_view kDriverSectionSuffix = "_DRV";
// Far more than any controller carries; a corrupt file cannot make loading run long.
constexpr std::size_t kMaxConfiguredDrivers = 10000;

std::string EntryKey(std::size_t index) {
  return std::string(kKeyDriverEntryPrefix) + std::to_string(index);
}

int CompareRows(const DriverRow& a, const DriverRow& b, DriverColumn column) {
  switch (column) {
    case DriverColumn::Number:
      if (a.number != b.number) return a.number < b.number ? -1 : 1;
      break;
    case DriverColumn::Uses:
      if (int c = platform::CompareNoCase(a.uses, b.uses)) return c;
      break;
    case DriverColumn::Description:
      if (int c = platform::CompareNoCase(a.description, b.description)) return c;
      break;
    case DriverColumn::Name:
      break;
  }
  return platform::CompareNoCase(a.name, b.name);
}

}  // namespace

std::string DriverSectionName(std::string_view type) {
  return std::string(type) + std::string(kDriverSectionSuffix);
}

std::string DriverOptionsSectionName(std::string_view type, std::string_view name) {
  return DriverSectionName(type) + "_" + std::string(name);
}

DriverRow RowOf(const DriverInfo& driver) {
  return DriverRow{driver.number, driver.name, driver.uses, driver.description, true};
}

DriverRow PlaceholderRow(std::string_view storedName) {
  DriverRow row;
  row.number = kNoDriverNumber;
  row.name = storedName.substr(0, kDriverNameMax);
  row.description = kUnknownDriverDescription;
  row.known = false;
  return row;
}

void SortDriverRows(std::vector<DriverRow>& rows, DriverColumn column, bool descending) {
  std::stable_sort(rows.begin(), rows.end(), [&](const DriverRow& a, const DriverRow& b) {
    const int c = CompareRows(a, b, column);
    return descending ? c > 0 : c < 0;
  });
}

std::vector<std::string> ReadConfiguredDriverNames(const app::ProjectFile& project,
                                                   std::string_view type) {
  return project.numberedValues(DriverSectionName(type), kKeyDriverEntryPrefix, kDriverNameMax + 1,
                                kMaxConfiguredDrivers);
}

void DriverConfiguration::load(const DriverList& installed, bool tellUnknown) {
  m_rows.clear();
  for (const auto& name : ReadConfiguredDriverNames(m_project, m_type)) {
    if (const DriverInfo* driver = installed.find(name)) {
      m_rows.push_back(RowOf(*driver));
      continue;
    }
    if (tellUnknown) {
      platform::ShowMessageBox(app::FillText(kMsgUnknownDriver, name), platform::Buttons::Ok,
                               platform::Icon::Information);
    }
    m_rows.push_back(PlaceholderRow(name));
  }
  SortDriverRows(m_rows, m_column, m_descending);
}

bool DriverConfiguration::canInsertFrom(const DriverList& installed) const {
  if (installed.count() > 0) return true;
  platform::ShowMessageBox(std::string(kMsgNoDriversInstalled), platform::Buttons::Ok,
                           platform::Icon::Information);
  return false;
}

const DriverRow* DriverConfiguration::rowWithSameNumber(const DriverInfo& driver) const {
  for (const auto& row : m_rows) {
    if (driver.number != kNoDriverNumber ? row.number == driver.number
                                         : platform::EqualsNoCase(row.name, driver.name)) {
      return &row;
    }
  }
  return nullptr;
}

bool DriverConfiguration::acceptNew(const DriverInfo& driver) const {
  const DriverRow* same = rowWithSameNumber(driver);
  if (!same) return true;
  platform::ShowMessageBox(app::FillText(kMsgSameDriverNumber, same->name), platform::Buttons::Ok,
                           platform::Icon::Warning);
  return false;
}

std::optional<std::size_t> DriverConfiguration::insert(const DriverInfo& driver) {
  m_rows.push_back(RowOf(driver));
  SortDriverRows(m_rows, m_column, m_descending);
  if (!save()) return std::nullopt;
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    if (m_rows[i].name == driver.name) return i;
  }
  return std::nullopt;
}

bool DriverConfiguration::remove(const std::vector<std::size_t>& indices) {
  const std::set<std::size_t> gone(indices.begin(), indices.end());
  std::vector<DriverRow> kept;
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    if (!gone.contains(i)) kept.push_back(std::move(m_rows[i]));
  }
  m_rows = std::move(kept);
  return save();
}

bool DriverConfiguration::remove(std::string_view name) {
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    if (platform::EqualsNoCase(m_rows[i].name, name)) return remove(std::vector<std::size_t>{i});
  }
  return false;
}

void DriverConfiguration::setOrder(DriverColumn column, bool descending) {
  m_column = column;
  m_descending = descending;
  SortDriverRows(m_rows, m_column, m_descending);
}

bool DriverConfiguration::save() const {
  platform::ProfileEntries entries;
  entries.reserve(m_rows.size());
  for (std::size_t i = 0; i < m_rows.size(); ++i) entries.emplace_back(EntryKey(i), m_rows[i].name);
  // An empty list leaves no section, as removing it and writing no key would.
  if (!m_project.replaceSection(DriverSectionName(m_type), entries)) return false;
  return m_project.setTimestamp(platform::Now());
}

const DriverRow* DriverConfiguration::find(std::string_view name) const {
  for (const auto& row : m_rows) {
    if (platform::EqualsNoCase(row.name, name)) return &row;
  }
  return nullptr;
}

}  // namespace zel::library
