#pragma once
// Window placements between the stored ten-number form and Qt's geometry. The normal
// rectangle keeps the historical convention: right and bottom lie one past the window.

#include <QRect>
#include <QWidget>

#include "app/preferences/window_placement.h"

namespace zel::ui {

inline constexpr unsigned kShowMinimized = 2;
inline constexpr unsigned kShowMaximized = 3;

app::WindowRect RectOf(const QRect& rect);
QRect QRectOf(const app::WindowRect& rect);

// `normal` is where the window stands when neither minimised nor maximised.
app::WindowPlacement PlacementOf(const QRect& normal, Qt::WindowStates states);
// Moves `window` to the normal rectangle, then minimises or maximises it as stored. A
// rectangle without area keeps the window's size. A hidden window stays hidden.
void ApplyPlacement(QWidget& window, const app::WindowPlacement& placement);
// A top-level window about to show the first time: centred over `owner`, and moved and
// shrunk to lie inside the available part of the owner's screen.
void PlaceOnScreen(QWidget& window, const QWidget& owner);

}  // namespace zel::ui
