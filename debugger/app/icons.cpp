#include "icons.h"

#include <QPainter>
#include <QPainterPath>

namespace tarnik {

namespace {

void arrowHead(QPainter& p, QPointF tip, QPointF back) {
    QPointF d = tip - back;
    QPointF n(-d.y(), d.x());
    QPolygonF head;
    head << tip << back + n * 0.6 << back - n * 0.6;
    p.drawPolygon(head);
}

} // namespace

QIcon toolIcon(int index) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(20, 60, 140), 2.5);
    p.setPen(pen);
    p.setBrush(QColor(20, 60, 140));
    switch (index) {
    case 0: // Open: a folder
        p.setBrush(QColor(230, 190, 70));
        p.setPen(QPen(QColor(120, 90, 20), 1.5));
        p.drawRect(QRectF(4, 10, 24, 16));
        p.drawRect(QRectF(4, 7, 10, 4));
        break;
    case 1: // Exit: a door with an arrow
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(6, 5, 14, 22));
        p.drawLine(QPointF(14, 16), QPointF(27, 16));
        arrowHead(p, QPointF(29, 16), QPointF(24, 16));
        break;
    case 2: { // Reset: a circular arrow
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(7, 7, 18, 18), 60 * 16, 280 * 16);
        p.setBrush(QColor(20, 60, 140));
        arrowHead(p, QPointF(22, 4), QPointF(20, 9));
        break;
    }
    case 3:   // Step over: an arrow bowing over a line
    case 4: { // Step over Tarnik subroutines: the same over a chip
        if (index == 4) {
            p.setPen(QPen(QColor(60, 60, 60), 1.5));
            p.setBrush(QColor(90, 90, 90));
            p.drawRect(QRectF(10, 18, 12, 10));
            for (int x = 12; x <= 20; x += 4) {
                p.drawLine(QPointF(x, 28), QPointF(x, 31));
            }
            p.setPen(pen);
        } else {
            p.drawLine(QPointF(8, 24), QPointF(24, 24));
        }
        QPainterPath path;
        path.moveTo(5, 20);
        path.cubicTo(8, 2, 24, 2, 26, 14);
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.setBrush(QColor(20, 60, 140));
        arrowHead(p, QPointF(27, 19), QPointF(26, 13));
        break;
    }
    case 5: // Step: an arrow down into a line
        p.drawLine(QPointF(16, 4), QPointF(16, 20));
        arrowHead(p, QPointF(16, 25), QPointF(16, 19));
        p.drawLine(QPointF(6, 28), QPointF(26, 28));
        break;
    case 6: // Next line: an arrow past two lines to a third
        p.setPen(QPen(QColor(120, 120, 120), 2));
        p.drawLine(QPointF(12, 8), QPointF(28, 8));
        p.drawLine(QPointF(12, 15), QPointF(28, 15));
        p.setPen(pen);
        p.drawLine(QPointF(12, 24), QPointF(28, 24));
        p.drawLine(QPointF(6, 5), QPointF(6, 20));
        arrowHead(p, QPointF(6, 26), QPointF(6, 20));
        break;
    default: // Run: a green triangle
        p.setPen(QPen(QColor(20, 110, 30), 1.5));
        p.setBrush(QColor(40, 170, 60));
        p.drawPolygon(QPolygonF() << QPointF(9, 5) << QPointF(27, 16) << QPointF(9, 27));
        break;
    }
    return QIcon(pixmap);
}

QPixmap boardPicture(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    double s = size / 80.0;
    p.scale(s, s);
    p.setPen(QPen(QColor(10, 70, 30), 2));
    p.setBrush(QColor(30, 130, 60)); // the board
    p.drawRoundedRect(QRectF(4, 10, 72, 60), 4, 4);
    p.setBrush(QColor(40, 40, 40)); // the microcontroller
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(14, 24, 30, 14));
    p.setBrush(QColor(200, 200, 200));
    for (int i = 0; i < 7; ++i) {
        p.drawRect(QRectF(15 + i * 4, 20, 2, 4));
        p.drawRect(QRectF(15 + i * 4, 38, 2, 4));
    }
    p.setBrush(QColor(140, 200, 255)); // the display
    p.drawRect(QRectF(50, 18, 20, 10));
    p.setBrush(QColor(230, 40, 40)); // LEDs
    for (int i = 0; i < 4; ++i) {
        p.drawEllipse(QRectF(16 + i * 8, 54, 5, 5));
    }
    p.setBrush(QColor(180, 180, 180)); // the serial connector
    p.drawRect(QRectF(54, 50, 16, 10));
    return pixmap;
}

} // namespace tarnik
