#pragma once
// The project list the project dialogs share: a controller type filter, a list or a
// report view of the same model, and header clicks that sort.

#include <QComboBox>
#include <QListView>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>
#include <QWidget>

#include "ui/project/project_list_model.h"

namespace zel::ui {

class ProjectListView : public QWidget {
  Q_OBJECT

 public:
  ProjectListView(app::ProjectSession& session, bool multiSelect, QWidget* parent = nullptr);

  ProjectListModel& model() { return *m_model; }
  QTableView* reportView() const { return m_report; }
  QListView* listView() const { return m_list; }
  QComboBox* typeFilter() const { return m_filter; }
  void setReportMode(bool report);
  bool reportMode() const { return m_stack->currentWidget() == m_report; }

  QStringList selectedNames() const;
  void selectName(const QString& name);
  void refresh();  // keeps the selection where the names still exist
  void editCurrentName();

 signals:
  void currentNameChanged(const QString& name);
  void nameActivated(const QString& name);

 private:
  void updateEnabled();

  ProjectListModel* m_model;
  QComboBox* m_filter;
  QToolButton* m_listButton;
  QToolButton* m_reportButton;
  QStackedWidget* m_stack;
  QTableView* m_report;
  QListView* m_list;
};

}  // namespace zel::ui
