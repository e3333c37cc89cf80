// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/Cursors.h"

#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace cursors {

namespace {

qreal screenRatio() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? std::max<qreal>(1.0, s->devicePixelRatio()) : 1.0;
}

QPixmap canvas(qreal dpr) {
    QPixmap pm(QSize(32, 32) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    return pm;
}

} // namespace

QPixmap pointingHandPixmap(qreal dpr) {
    QPixmap pm = canvas(dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // A hand pointing up: the index finger from the fingertip at (12, 1) down
    // into a fist with three bent fingers and a thumb on the left.
    QPainterPath hand;
    hand.moveTo(10, 3);
    hand.cubicTo(10, 0.5, 14, 0.5, 14, 3);
    hand.lineTo(14, 12);
    hand.cubicTo(14, 10, 18, 10, 18, 12.5);
    hand.cubicTo(18, 10.5, 22, 10.5, 22, 13.5);
    hand.cubicTo(22, 11.5, 26, 11.5, 26, 14.5);
    hand.lineTo(26, 22);
    hand.cubicTo(26, 26, 24, 28, 22, 30);
    hand.lineTo(12, 30);
    hand.cubicTo(10, 27, 7, 24, 4.5, 19.5);
    hand.cubicTo(3.5, 17.5, 5.5, 15.5, 7.5, 17);
    hand.lineTo(10, 20);
    hand.closeSubpath();
    p.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18, 12.5), QPointF(18, 18));
    p.drawLine(QPointF(22, 13.5), QPointF(22, 18));
    p.drawLine(QPointF(14, 12), QPointF(14, 18));
    return pm;
}

QPixmap dropIconPixmap(qreal dpr) {
    QPixmap pm = canvas(dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // A small green name card carried under an arrow: "a card is on its way".
    p.setPen(QPen(QColor(31, 26, 23), 1.2));
    p.setBrush(QColor(0, 255, 0));
    p.drawRoundedRect(QRectF(6.5, 15.5, 24, 9), 2.5, 2.5);
    p.setPen(QPen(QColor(31, 26, 23), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11, 20), QPointF(26, 20));
    QPainterPath arrow;
    arrow.moveTo(1, 1);
    arrow.lineTo(1, 14);
    arrow.lineTo(4.5, 10.5);
    arrow.lineTo(7, 16);
    arrow.lineTo(9, 15);
    arrow.lineTo(6.5, 9.5);
    arrow.lineTo(11, 9.5);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::white, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::black);
    p.drawPath(arrow);
    return pm;
}

// Made once per screen ratio: the pointer is asked for on every mouse move.
QCursor pointingHand() {
    static QHash<qreal, QCursor> made;
    const qreal dpr = screenRatio();
    if (!made.contains(dpr))
        made.insert(dpr, QCursor(pointingHandPixmap(dpr), 12, 1));
    return made.value(dpr);
}

QCursor dropIcon() {
    static QHash<qreal, QCursor> made;
    const qreal dpr = screenRatio();
    if (!made.contains(dpr))
        made.insert(dpr, QCursor(dropIconPixmap(dpr), 1, 1));
    return made.value(dpr);
}

} // namespace cursors
