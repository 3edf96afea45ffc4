#pragma once
// The ordinary find and replace dialog: modeless, it only collects what to look for and
// says which button was pressed; the window that opened it does the searching.

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <string>

#include "stl/allocation_find.h"

namespace zel::ui {

class FindReplaceDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FindReplaceDialog(QWidget* parent = nullptr);

  // Find alone hides the replacement field and its buttons.
  void setReplaceMode(bool replace);

  stl::FindOptions options() const;  // texts as Windows-1252
  std::string replacement() const;

  QLineEdit* findField() const { return m_find; }
  QLineEdit* replaceField() const { return m_replace; }
  QCheckBox* matchCase() const { return m_matchCase; }
  QRadioButton* upButton() const { return m_up; }
  QRadioButton* downButton() const { return m_down; }
  QPushButton* findNextButton() const { return m_findNext; }
  QPushButton* replaceButton() const { return m_replaceOne; }
  QPushButton* replaceAllButton() const { return m_replaceAll; }

 signals:
  void findNext();
  void replace();
  void replaceAll();

 private:
  void updateEnabled();

  QLineEdit* m_find;
  QLineEdit* m_replace;
  QWidget* m_replaceRow;
  QCheckBox* m_matchCase;
  QRadioButton* m_up;
  QRadioButton* m_down;
  QWidget* m_direction;
  QPushButton* m_findNext;
  QPushButton* m_replaceOne;
  QPushButton* m_replaceAll;
};

}  // namespace zel::ui
