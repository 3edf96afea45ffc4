#pragma once
// "STL Shortcuts": a dockable bar with one button per keyword of the "STL Instruction"
// submenu, and buttons for the "Module Call" and "Allocation List Operand" dialogs. It
// only asks; the main frame inserts into the active editor. Its place and size are kept
// as app::StlBarState.

#include <QDockWidget>
#include <QMainWindow>
#include <QPoint>
#include <QString>

#include "app/preferences/stl_bar_state.h"

namespace zel::ui {

class StlShortcutBar : public QDockWidget {
  Q_OBJECT

 public:
  explicit StlShortcutBar(QWidget* parent = nullptr);

  // OTHRW or ELSE, as the editor preference says; the buttons are built anew.
  void setElseForOtherwise(bool elseForOtherwise);
  // The buttons only work while an editor is active.
  void setCommandsEnabled(bool enabled);

  // Docks the bar at the state's side of `frame`, or floats it at the state's position
  // (`defaultPosition` when it has none) brought inside the available screen, then sets its
  // width and shows or hides it.
  void applyState(const app::StlBarState& state, QMainWindow& frame, QPoint defaultPosition = {});
  app::StlBarState currentState(const QMainWindow& frame) const;
  // Floating, its window frame included, the bar lies inside the available screen.
  void keepOnScreen();
  // The frame showed: a floating bar waiting for it shows now, above it.
  void frameShown(QMainWindow& frame);
  // The frame became active the first time: the window manager surely manages it now.
  void frameActivated(QMainWindow& frame);

 signals:
  void insertRequested(const QString& text);
  void moduleCallRequested();
  void operandRequested();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildButtons(bool elseForOtherwise);
  void applyWidth(QMainWindow& frame);
  void keepAbove(QMainWindow& frame);
  Qt::DockWidgetArea dockAreaIn(const QMainWindow& frame) const;
  bool spansFrame() const;  // docked at the top or bottom

  bool m_commandsEnabled = true;
  bool m_waitingForFrame = false;  // floating and visible, shown with the frame
  // The bar's own width: a bar docked at the top or bottom takes the frame's width and
  // gets this one back when it floats or docks at a side again.
  int m_width = static_cast<int>(app::kDefaultStlBarWidth);
};

}  // namespace zel::ui
