#include "ui/library/library_dialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace zel::ui {

LibraryDialog::LibraryDialog(const library::LibraryPlace& place, QWidget* parent)
    : QDialog(parent), m_pages(new QTabWidget(this)), m_drivers(new DriversPage(place, this)) {
  setWindowTitle(tr("ZEL Library"));
  m_pages->addTab(m_drivers, tr("Drivers"));
  m_ioModules = new IoModulesPage(place, this);
  m_pages->addTab(m_ioModules, tr("IO Modules"));
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_pages, 1);
  layout->addWidget(close);
  resize(640, 420);
}

void LibraryDialog::addPage(QWidget* page, const QString& title) {
  page->setParent(this);
  m_pages->addTab(page, title);
}

}  // namespace zel::ui
