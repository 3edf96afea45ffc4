#include "ui/widgets/window_geometry.h"

#include <QScreen>

#include "app/preferences/window_fit.h"

namespace zel::ui {

app::WindowRect RectOf(const QRect& rect) {
  return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

QRect QRectOf(const app::WindowRect& rect) {
  return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

app::WindowPlacement PlacementOf(const QRect& normal, Qt::WindowStates states) {
  app::WindowPlacement placement;
  placement.normal = RectOf(normal);
  if (states & Qt::WindowMinimized) {
    placement.showCommand = kShowMinimized;
  } else if (states & Qt::WindowMaximized) {
    placement.showCommand = kShowMaximized;
  }
  return placement;
}

void ApplyPlacement(QWidget& window, const app::WindowPlacement& placement) {
  const QRect rect = QRectOf(placement.normal);
  if (rect.width() > 0 && rect.height() > 0) {
    window.setGeometry(rect);
  } else {
    window.move(rect.topLeft());
  }
  const bool maximized = placement.showCommand == kShowMaximized ||
                         (placement.flags & app::kPlacementMaximizedFlag) != 0;
  // A window not shown yet (the main frame during start-up) only takes the state; it
  // appears when its owner shows it.
  if (window.isHidden()) {
    Qt::WindowStates state = window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (placement.showCommand == kShowMinimized) {
      state |= Qt::WindowMinimized;
    } else if (maximized) {
      state |= Qt::WindowMaximized;
    }
    window.setWindowState(state);
    return;
  }
  if (placement.showCommand == kShowMinimized) {
    window.showMinimized();
  } else if (maximized) {
    window.showMaximized();
  } else {
    window.showNormal();
  }
}

void PlaceOnScreen(QWidget& window, const QWidget& owner) {
  const QScreen* screen = owner.screen();
  if (!screen) return;
  QRect wanted(QPoint(), window.size());
  wanted.moveCenter(owner.frameGeometry().center());
  // Room for the window manager's frame, which is not known before the window shows.
  const QRect available = screen->availableGeometry().adjusted(0, 0, -8, -32);
  window.setGeometry(QRectOf(
      app::FitInside(RectOf(wanted), RectOf(available), {wanted.width(), wanted.height()})));
}

}  // namespace zel::ui
