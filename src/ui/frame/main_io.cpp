// The main frame's menu of the IO Configuration window.

#include <QMenuBar>

#include "ui/frame/main_frame.h"
#include "ui/io/io_config_view.h"

namespace zel::ui {

void MainFrame::createIoConfigMenu() {
  m_ioConfigMenu = menuBar()->addMenu(tr("&IO Config"));
  auto forward = [this](void (IoConfigView::*command)()) {
    return [this, command] {
      if (IoConfigView* view = activeIoConfig()) (view->*command)();
    };
  };
  m_ioConfigMenu->addAction(tr("&Insert IO Module..."), this, forward(&IoConfigView::insertModule));
  m_ioConfigMenu->addSeparator();
  m_ioConfigMenu->addAction(tr("Cu&t"), this, forward(&IoConfigView::cut));
  m_ioConfigMenu->addAction(tr("&Copy"), this, forward(&IoConfigView::copy));
  m_ioConfigMenu->addAction(tr("&Paste"), this, forward(&IoConfigView::paste));
  m_ioConfigMenu->addAction(tr("&Delete"), this, forward(&IoConfigView::deleteSelected));
  m_ioConfigMenu->addSeparator();
  m_ioConfigMenu->addAction(tr("P&roperties..."), this, forward(&IoConfigView::properties));
  m_ioConfigMenu->menuAction()->setVisible(false);
  // The view's selection changes without the frame hearing of it.
  connect(m_ioConfigMenu, &QMenu::aboutToShow, this, [this] { updateActions(); });
}

void MainFrame::updateIoConfigMenu(const IoConfigView* active) {
  if (!m_ioConfigMenu) return;
  m_ioConfigMenu->menuAction()->setVisible(active != nullptr);
  if (!active) return;
  const bool selected = !active->selectedEntries().empty();
  const bool pasteable = !active->configuration().pasteBuffer().empty();
  for (QAction* item : m_ioConfigMenu->actions()) {
    if (item->isSeparator()) continue;
    const QString text = item->text();
    const bool needsSelection = text != tr("&Insert IO Module...") && text != tr("&Paste");
    item->setEnabled(!m_busy && (text == tr("&Paste") ? pasteable : !needsSelection || selected));
  }
}

}  // namespace zel::ui
