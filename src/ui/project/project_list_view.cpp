#include "ui/project/project_list_view.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "app/project/project_naming.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

// Names are edited in place with at most eight characters, shown in upper case.
class NameDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex&) const override {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(static_cast<int>(app::kMaxProjectNameLength));
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
      const int pos = edit->cursorPosition();
      edit->setText(text.toUpper());
      edit->setCursorPosition(pos);
    });
    return edit;
  }
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    static_cast<QLineEdit*>(editor)->setText(index.data(Qt::EditRole).toString().toUpper());
  }
};

}  // namespace

ProjectListView::ProjectListView(app::ProjectSession& session, bool multiSelect, QWidget* parent)
    : QWidget(parent),
      m_model(new ProjectListModel(session, this)),
      m_filter(new QComboBox(this)),
      m_listButton(new QToolButton(this)),
      m_reportButton(new QToolButton(this)),
      m_stack(new QStackedWidget(this)),
      m_report(new QTableView(this)),
      m_list(new QListView(this)) {
  for (const auto& label : app::ProjectTypeFilterLabels()) m_filter->addItem(FromStored(label));
  m_listButton->setText(tr("List"));
  m_reportButton->setText(tr("Report"));
  for (QToolButton* b : {m_listButton, m_reportButton}) b->setCheckable(true);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(tr("Controller type:"), this));
  top->addWidget(m_filter, 1);
  top->addWidget(m_listButton);
  top->addWidget(m_reportButton);

  const auto mode =
      multiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
  m_report->setModel(m_model);
  m_report->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_report->setSelectionMode(mode);
  m_report->verticalHeader()->hide();
  // The comment takes what the name and the type leave; neither of those is ever cut.
  QHeaderView* header = m_report->horizontalHeader();
  header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  header->setSectionResizeMode(1, QHeaderView::Stretch);
  header->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  header->setSectionsClickable(true);
  m_report->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_report->setTextElideMode(Qt::ElideRight);
  m_report->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  m_report->setItemDelegateForColumn(0, new NameDelegate(this));
  m_list->setModel(m_model);
  m_list->setSelectionModel(m_report->selectionModel());
  m_list->setViewMode(QListView::ListMode);
  m_list->setFlow(QListView::TopToBottom);
  m_list->setWrapping(true);
  m_list->setSelectionMode(mode);
  m_list->setEditTriggers(m_report->editTriggers());
  m_list->setItemDelegate(new NameDelegate(this));
  m_stack->addWidget(m_list);
  m_stack->addWidget(m_report);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(top);
  layout->addWidget(m_stack, 1);
  setReportMode(true);

  connect(m_filter, &QComboBox::currentTextChanged, this, [this](const QString& label) {
    m_model->setTypeFilter(label);
    updateEnabled();
  });
  connect(m_listButton, &QToolButton::clicked, this, [this] { setReportMode(false); });
  connect(m_reportButton, &QToolButton::clicked, this, [this] { setReportMode(true); });
  connect(m_report->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
    const QStringList selected = selectedNames();
    m_model->clickColumn(column);
    m_report->horizontalHeader()->setSortIndicatorShown(true);
    m_report->horizontalHeader()->setSortIndicator(
        column, m_model->descending() ? Qt::DescendingOrder : Qt::AscendingOrder);
    for (const QString& name : selected) selectName(name);
  });
  connect(m_report->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            emit currentNameChanged(current.isValid() ? current.siblingAtColumn(0).data().toString()
                                                      : QString());
          });
  for (QAbstractItemView* view :
       {static_cast<QAbstractItemView*>(m_report), static_cast<QAbstractItemView*>(m_list)}) {
    connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
      emit nameActivated(index.siblingAtColumn(0).data().toString());
    });
  }
  updateEnabled();
}

void ProjectListView::setReportMode(bool report) {
  m_stack->setCurrentWidget(report ? static_cast<QWidget*>(m_report) : m_list);
  m_reportButton->setChecked(report);
  m_listButton->setChecked(!report);
}

QStringList ProjectListView::selectedNames() const {
  QStringList names;
  for (const QModelIndex& index : m_report->selectionModel()->selectedRows(0)) {
    names << index.data().toString();
  }
  return names;
}

void ProjectListView::selectName(const QString& name) {
  const int row = m_model->rowOf(name);
  if (row < 0) return;
  const QModelIndex index = m_model->index(row, 0);
  m_report->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
  m_report->scrollTo(index);
}

void ProjectListView::refresh() {
  const QStringList selected = selectedNames();
  m_model->refresh();
  for (const QString& name : selected) selectName(name);
  updateEnabled();
}

void ProjectListView::editCurrentName() {
  const QModelIndex current = m_report->selectionModel()->currentIndex();
  if (!current.isValid()) return;
  auto* view = reportMode() ? static_cast<QAbstractItemView*>(m_report) : m_list;
  view->edit(current.siblingAtColumn(0));
}

// An empty list is shown disabled.
void ProjectListView::updateEnabled() {
  const bool any = m_model->rowCount() > 0;
  m_report->setEnabled(any);
  m_list->setEnabled(any);
}

}  // namespace zel::ui
