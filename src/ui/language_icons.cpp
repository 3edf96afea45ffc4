#include "ui/language_icons.h"

#include <QPainter>
#include <QPixmap>

namespace zel::ui {

namespace {

QIcon Badge(const QColor& colour, const QString& letter) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(colour);
  painter.setPen(colour.darker(150));
  painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
  painter.setPen(Qt::white);
  QFont font = painter.font();
  font.setPixelSize(11);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(pixmap.rect(), Qt::AlignCenter, letter);
  return QIcon(pixmap);
}

}  // namespace

QIcon LanguageIcon(app::Language language) {
  switch (language) {
    case app::Language::Stl:
      return Badge(QColor(40, 110, 190), "S");
    case app::Language::Ladder:
      return Badge(QColor(40, 150, 80), "L");
    case app::Language::Imported:
      return Badge(QColor(130, 130, 130), "O");
    case app::Language::Unknown:
      break;
  }
  return Badge(QColor(190, 60, 60), "?");
}

}  // namespace zel::ui
