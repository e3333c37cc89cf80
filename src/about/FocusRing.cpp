// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/FocusRing.h"

#include <QPainter>

FocusRing::FocusRing(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("focusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FocusRing::surround(const QWidget& link, const QRect& area, Shape shape) {
    shape_ = shape;
    setGeometry(area.adjusted(-Width, -Width, Width, Width));
    // Siblings are listed back to front: stack under the first widget above
    // the link, or on top when nothing is.
    const QObjectList siblings = parentWidget()->children();
    QWidget* above = nullptr;
    for (qsizetype i = siblings.indexOf(&link) + 1; i < siblings.size() && !above; ++i)
        if (siblings[i] != this && siblings[i]->isWidgetType())
            above = static_cast<QWidget*>(siblings[i]);
    if (above)
        stackUnder(above);
    else
        raise();
    show();
    update();
}

// A dark line between two white ones shows on the white square, on the light
// photo and on the navy badge alike.
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
