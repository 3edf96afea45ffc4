#include "ui/widgets/window_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace zel::ui {

namespace {

using Painting = std::function<void(QPainter&)>;

constexpr int kSizes[] = {16, 24, 32, 48, 64};
// Drawing happens on a 16-unit grid, scaled to each size.
constexpr qreal kGrid = 16.0;

const QColor kBlue(0x1f, 0x5f, 0xa8);
const QColor kPaper(0xfb, 0xfb, 0xf6);
const QColor kInk(0x30, 0x30, 0x30);

QIcon Drawn(const Painting& paint) {
  QIcon icon;
  for (const int size : kSizes) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kGrid, size / kGrid);
    paint(painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

QPen Pen(const QColor& colour, qreal width = 1.0) {
  QPen pen(colour, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

void Sheet(QPainter& p, const QColor& edge) {
  p.setPen(Pen(edge));
  p.setBrush(kPaper);
  p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
}

void Application(QPainter& p) {
  p.setPen(Pen(kBlue.darker(140)));
  p.setBrush(kBlue);
  p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
  // A "Z" between two rails: the rungs of a controller's program.
  p.setPen(Pen(QColor(0xff, 0xc8, 0x3c), 1.2));
  p.drawLine(QPointF(2.5, 2.5), QPointF(2.5, 13.5));
  p.drawLine(QPointF(13.5, 2.5), QPointF(13.5, 13.5));
  QPainterPath z;
  z.moveTo(5, 4.5);
  z.lineTo(11, 4.5);
  z.lineTo(5, 11.5);
  z.lineTo(11, 11.5);
  p.setPen(Pen(Qt::white, 2.0));
  p.setBrush(Qt::NoBrush);
  p.drawPath(z);
}

void Tree(QPainter& p) {
  Sheet(p, QColor(0x5a, 0x7d, 0x3c));
  p.setPen(Pen(kInk, 0.9));
  p.drawLine(QPointF(4.5, 4.5), QPointF(4.5, 11.5));
  p.drawLine(QPointF(4.5, 7.5), QPointF(7, 7.5));
  p.drawLine(QPointF(4.5, 11.5), QPointF(7, 11.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x5a, 0x9d, 0x3c));
  p.drawRect(QRectF(3, 3, 3, 2.5));
  p.drawRect(QRectF(7.5, 6.3, 5, 2.4));
  p.drawRect(QRectF(7.5, 10.3, 5, 2.4));
}

void Table(QPainter& p) {
  Sheet(p, QColor(0x8a, 0x5a, 0x1e));
  p.setPen(Pen(QColor(0x8a, 0x5a, 0x1e), 0.8));
  for (const qreal y : {5.0, 8.0, 11.0}) p.drawLine(QPointF(2, y), QPointF(14, y));
  p.drawLine(QPointF(6.5, 2), QPointF(6.5, 14));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xe8, 0xa3, 0x3c));
  p.drawRect(QRectF(2, 2, 12, 3));
}

void Messages(QPainter& p) {
  p.setPen(Pen(QColor(0x44, 0x44, 0x55)));
  p.setBrush(QColor(0x2b, 0x2b, 0x36));
  p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 1.5, 1.5);
  p.setPen(Pen(QColor(0x9c, 0xe0, 0x9c), 1.1));
  p.drawLine(QPointF(4, 5.5), QPointF(11, 5.5));
  p.drawLine(QPointF(4, 8), QPointF(9, 8));
  p.setPen(Pen(QColor(0xf0, 0xa0, 0x70), 1.1));
  p.drawLine(QPointF(4, 10.5), QPointF(12, 10.5));
}

void Editor(QPainter& p, const QColor& accent) {
  Sheet(p, kBlue);
  p.setPen(Pen(accent, 1.1));
  p.drawLine(QPointF(4, 5), QPointF(7, 5));
  p.setPen(Pen(kInk, 1.0));
  p.drawLine(QPointF(8.5, 5), QPointF(12, 5));
  p.drawLine(QPointF(4, 8), QPointF(11, 8));
  p.setPen(Pen(accent, 1.1));
  p.drawLine(QPointF(4, 11), QPointF(6.5, 11));
  p.setPen(Pen(kInk, 1.0));
  p.drawLine(QPointF(8, 11), QPointF(12, 11));
}

void Help(QPainter& p) {
  p.setPen(Pen(kBlue.darker(140)));
  p.setBrush(kBlue);
  p.drawEllipse(QRectF(0.75, 0.75, 14.5, 14.5));
  QFont font;
  font.setPixelSize(12);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 0, 16, 16.5), Qt::AlignCenter, QStringLiteral("?"));
}

void Generic(QPainter& p) {
  Sheet(p, QColor(0x70, 0x70, 0x70));
}

}  // namespace

QIcon ApplicationIcon() {
  static const QIcon icon = Drawn(Application);
  return icon;
}

QIcon HelpIcon() {
  static const QIcon icon = Drawn(Help);
  return icon;
}

QIcon WindowKindIcon(app::WindowKind kind) {
  switch (kind) {
    case app::WindowKind::ProjectTree:
      return Drawn(Tree);
    case app::WindowKind::AllocList:
      return Drawn(Table);
    case app::WindowKind::MessageWindow:
      return Drawn(Messages);
    case app::WindowKind::StlEditor:
      return Drawn([](QPainter& p) { Editor(p, kBlue); });
    case app::WindowKind::LadderEditor:
      return Drawn([](QPainter& p) { Editor(p, QColor(0x2e, 0x8b, 0x57)); });
    default:
      return Drawn(Generic);
  }
}

}  // namespace zel::ui
