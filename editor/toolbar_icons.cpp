#include "editor/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace corvane {

namespace {

const QColor kSheet(0xff, 0xff, 0xff);
const QColor kEdge(0x4a, 0x55, 0x60);
const QColor kLines(0x9a, 0xa4, 0xae);
const QColor kPlus(0x2e, 0x8b, 0x3a);

// A line-up sheet with ruled rider lines, in a square of side 1 scaled by the painter.
void DrawSheet(QPainter& p, QRectF sheet) {
  p.setPen(QPen(kEdge, 0.045));
  p.setBrush(kSheet);
  p.drawRect(sheet);
  p.setPen(QPen(kLines, 0.04));
  for (int line = 1; line <= 4; ++line) {
    const qreal y = sheet.top() + sheet.height() * line / 5.5;
    p.drawLine(QPointF(sheet.left() + sheet.width() * 0.18, y),
               QPointF(sheet.right() - sheet.width() * 0.18, y));
  }
}

template <class Draw>
QIcon Drawn(Draw draw) {
  QIcon icon;
  for (const int side : {16, 22, 24, 32, 48, 64}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side, side);
    draw(p);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

QIcon AddLineupIcon() {
  return Drawn([](QPainter& p) {
    DrawSheet(p, QRectF(0.12, 0.06, 0.58, 0.78));
    // A plus in a green disc at the lower right.
    p.setPen(Qt::NoPen);
    p.setBrush(kPlus);
    p.drawEllipse(QPointF(0.70, 0.72), 0.25, 0.25);
    p.setPen(QPen(Qt::white, 0.09, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(0.57, 0.72), QPointF(0.83, 0.72));
    p.drawLine(QPointF(0.70, 0.59), QPointF(0.70, 0.85));
  });
}

QIcon DuplicateLineupIcon() {
  return Drawn([](QPainter& p) {
    DrawSheet(p, QRectF(0.08, 0.05, 0.56, 0.66));
    DrawSheet(p, QRectF(0.34, 0.28, 0.56, 0.66));
  });
}

}  // namespace corvane
