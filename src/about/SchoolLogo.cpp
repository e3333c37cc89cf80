// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/SchoolLogo.h"

#include "content/Fonts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QtMath>

namespace {

// The badge is drawn in its own square of this many units, whatever its size.
constexpr qreal Units = 1000;
constexpr qreal Rim = Units / 2;

const QColor Navy(29, 63, 122);
const QColor Gold(240, 196, 64);

enum class Arc { Top, Bottom };

// Letters stand on a circle of the given radius: on the top arc their tops
// point outwards and they run clockwise, on the bottom arc their tops point
// inwards and they run anticlockwise, so both read left to right.
void drawOnArc(QPainter& p, const QString& text, qreal radius, Arc arc) {
    const QFontMetricsF fm(p.font());
    const qreal total = fm.horizontalAdvance(text);
    qreal along = 0;
    for (const QChar ch : text) {
        const qreal w = fm.horizontalAdvance(ch);
        const qreal middle = along + w / 2 - total / 2;
        const qreal angle =
            arc == Arc::Top ? -M_PI / 2 + middle / radius : M_PI / 2 - middle / radius;
        p.save();
        p.translate(radius * std::cos(angle), radius * std::sin(angle));
        p.rotate(qRadiansToDegrees(angle) + (arc == Arc::Top ? 90 : -90));
        p.drawText(QPointF(-w / 2, 0), QString(ch));
        p.restore();
        along += w;
    }
}

QPainterPath hexagon(qreal radius) {
    QPainterPath path;
    for (int i = 0; i < 6; ++i) {
        const qreal a = M_PI / 6 + i * M_PI / 3;
        const QPointF corner(radius * std::cos(a), radius * std::sin(a));
        if (i == 0)
            path.moveTo(corner);
        else
            path.lineTo(corner);
    }
    path.closeSubpath();
    return path;
}

} // namespace

SchoolLogo::SchoolLogo(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

QString SchoolLogo::schoolName() {
    return QStringLiteral(u"ΣΧΟΛΙΚΟ ΕΡΓΑΣΤΗΡΙΟ");
}
QString SchoolLogo::motto() {
    return QStringLiteral(u"ΧΗΜΕΙΑΣ");
}

QRectF SchoolLogo::badgeRect() const {
    // A badge 55 % of the control wide, in its top-right corner: clear of the
    // credit line that lies over the control's left part.
    const qreal side = 0.55 * std::min(width(), height());
    const qreal margin = 0.003 * width();
    return {width() - side - margin, margin, side, side};
}

void SchoolLogo::resizeEvent(QResizeEvent* event) {
    // The control is only its badge, one pixel wider all round so that the
    // badge's smoothed edge is not cut off.
    const QRect badge = badgeRect().toAlignedRect().adjusted(-1, -1, 1, 1);
    setMask(QRegion(badge, QRegion::Ellipse));
    QWidget::resizeEvent(event);
}

void SchoolLogo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF badge = badgeRect();
    p.translate(badge.center());
    p.scale(badge.width() / Units, badge.height() / Units);

    p.setPen(Qt::NoPen);
    p.setBrush(Navy);
    p.drawEllipse(QPointF(0, 0), Rim, Rim);
    p.setPen(QPen(Gold, 14));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), Rim - 28, Rim - 28);
    p.drawEllipse(QPointF(0, 0), 300, 300);

    QFont letters = content::sansBold();
    letters.setPixelSize(92);
    letters.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    p.setFont(letters);
    p.setPen(Qt::white);
    drawOnArc(p, schoolName(), 340, Arc::Top);
    drawOnArc(p, motto(), 410, Arc::Bottom);
    // Two stars part the name from the motto.
    p.setPen(Qt::NoPen);
    p.setBrush(Gold);
    for (const int side : {-1, 1})
        p.drawEllipse(QPointF(side * 395 * std::cos(M_PI / 7.2), 395 * std::sin(M_PI / 7.2)), 16,
                      16);

    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(0, 0), 286, 286);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Navy, 26, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(hexagon(190));
    p.setPen(QPen(QColor(47, 168, 74), 20));
    p.drawEllipse(QPointF(0, 0), 105, 105);
}
