#pragma once
// A child window of the main frame: one of the registry's kinds, under the name that
// section "WINDOWS" remembers it by, and where it stood when last shown normally.

#include <QMdiSubWindow>
#include <QString>
#include <functional>

#include "app/preferences/window_placement.h"
#include "app/shell/window_registry.h"

namespace zel::ui {

class DocumentWindow : public QMdiSubWindow {
  Q_OBJECT

 public:
  DocumentWindow(app::WindowKind kind, QString name, QWidget* content);

  app::WindowKind kind() const { return m_kind; }
  const QString& name() const { return m_name; }
  void rename(QString name) { m_name = std::move(name); }
  // Asked before the user's close goes ahead; false keeps the window open.
  void setCloseGuard(std::function<bool()> guard) { m_closeGuard = std::move(guard); }
  app::WindowPlacement placement() const;
  bool isMaximized() const { return windowState() & Qt::WindowMaximized; }
  bool isMinimized() const { return windowState() & Qt::WindowMinimized; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void rememberNormal();

  app::WindowKind m_kind;
  QString m_name;
  QRect m_normal;
  std::function<bool()> m_closeGuard;
};

}  // namespace zel::ui
