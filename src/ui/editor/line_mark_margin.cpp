#include "ui/editor/line_mark_margin.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "ui/editor/stl_editor.h"

namespace zel::ui {

LineMarkMargin::LineMarkMargin(StlEditor* editor) : QWidget(editor), m_editor(editor) {
  setObjectName("LineMarkMargin");
}

QSize LineMarkMargin::sizeHint() const {
  return {fontMetrics().height(), 0};
}

void LineMarkMargin::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().window());
  painter.setRenderHint(QPainter::Antialiasing);
  const int side = std::max(6, fontMetrics().height() - 6);
  m_editor->forEachVisibleMark([&](const QRectF& line) {
    const QRectF marker((width() - side) / 2.0, line.top() + (line.height() - side) / 2.0, side,
                        side);
    painter.setPen(QPen(QColor(150, 0, 0), 1));
    painter.setBrush(QColor(220, 40, 40));
    painter.drawEllipse(marker);
    painter.setPen(QPen(Qt::white, 2));
    const QPointF centre = marker.center();
    painter.drawLine(QPointF(centre.x(), marker.top() + side * 0.22),
                     QPointF(centre.x(), centre.y() + side * 0.1));
    painter.drawPoint(QPointF(centre.x(), marker.bottom() - side * 0.22));
  });
}

bool LineMarkMargin::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  auto* help = static_cast<QHelpEvent*>(event);
  const QString text = m_editor->markAt(QPoint(0, help->pos().y()));
  if (text.isEmpty()) {
    QToolTip::hideText();
    event->ignore();
  } else {
    QToolTip::showText(help->globalPos(), text, this);
  }
  return true;
}

}  // namespace zel::ui
