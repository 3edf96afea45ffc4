#pragma once
// The program's own icons: the application's, one per kind of child window, and the
// help command's. Drawn rather than shipped as images, like the list badges, so they need
// no image format plugin and stay sharp at every size the desktop asks for.

#include <QIcon>

#include "app/shell/window_registry.h"

namespace zel::ui {

QIcon ApplicationIcon();
QIcon WindowKindIcon(app::WindowKind kind);
// A question mark on a blue disc: help, never to be read as close or error.
QIcon HelpIcon();

}  // namespace zel::ui
