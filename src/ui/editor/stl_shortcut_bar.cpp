#include "ui/editor/stl_shortcut_bar.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QToolButton>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "app/preferences/window_fit.h"
#include "stl/editor/insert.h"
#include "ui/widgets/stored_text.h"
#include "ui/widgets/window_geometry.h"

namespace zel::ui {

namespace {

// Four narrow columns fit the default width; longer labels take two of them.
constexpr int kColumns = 4;
constexpr qsizetype kNarrowLabel = 6;

constexpr std::array<std::pair<Qt::DockWidgetArea, unsigned>, 4> kDockSides = {{
    {Qt::TopDockWidgetArea, app::kDockTop},
    {Qt::LeftDockWidgetArea, app::kDockLeft},
    {Qt::RightDockWidgetArea, app::kDockRight},
    {Qt::BottomDockWidgetArea, app::kDockBottom},
}};

// An unknown side docks at the right, the default one.
Qt::DockWidgetArea AreaOf(unsigned side) {
  for (const auto& [area, id] : kDockSides)
    if (id == side) return area;
  return Qt::RightDockWidgetArea;
}

unsigned SideOf(Qt::DockWidgetArea area) {
  for (const auto& [known, id] : kDockSides)
    if (known == area) return id;
  return app::kDockRight;
}

// The bar, not the buttons, decides the width: a label that does not fit is cut rather
// than widening the bar.
QToolButton* MakeButton(const QString& label, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setText(label);
  button->setToolTip(label);
  button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  button->setFocusPolicy(Qt::NoFocus);  // the caret stays in the editor
  return button;
}

// A stored width comes from a file that may have been edited: it is kept between the
// bar's smallest width and the screen's.
int UsableWidth(unsigned stored, const QWidget& bar) {
  const QScreen* screen = bar.screen();
  const int widest = screen ? screen->availableGeometry().width() : QWIDGETSIZE_MAX;
  const int narrowest = std::min(bar.minimumSizeHint().width(), widest);
  return static_cast<int>(std::clamp<std::int64_t>(stored, narrowest, widest));
}

// Places the button at the next free cell, moving to the next row when it does not fit.
void Place(QGridLayout& grid, QToolButton* button, int span, int& row, int& column) {
  if (column + span > kColumns) {
    ++row;
    column = 0;
  }
  grid.addWidget(button, row, column, 1, span);
  column += span;
}

}  // namespace

StlShortcutBar::StlShortcutBar(QWidget* parent) : QDockWidget(parent) {
  setWindowTitle(tr("STL Shortcuts"));
  setObjectName("StlShortcutBar");
  setAllowedAreas(Qt::AllDockWidgetAreas);
  buildButtons(false);
  // Floated by hand later, it is made anew as a window: it gets its owner again.
  connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
    auto* frame = qobject_cast<QMainWindow*>(parentWidget());
    if (floating && frame) keepAbove(*frame);
  });
}

void StlShortcutBar::setElseForOtherwise(bool elseForOtherwise) {
  buildButtons(elseForOtherwise);
}

void StlShortcutBar::setCommandsEnabled(bool enabled) {
  m_commandsEnabled = enabled;
  if (QWidget* buttons = widget()) buttons->setEnabled(enabled);
}

// Not called from one of the bar's own buttons: the old ones are deleted at once.
void StlShortcutBar::buildButtons(bool elseForOtherwise) {
  auto* buttons = new QWidget(this);
  auto* grid = new QGridLayout(buttons);
  grid->setContentsMargins(2, 2, 2, 2);
  grid->setSpacing(2);
  int row = 0;
  int column = 0;
  for (const auto& command : stl::KeywordInsertions(elseForOtherwise)) {
    const QString label = FromStored(command.label);
    const QString text = FromStored(stl::InsertionText(command));
    auto* button = MakeButton(label, buttons);
    connect(button, &QToolButton::clicked, this, [this, text] { emit insertRequested(text); });
    Place(*grid, button, label.size() > kNarrowLabel ? 2 : 1, row, column);
  }
  auto* moduleCall = MakeButton(tr("Module Call..."), buttons);
  auto* operand = MakeButton(tr("Operand..."), buttons);
  connect(moduleCall, &QToolButton::clicked, this, &StlShortcutBar::moduleCallRequested);
  connect(operand, &QToolButton::clicked, this, &StlShortcutBar::operandRequested);
  column = kColumns;  // a row of their own
  Place(*grid, moduleCall, kColumns / 2, row, column);
  Place(*grid, operand, kColumns / 2, row, column);
  grid->setRowStretch(row + 1, 1);
  for (int c = 0; c < kColumns; ++c) grid->setColumnStretch(c, 1);
  buttons->setEnabled(m_commandsEnabled);
  QWidget* old = widget();
  setWidget(buttons);
  delete old;
}

