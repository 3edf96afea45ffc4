#include "ui/project/module_list_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include "app/modules/module_list_filter.h"
#include "app/modules/module_messages.h"
#include "app/modules/module_ops.h"
#include "app/project/project_messages.h"
#include "platform/no_case.h"
#include "ui/widgets/language_icons.h"
#include "ui/widgets/ok_cancel_buttons.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

constexpr int kFileRole = Qt::UserRole;

// The name column sorts by file name, not by the display name it shows.
class ModuleItem : public QTreeWidgetItem {
 public:
  using QTreeWidgetItem::QTreeWidgetItem;
  bool operator<(const QTreeWidgetItem& other) const override {
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    if (column == 0) {
      return platform::CompareNoCase(ToStored(data(0, kFileRole).toString()),
                                     ToStored(other.data(0, kFileRole).toString())) < 0;
    }
    return text(column).compare(other.text(column), Qt::CaseInsensitive) < 0;
  }
};

QString TitleOf(ModuleListDialog::Mode mode) {
  switch (mode) {
    case ModuleListDialog::Mode::SelectForDownload:
      return QObject::tr("Select Programs for Download");
    case ModuleListDialog::Mode::Open:
      return QObject::tr("Open Program");
    case ModuleListDialog::Mode::Delete:
      return QObject::tr("Delete Program");
  }
  return {};
}

}  // namespace

ModuleListDialog::ModuleListDialog(Mode mode, app::ProjectModel& model, app::ShellHooks* hooks,
                                   QWidget* parent)
    : QDialog(parent),
      m_mode(mode),
      m_model(model),
      m_hooks(hooks),
      m_list(new QTreeWidget(this)),
      m_language(new QComboBox(this)),
      m_type(new QComboBox(this)) {
  setWindowTitle(TitleOf(mode));
  for (const auto label : app::kLanguageFilterLabels) m_language->addItem(FromStored(label));
  for (const auto label : app::kTypeFilterLabels) m_type->addItem(FromStored(label));
  m_list->setHeaderLabels({tr("Name"), tr("Comment")});
  m_list->setRootIsDecorated(false);
  m_list->setColumnWidth(0, 170);
  m_list->header()->setSectionsClickable(true);
  m_list->header()->setSortIndicatorShown(true);
  auto* filters = new QHBoxLayout;
  filters->addWidget(new QLabel(tr("Language:"), this));
  filters->addWidget(m_language, 1);
  filters->addWidget(new QLabel(tr("Type:"), this));
  filters->addWidget(m_type, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filters);
  layout->addWidget(m_list, 1);
  layout->addWidget(OkCancelButtons(this));
  resize(520, 360);
  connect(m_language, &QComboBox::currentIndexChanged, this, &ModuleListDialog::fill);
  connect(m_type, &QComboBox::currentIndexChanged, this, &ModuleListDialog::fill);
  connect(m_list->header(), &QHeaderView::sectionClicked, this, &ModuleListDialog::sortBy);
  connect(m_list, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
    m_checks[ToStored(item->data(0, kFileRole).toString())] = item->checkState(0) == Qt::Checked;
  });
  if (mode != Mode::SelectForDownload) {
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &ModuleListDialog::accept);
  }
  fill();
}

void ModuleListDialog::fill() {
  const QSignalBlocker blocker(m_list);
  m_list->clear();
  const auto language = static_cast<app::LanguageFilter>(m_language->currentIndex());
  const auto type = static_cast<app::TypeFilter>(m_type->currentIndex());
  for (const auto& module : app::FilterModules(m_model.modules(), language, type)) {
    auto* item =
        new ModuleItem(m_list, {FromStored(module.displayName), FromStored(module.comment)});
    item->setData(0, kFileRole, FromStored(module.fileName));
    item->setIcon(0, LanguageIcon(module.language));
    if (m_mode == Mode::SelectForDownload) {
      const auto changed = m_checks.find(module.fileName);
      const bool on = changed != m_checks.end() ? changed->second : module.selected;
      item->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    }
  }
  m_list->sortItems(m_sortColumn, m_order);
  m_list->header()->setSortIndicator(m_sortColumn, m_order);
}

void ModuleListDialog::sortBy(int column) {
  m_order = column == m_sortColumn && m_order == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                    : Qt::AscendingOrder;
  m_sortColumn = column;
  m_list->sortItems(m_sortColumn, m_order);
  m_list->header()->setSortIndicator(m_sortColumn, m_order);
}

QStringList ModuleListDialog::listedFileNames() const {
  QStringList names;
  for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
    names << m_list->topLevelItem(i)->data(0, kFileRole).toString();
  }
  return names;
}

void ModuleListDialog::accept() {
  app::ModuleOperations operations(m_model, m_hooks);
  if (m_mode == Mode::SelectForDownload) {
    std::vector<app::DownloadChoice> choices;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* item = m_list->topLevelItem(i);
      choices.push_back(
          {ToStored(item->data(0, kFileRole).toString()), item->checkState(0) == Qt::Checked});
    }
    operations.applyDownloadSelection(choices);
    QDialog::accept();
    return;
  }
  const QTreeWidgetItem* item = m_list->currentItem();
  if (!item || !item->isSelected()) {
    app::TellUser(app::kMsgSelectProgram);
    return;
  }
  const std::string fileName = ToStored(item->data(0, kFileRole).toString());
  QDialog::accept();
  if (m_mode == Mode::Open) {
    operations.openModule(fileName);
  } else {
    operations.deleteModule(fileName);
  }
}

}  // namespace zel::ui
