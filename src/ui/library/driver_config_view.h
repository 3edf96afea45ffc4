#pragma once
// The Driver Configuration window: the drivers a project uses, sortable by column, with
// Insert Driver, Delete and Properties (context menu, Insert and Delete keys, double
// click). Every change rewrites the project's driver section through the core.

#include <QAction>
#include <QLabel>
#include <QWidget>
#include <filesystem>
#include <functional>

#include "library/driver_config.h"
#include "library/driver_list.h"
#include "library/driver_options_model.h"
#include "ui/library/driver_table.h"

namespace zel::ui {

class DriverOptionsDialog;
class DriverSettingsDialog;
class SelectDriverDialog;

// "%u Entries" for the status text of the configuration windows.
QString EntriesText(std::size_t count);

class DriverConfigView : public QWidget {
  Q_OBJECT

 public:
  // `installed` (the open project's drivers) outlives the view. Loading tells the user
  // of every stored driver that is not installed.
  DriverConfigView(app::ProjectFile project, std::string type, const library::DriverList& installed,
                   std::filesystem::path programDirectory, QWidget* parent = nullptr);

  const library::DriverConfiguration& configuration() const { return m_config; }
  DriverTable* table() const { return m_table; }
  QLabel* status() const { return m_status; }
  QAction* insertAction() const { return m_insert; }
  QAction* deleteAction() const { return m_delete; }
  QAction* propertiesAction() const { return m_properties; }

  void insertDriver();
  void deleteSelected();
  void properties();

  // Lets a test reach each dialog before it runs (the dialogs are modal).
  struct DialogHooks {
    std::function<void(SelectDriverDialog&)> select;
    std::function<void(DriverOptionsDialog&)> options;
    std::function<void(DriverSettingsDialog&)> settings;
  };
  void setDialogHooks(DialogHooks hooks) { m_hooks = std::move(hooks); }

 signals:
  void configurationChanged();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // The options dialog for `driver`; false when the user cancelled. A driver without
  // options is told so and counts as confirmed.
  bool editOptions(const library::DriverInfo& driver);
  void showSettings(const library::DriverRow& row);
  void showRows(std::optional<std::size_t> select = std::nullopt);
  void activated();
  void updateActions();

  library::DriverConfiguration m_config;
  const library::DriverList& m_installed;
  std::filesystem::path m_programDirectory;
  DriverTable* m_table;
  QLabel* m_status;
  QAction* m_insert;
  QAction* m_delete;
  QAction* m_properties;
  DialogHooks m_hooks;
};

}  // namespace zel::ui
