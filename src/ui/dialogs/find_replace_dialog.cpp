#include "ui/dialogs/find_replace_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/widgets/stored_text.h"

namespace zel::ui {

FindReplaceDialog::FindReplaceDialog(QWidget* parent)
    : QDialog(parent),
      m_find(new QLineEdit(this)),
      m_replace(new QLineEdit(this)),
      m_replaceRow(new QWidget(this)),
      m_matchCase(new QCheckBox(tr("Match &case"), this)),
      m_up(new QRadioButton(tr("&Up"), this)),
      m_down(new QRadioButton(tr("&Down"), this)),
      m_direction(new QGroupBox(tr("Direction"), this)),
      m_findNext(new QPushButton(tr("&Find Next"), this)),
      m_replaceOne(new QPushButton(tr("&Replace"), this)),
      m_replaceAll(new QPushButton(tr("Replace &All"), this)) {
  auto* findLabel = new QLabel(tr("Fi&nd what:"), this);
  findLabel->setBuddy(m_find);
  auto* replaceLabel = new QLabel(tr("Re&place with:"), m_replaceRow);
  replaceLabel->setBuddy(m_replace);
  auto* replaceLayout = new QHBoxLayout(m_replaceRow);
  replaceLayout->setContentsMargins(0, 0, 0, 0);
  replaceLayout->addWidget(replaceLabel);
  replaceLayout->addWidget(m_replace, 1);
  auto* directionLayout = new QHBoxLayout(m_direction);
  directionLayout->addWidget(m_up);
  directionLayout->addWidget(m_down);
  m_down->setChecked(true);
  auto* cancel = new QPushButton(tr("Cancel"), this);

  auto* fields = new QVBoxLayout;
  auto* findRow = new QHBoxLayout;
  findRow->addWidget(findLabel);
  findRow->addWidget(m_find, 1);
  fields->addLayout(findRow);
  fields->addWidget(m_replaceRow);
  auto* options = new QHBoxLayout;
  options->addWidget(m_matchCase);
  options->addWidget(m_direction);
  fields->addLayout(options);
  fields->addStretch();
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {m_findNext, m_replaceOne, m_replaceAll, cancel})
    buttons->addWidget(button);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields, 1);
  layout->addLayout(buttons);
  m_findNext->setDefault(true);

  connect(m_findNext, &QPushButton::clicked, this, &FindReplaceDialog::findNext);
  connect(m_replaceOne, &QPushButton::clicked, this, &FindReplaceDialog::replace);
  connect(m_replaceAll, &QPushButton::clicked, this, &FindReplaceDialog::replaceAll);
  connect(cancel, &QPushButton::clicked, this, &FindReplaceDialog::close);
  connect(m_find, &QLineEdit::textChanged, this, &FindReplaceDialog::updateEnabled);
  setReplaceMode(false);
}

void FindReplaceDialog::setReplaceMode(bool replace) {
  setWindowTitle(replace ? tr("Replace") : tr("Find"));
  m_replaceRow->setVisible(replace);
  m_replaceOne->setVisible(replace);
  m_replaceAll->setVisible(replace);
  // Replacing walks down the list, as replacing does everywhere.
  m_direction->setVisible(!replace);
  if (replace) m_down->setChecked(true);
  updateEnabled();
}

void FindReplaceDialog::updateEnabled() {
  const bool text = !m_find->text().isEmpty();
  for (QPushButton* button : {m_findNext, m_replaceOne, m_replaceAll}) button->setEnabled(text);
}

stl::FindOptions FindReplaceDialog::options() const {
  return stl::FindOptions{ToStored(m_find->text()), m_matchCase->isChecked(), m_down->isChecked()};
}

std::string FindReplaceDialog::replacement() const {
  return ToStored(m_replace->text());
}

void ShowFindReplace(QPointer<FindReplaceDialog>& dialog, QWidget& owner, bool replace,
                     FindHandlers handlers) {
  if (!dialog) {
    auto* made = new FindReplaceDialog(&owner);
    made->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(made, &FindReplaceDialog::findNext, &owner,
                     [made, h = handlers.findNext] { h(made->options()); });
    QObject::connect(made, &FindReplaceDialog::replace, &owner,
                     [made, h = handlers.replace] { h(made->options(), made->replacement()); });
    QObject::connect(made, &FindReplaceDialog::replaceAll, &owner,
                     [made, h = handlers.replaceAll] { h(made->options(), made->replacement()); });
    dialog = made;
  }
  dialog->setReplaceMode(replace);
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

}  // namespace zel::ui