// The frame's query takes a bar it may change; it only reads it.
Qt::DockWidgetArea StlShortcutBar::dockAreaIn(const QMainWindow& frame) const {
  return frame.dockWidgetArea(const_cast<StlShortcutBar*>(this));
}

bool StlShortcutBar::spansFrame() const {
  if (isFloating()) return false;
  const auto* frame = qobject_cast<const QMainWindow*>(parentWidget());
  if (!frame) return false;
  const Qt::DockWidgetArea area = dockAreaIn(*frame);
  return area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea;
}

void StlShortcutBar::resizeEvent(QResizeEvent* event) {
  QDockWidget::resizeEvent(event);
  if (!spansFrame()) m_width = event->size().width();
}

// A floating bar belongs to a dock area as well (the right one, as its stored side is 0):
// docking it again by hand takes it there. -1,-1 is a docked bar's position; a floating
// bar with it goes to `defaultPosition`. Whatever the file says, the bar ends up on the
// screen.
void StlShortcutBar::applyState(const app::StlBarState& stored, QMainWindow& frame,
                                QPoint defaultPosition) {
  // The frame's native window exists before the bar's: a floating bar made first would
  // have no owner to stay above.
  frame.winId();
  frame.addDockWidget(AreaOf(stored.dockSide), this);
  setFloating(stored.floating);
  // Floating, the bar is as tall as its buttons, not as the dock area it came from.
  const int floatingHeight = sizeHint().height();
  const QScreen* screen = frame.screen();
  const app::StlBarState state =
      screen ? app::FitStlBar(stored, floatingHeight, RectOf(screen->availableGeometry()),
                              defaultPosition.x(), defaultPosition.y())
             : stored;
  m_width = UsableWidth(state.width, *this);
  if (isFloating()) {
    const int tallest = screen ? screen->availableGeometry().height() : floatingHeight;
    resize(m_width, std::min(floatingHeight, tallest));
    if (!(state.left == -1 && state.top == -1)) move(state.left, state.top);
  }
  applyWidth(frame);
  // A floating bar mapped before its frame is stacked by the window manager as a window
  // without an owner, below the frame for good: it shows when the frame does.
  m_waitingForFrame = state.visible && isFloating() && !frame.isVisible();
  setVisible(state.visible && !m_waitingForFrame);
  keepAbove(frame);
  keepOnScreen();
}

void StlShortcutBar::frameShown(QMainWindow& frame) {
  if (m_waitingForFrame) {
    m_waitingForFrame = false;
    show();
  }
  keepAbove(frame);
  keepOnScreen();
}

// The window system's frame around a floating bar is known only once it shows; with it
// the bar may stick out by the frame's width, so the whole frame is fitted again.
void StlShortcutBar::keepOnScreen() {
  const QScreen* screen = this->screen();
  if (!isFloating() || !isVisible() || !screen) return;
  const QRect outer = frameGeometry();
  const app::WindowRect fitted = app::FitInside(RectOf(outer), RectOf(screen->availableGeometry()),
                                                {outer.width(), outer.height()});
  const QRect inside = QRectOf(fitted);
  if (inside == outer) return;
  const QSize frameExtra = outer.size() - size();
  move(inside.topLeft());
  resize(inside.size() - frameExtra);
}

// Floating, the bar is a tool window of the frame: it stays above it when an editor in the
// frame takes the focus.
void StlShortcutBar::keepAbove(QMainWindow& frame) {
  if (!isFloating()) return;
  if (QWindow* own = windowHandle()) own->setTransientParent(frame.windowHandle());
}

// The window system learns the owner when the bar's window is mapped, and a window
// manager only heeds an owner it already manages; the frame is managed some time after
// it showed. Mapped again once the frame is active, the bar is its tool window for good.
void StlShortcutBar::frameActivated(QMainWindow& frame) {
  if (!isFloating() || !isVisible()) return;
  keepAbove(frame);
  // Only X11 maps windows this way; elsewhere hiding would only move the focus about.
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  // The frame keeps the focus it just got.
  const bool quiet = testAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_ShowWithoutActivating, true);
  hide();
  show();
  setAttribute(Qt::WA_ShowWithoutActivating, quiet);
}

void StlShortcutBar::applyWidth(QMainWindow& frame) {
  if (isFloating()) {
    resize(m_width, height());
  } else if (!spansFrame()) {
    frame.resizeDocks({this}, {m_width}, Qt::Horizontal);
  }
}

app::StlBarState StlShortcutBar::currentState(const QMainWindow& frame) const {
  app::StlBarState state;
  state.visible = m_waitingForFrame || isVisibleTo(&frame);
  state.floating = isFloating();
  state.width = static_cast<unsigned>(std::max(m_width, 0));
  state.left = state.floating ? x() : -1;
  state.top = state.floating ? y() : -1;
  state.dockSide = state.floating ? 0 : SideOf(dockAreaIn(frame));
  return state;
}

}  // namespace zel::ui
