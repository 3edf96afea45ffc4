#pragma once
// The IO configuration window: the project's IO modules in list order with their switch
// position, first IW and first OW, and the commands that change the list. Every change
// goes through the configuration core, which rewrites the project file's section at once;
// the window only shows the core's list.

#include <QLabel>
#include <QTreeWidget>
#include <QWidget>
#include <optional>
#include <vector>

#include "app/project/project_file.h"
#include "library/io_configuration.h"
#include "library/io_module_list.h"
#include "ui/io/io_entry_dialog.h"

namespace zel::ui {

class IoConfigView : public QWidget {
  Q_OBJECT

 public:
  IoConfigView(app::ProjectFile file, std::string type, const library::IoModuleList& modules,
               QWidget* parent = nullptr);

  // Reads the section with the load's questions; false: the user chose to close the
  // window instead.
  bool load();

  const library::IoConfiguration& configuration() const { return m_config; }
  QTreeWidget* list() const { return m_list; }
  QLabel* countLine() const { return m_count; }

  std::vector<std::size_t> selectedEntries() const;  // in row order
  void selectEntries(const std::vector<std::size_t>& entries);

  // The commands of the "IO Config" menu, the context menu and the keyboard.
  void insertModule();
  void properties();
  void deleteSelected();
  void copy();
  void cut();
  void paste();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void refresh(const std::vector<std::size_t>& select);
  void showContextMenu(const QPoint& pos);
  std::optional<std::size_t> currentEntry() const;

  library::IoConfiguration m_config;
  IoEntryDialogEditor m_editor;
  QTreeWidget* m_list;
  QLabel* m_count;
};

}  // namespace zel::ui
