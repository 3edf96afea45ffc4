#include "ui/library/library_page.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>

#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

// The chooser's names are Unicode; the file system takes them as they are.
std::filesystem::path ToPath(const QString& text) {
  return std::filesystem::path(text.toStdString());
}

}  // namespace

LibraryPage::LibraryPage(library::LibraryPlace place, QString scriptFilter, QWidget* parent)
    : QWidget(parent),
      m_place(std::move(place)),
      m_type(new TypeSelector(m_place.type, this)),
      m_list(new QRadioButton(tr("&List"), this)),
      m_report(new QRadioButton(tr("&Report"), this)),
      m_install(new QPushButton(tr("&Install..."), this)),
      m_deinstall(new QPushButton(tr("&Deinstall"), this)),
      m_extract(new QPushButton(tr("E&xtract..."), this)),
      m_layout(new QVBoxLayout(this)) {
  m_open = [this, scriptFilter](const QString& start) {
    return QFileDialog::getOpenFileNames(this, tr("Install"), start, scriptFilter, nullptr,
                                         QFileDialog::DontUseNativeDialog);
  };
  m_save = [this, scriptFilter](const QString& proposed) {
    return QFileDialog::getSaveFileName(this, tr("Extract"), proposed, scriptFilter, nullptr,
                                        QFileDialog::DontUseNativeDialog);
  };
  m_report->setChecked(true);
  auto* top = new QHBoxLayout;
  auto* typeLabel = new QLabel(tr("Controller &type:"), this);
  typeLabel->setBuddy(m_type);
  top->addWidget(typeLabel);
  top->addWidget(m_type);
  top->addStretch(1);
  top->addWidget(m_list);
  top->addWidget(m_report);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* button : {m_install, m_deinstall, m_extract}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  m_layout->addLayout(top);
  m_layout->addLayout(buttons);

  connect(m_type, &QComboBox::currentIndexChanged, this, &LibraryPage::refresh);
  connect(m_install, &QPushButton::clicked, this, &LibraryPage::install);
  connect(m_deinstall, &QPushButton::clicked, this, &LibraryPage::deinstall);
  connect(m_extract, &QPushButton::clicked, this, &LibraryPage::extract);
}

void LibraryPage::setTable(QWidget* table, QWidget* focus) {
  m_layout->insertWidget(1, table, 1);
  QWidget::setTabOrder(m_type, focus ? focus : table);
}

void LibraryPage::refresh() {
  m_place.type = m_type->typeName();
  load();
}

void LibraryPage::setSelectionButtons(bool selected) {
  m_deinstall->setEnabled(selected);
  m_extract->setEnabled(selected);
}

void LibraryPage::install() {
  const QStringList files = m_open(FromStored(m_place.programDirectory.string()));
  for (const QString& file : files) installScript(ToPath(file));
  if (!files.isEmpty()) refresh();
}

std::optional<std::filesystem::path> LibraryPage::chooseExtractTarget(const std::string& proposed) {
  const QString chosen = m_save(FromStored(proposed));
  if (chosen.isEmpty()) return std::nullopt;
  return ToPath(chosen);
}

}  // namespace zel::ui
