#include "ui/widgets/badge_icon.h"

#include <QPainter>
#include <QPixmap>

namespace zel::ui {

QIcon BadgeIcon(const QColor& colour, const QString& letter) {
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

}  // namespace zel::ui
