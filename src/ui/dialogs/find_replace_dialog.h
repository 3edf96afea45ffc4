#pragma once
// The ordinary find and replace dialog: modeless, it only collects what to look for and
// says which button was pressed; the window that opened it does the searching.

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <string>

#include "stl/alloc/allocation_find.h"

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

// What the window owning the dialog does for its buttons; texts are Windows-1252.
struct FindHandlers {
  std::function<void(const stl::FindOptions&)> findNext;
  std::function<void(const stl::FindOptions&, const std::string&)> replace;
  std::function<void(const stl::FindOptions&, const std::string&)> replaceAll;
};

// The owner's one dialog: made on first use with the handlers, then shown in find or
// replace mode and brought forward.
void ShowFindReplace(QPointer<FindReplaceDialog>& dialog, QWidget& owner, bool replace,
                     FindHandlers handlers);

}  // namespace zel::ui
