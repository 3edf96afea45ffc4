#pragma once
// A project's IO configuration: the section "<type>_IO" of the project file, keys "IO_0",
// "IO_1", ... each an entry "<script>,<switch>,<IW>,<OW>", with the operations of its
// window. The section is always rewritten whole, in list order, and each rewrite sets the
// project's time stamp, which the build compares.
//
// Questions go through the message box host; the entry dialog is asked for through
// IoEntryEditor, so the same operations serve the window, zelc and the tests.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/project/project_file.h"
#include "library/io_collision.h"
#include "library/io_entry.h"
#include "library/io_module_list.h"

namespace zel::library {

// Clipboard lines this long or longer are not entries.
inline constexpr std::size_t kMaxPasteLine = 255;

// "%s_IO" of the controller type.
std::string IoSectionName(std::string_view type);
// Its entries are "IO_0", "IO_1", ...
inline constexpr std::string_view kIoEntryKeyPrefix = "IO_";

// The entry dialog as the operations need it: shown on `entry` with the cursor in `focus`;
// it validates its own fields (ValidateIoEntry) and returns nullopt when cancelled.
class IoEntryEditor {
 public:
  virtual ~IoEntryEditor() = default;
  virtual std::optional<IoEntry> edit(const IoEntry& entry, IoField focus) = 0;
};

class IoConfiguration {
 public:
  IoConfiguration(app::ProjectFile file, std::string type, const IoModuleList& modules);

  const std::vector<IoEntry>& entries() const { return m_entries; }
  const IoModuleList& modules() const { return m_modules; }
  const std::string& type() const { return m_type; }

  // Reads the section as the window does: an unparsable entry asks "Skipping ..." (OK
  // skips it, Cancel gives false), an unknown module is reported and kept, a colliding
  // entry is corrected in the entry dialog until it fits or is dropped ("Module ... will
  // be deleted!", Cancel gives false). When anything changed the section is rewritten.
  // false: the user chose to close the window.
  bool load(IoEntryEditor& editor);
  // The raw values "IO_0" ... up to the first empty one, without questions.
  std::vector<std::string> readRawEntries() const;
  // Rewrites the section whole and sets "TIMESTAMP" to now.
  bool save() const;

  // Insert IO Module: the dialog on a new entry until it collides with nothing; placed
  // after `after` or at the end. The new index, or nullopt (nothing installed,
  // cancelled).
  std::optional<std::size_t> insert(std::optional<std::size_t> after, IoEntryEditor& editor);
  // Properties: the dialog on entry `index` until it collides with nothing. false when
  // cancelled or out of range.
  bool edit(std::size_t index, IoEntryEditor& editor);
  // Delete: the entries at `indices` go without a question; the section is rewritten.
  void remove(std::vector<std::size_t> indices);
  // Copy: the entries' lines, each followed by CR LF, also kept as the paste buffer.
  std::string copy(const std::vector<std::size_t>& indices);
  const std::string& pasteBuffer() const { return m_pasteBuffer; }
  void setPasteBuffer(std::string text) { m_pasteBuffer = std::move(text); }
  // Paste: the paste buffer's lines inserted after `after` (or at the end) in order;
  // unparsable lines are reported and skipped, unknown modules reported and inserted, a
  // collision opens the dialog and cancelling it stops the paste. Returns the indices of
  // the inserted entries; the section is rewritten.
  std::vector<std::size_t> paste(std::optional<std::size_t> after, IoEntryEditor& editor);

  // For front ends without a dialog (zelc): the entry is checked as the dialog and the
  // collision checks would, then placed; the problem's text when refused.
  std::optional<std::string> add(const IoEntry& entry);
  std::optional<std::string> replace(std::size_t index, const IoEntry& entry);

 private:
  // Shows each collision and reopens the dialog until none remains; nullopt: cancelled.
  std::optional<IoEntry> resolveCollisions(IoEntry entry, std::size_t self,
                                           IoEntryEditor& editor) const;
  std::optional<std::string> check(const IoEntry& entry, std::size_t self) const;

  app::ProjectFile m_file;
  std::string m_type;
  const IoModuleList& m_modules;
  std::vector<IoEntry> m_entries;
  std::string m_pasteBuffer;
};

}  // namespace zel::library
