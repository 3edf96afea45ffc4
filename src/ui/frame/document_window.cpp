#include "ui/frame/document_window.h"

#include <QCloseEvent>

#include "ui/widgets/stored_text.h"
#include "ui/widgets/window_geometry.h"

namespace zel::ui {

DocumentWindow::DocumentWindow(app::WindowKind kind, QString name, QWidget* content)
    : m_kind(kind), m_name(std::move(name)) {
  setWidget(content);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(FromStored(app::WindowInfo(kind).title));
}

app::WindowPlacement DocumentWindow::placement() const {
  const QRect normal = m_normal.isValid() ? m_normal : geometry();
  return PlacementOf(normal, windowState());
}

void DocumentWindow::closeEvent(QCloseEvent* event) {
  if (m_closeGuard && !m_closeGuard()) {
    event->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(event);
}

void DocumentWindow::moveEvent(QMoveEvent* event) {
  QMdiSubWindow::moveEvent(event);
  rememberNormal();
}

void DocumentWindow::resizeEvent(QResizeEvent* event) {
  QMdiSubWindow::resizeEvent(event);
  rememberNormal();
}

void DocumentWindow::rememberNormal() {
  if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) m_normal = geometry();
}

}  // namespace zel::ui
