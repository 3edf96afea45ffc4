#pragma once
// A small coloured badge with one letter: the list icons of the windows are drawn, not
// shipped as image files.

#include <QColor>
#include <QIcon>
#include <QString>

namespace zel::ui {

QIcon BadgeIcon(const QColor& colour, const QString& letter);

}  // namespace zel::ui
