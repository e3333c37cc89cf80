// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/FocusRing.h"

#include <QPainter>

namespace {
// A dark line between two white ones shows on the white square, on the light
// photo and on the navy badge alike.
constexpr int Width = 7;
} // namespace

FocusRing::FocusRing(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FocusRing::surround(const QRect& area, Shape shape) {
    shape_ = shape;
    setGeometry(area.adjusted(-Width, -Width, Width, Width));
    raise();
    show();
    update();
}

void FocusRing::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    const auto stroke = [&](const QColor& colour, qreal width, qreal inset) {
        p.setPen(QPen(colour, width));
        const QRectF r = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
        if (shape_ == Shape::Round)
            p.drawEllipse(r);
        else
            p.drawRoundedRect(r, 3, 3);
    };
    stroke(Qt::white, Width - 0.5, Width / 2.0);
    stroke(QColor(20, 20, 20), 3, Width / 2.0);
}
