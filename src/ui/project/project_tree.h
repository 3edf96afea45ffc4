#pragma once
// The project tree window: the nine top-level items, the modules under "Programs",
// "CMPs" and "CFMs" with their language icons and download check marks, and the
// commands on them. Every change goes through the module operations.

#include <QTreeWidget>
#include <optional>

#include "app/modules/module_tree.h"
#include "app/project/project_model.h"

namespace zel::ui {

class MainFrame;

class ProjectTree : public QTreeWidget {
  Q_OBJECT

 public:
  explicit ProjectTree(MainFrame& frame, QWidget* parent = nullptr);

  void refresh(const app::ProjectModel& model);
  // Wide enough for every item's text, collapsed ones too, with a vertical scroll bar.
  int neededWidth() const;

  QTreeWidgetItem* topItem(app::TreeItem item) const;
  QTreeWidgetItem* moduleItem(const QString& fileName) const;
  static std::optional<app::TreeItem> TopItemOf(const QTreeWidgetItem* item);
  static QString ModuleOf(const QTreeWidgetItem* item);  // empty for other items

  // Commands on the current item.
  void openItem(QTreeWidgetItem* item);
  void propertiesOfCurrent();
  void deleteCurrent();
  void insertForCurrent();
  void toggleDownload(const QString& fileName);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void addModules(QTreeWidgetItem* group, const app::ProjectModel& model, app::ModuleKind kind);
  void checkChanged(QTreeWidgetItem* item);
  void documentationProperties();
  app::ProjectModel* model() const;

  MainFrame& m_frame;
  bool m_filling = false;
};

}  // namespace zel::ui
