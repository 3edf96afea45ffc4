#include "ui/project/project_name_dialog.h"

#include <QFormLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "app/project/project_naming.h"
#include "ui/widgets/ok_cancel_buttons.h"

namespace zel::ui {

ProjectNameDialog::ProjectNameDialog(app::ProjectSession& session, const QString& title,
                                     const QString& preset, Acceptor acceptor, QWidget* parent)
    : QDialog(parent),
      m_name(new QLineEdit(preset, this)),
      m_list(new ProjectListView(session, false, this)),
      m_accept(std::move(acceptor)) {
  setWindowTitle(title);
  m_name->setMaxLength(static_cast<int>(app::kMaxProjectNameLength));
  auto* form = new QFormLayout;
  form->addRow(tr("&Name:"), m_name);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(m_list, 1);
  layout->addWidget(OkCancelButtons(this));
  // Name, comment and type side by side without a scroll bar.
  resize(std::max(560, sizeHint().width()), 360);
  if (!preset.isEmpty()) m_list->selectName(preset);
  connect(m_list, &ProjectListView::currentNameChanged, this, [this](const QString& name) {
    if (!name.isEmpty()) m_name->setText(name);
  });
  connect(m_list, &ProjectListView::nameActivated, this, [this](const QString& name) {
    m_name->setText(name);
    accept();
  });
}

void ProjectNameDialog::accept() {
  if (m_accept && !m_accept(m_name->text())) return;
  QDialog::accept();
}

}  // namespace zel::ui
