#pragma once
// A child window of the main frame: one of the registry's kinds, under the name that
// section "WINDOWS" remembers it by, and where it stood when last shown normally.

#include <QMdiSubWindow>
#include <QString>

#include "app/window_placement.h"
#include "app/window_registry.h"

namespace zel::ui {

class DocumentWindow : public QMdiSubWindow {
  Q_OBJECT

 public:
  DocumentWindow(app::WindowKind kind, QString name, QWidget* content);

  app::WindowKind kind() const { return m_kind; }
  const QString& name() const { return m_name; }
  app::WindowPlacement placement() const;
  bool isMaximized() const { return windowState() & Qt::WindowMaximized; }
  bool isMinimized() const { return windowState() & Qt::WindowMinimized; }

 protected:
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void rememberNormal();

  app::WindowKind m_kind;
  QString m_name;
  QRect m_normal;
};

}  // namespace zel::ui
