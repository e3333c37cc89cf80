// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/BoardPainter.h"

#include "content/CardPictures.h"

#include <QPaintEngine>
#include <QPainter>
#include <set>
#include <tuple>

namespace {

qreal targetRatio(QPainter& p) {
    // What is really painted on decides the ratio (the window's backing store,
    // or an image the board is rendered into), so that pictures are made at
    // its resolution and copied pixel for pixel.
    if (const QPaintEngine* engine = p.paintEngine(); engine && engine->paintDevice())
        return engine->paintDevice()->devicePixelRatioF();
    return p.device() ? p.device()->devicePixelRatioF() : 1.0;
}

} // namespace

int BoardPainter::ringWidth() const {
    return std::max(2, int(std::lround(3 * scale_.fit())));
}

void BoardPainter::paint(QPainter& p, const QRegion& exposed, const BoardMarks& marks) const {
    if (paintFromStill(p, exposed, targetRatio(p))) {
        paintMarks(p, marks);
        return;
    }
    // The background is filled rectangle by rectangle so that a small repaint
    // stays small, and white only around the frame: inside it the frame's own
    // colour goes straight onto the backing store.
    const QRect frame = toPixels(model_.Container());
    for (const QRect& r : exposed) {
        for (const QRect& outside : QRegion(r) - QRegion(frame))
            p.fillRect(outside, Qt::white);
        paintFrame(p, r);
    }
    const qreal dpr = targetRatio(p);
    paintFormulas(p, exposed, dpr);
    paintCards(p, exposed, dpr, marks.liftedCard);
    paintMarks(p, marks);
}

void BoardPainter::rememberBoardWithout(int16_t card, QSize pixels, qreal dpr) {
    if (!still_.isNull() && stillWithout_ == card && still_.devicePixelRatio() == dpr)
        return;
    still_ = QPixmap(pixels * dpr);
    still_.setDevicePixelRatio(dpr);
    stillWithout_ = card;
    QPainter p(&still_);
    const QRegion all(QRect(QPoint(0, 0), pixels));
    for (const QRect& r : all)
        p.fillRect(r, Qt::white);
    paintFrame(p, all.boundingRect());
    paintFormulas(p, all, dpr);
    paintCards(p, all, dpr, board::NoCard, card);
}

bool BoardPainter::paintFromStill(QPainter& p, const QRegion& exposed, qreal dpr) const {
    const int16_t card = model_.DragIndex();
    if (still_.isNull() || !model_.dragging() || card != stillWithout_ ||
        still_.devicePixelRatio() != dpr || p.transform().type() > QTransform::TxTranslate)
        return false;
    // The still board under the exposed area, then the dragged card over it.
    // Each is clipped to one rectangle of its own: drawing under a clip of
    // several rectangles takes the painter's slow path, line by line.
    for (const QRect& r : exposed) {
        p.setClipRect(r);
        p.drawPixmap(r, still_, QRectF(QPointF(r.topLeft()) * dpr, QSizeF(r.size()) * dpr));
    }
    const QRect at = toPixels(model_.ImgName()[size_t(card)]);
    if (exposed.intersects(at)) {
        p.setClipRect(exposed.boundingRect() & at);
        p.drawPixmap(at.topLeft(), pictures_.cardPixmap(content::CardKind::Name,
                                                        card % model_.nameCount(), at.size(), dpr));
    }
    p.setClipping(false);
    return true;
}

void BoardPainter::paintFrame(QPainter& p, const QRect& bounds) const {
    const QRect frame = toPixels(model_.Container());
    if (!frame.intersects(bounds))
        return;
    p.fillRect(frame & bounds, QColor(255, 255, 192));
    // A three-pixel red border inside the frame's rectangle.
    const int w = std::max(1, int(std::lround(3 * scale_.fit())));
    const QColor red(255, 0, 0);
    for (const QRect& side : {QRect(frame.left(), frame.top(), frame.width(), w),
                              QRect(frame.left(), frame.bottom() - w + 1, frame.width(), w),
                              QRect(frame.left(), frame.top(), w, frame.height()),
                              QRect(frame.right() - w + 1, frame.top(), w, frame.height())})
        if (side.intersects(bounds))
            p.fillRect(side & bounds, red);
}

void BoardPainter::paintFormulas(QPainter& p, const QRegion& exposed, qreal dpr) const {
    for (int i = 0; i < model_.formulaCount(); ++i) {
        const QRect r = toPixels(model_.ImgSyntactic()[size_t(i)]);
        if (exposed.intersects(r))
            p.drawPixmap(r.topLeft(),
                         pictures_.cardPixmap(content::CardKind::Formula, i, r.size(), dpr));
    }
}

void BoardPainter::paintCards(QPainter& p, const QRegion& exposed, qreal dpr, int16_t lifted,
                              int16_t left) const {
    // Copies of one name stacked on one place look alike: only the front one of
    // each exactly covered pile needs painting.
    std::vector<int16_t> toPaint;
    std::set<std::tuple<int, int, int, int>> covered;
    const QRect bounds = exposed.boundingRect();
    const int ring = ringWidth() * 2;
    // The exposed area in twips, a pixel wider on every side for rounding: a
    // small repaint rules out most of the 400 cards without any conversion.
    const double lowX = scale_.twips(bounds.left() - 2), lowY = scale_.twips(bounds.top() - 2);
    const double highX = scale_.twips(bounds.right() + ring + 2);
    const double highY = scale_.twips(bounds.bottom() + ring + 2);
    for (const int16_t card : model_.frontToBack()) {
        if (!model_.cardVisible(card) || card == left)
            continue;
        const board::TwipRect& t = model_.ImgName()[size_t(card)];
        if (t.right() < lowX || t.Left > highX || t.bottom() < lowY || t.Top > highY)
            continue;
        const QRect r = toPixels(t);
        const QRect withRing = r.adjusted(0, 0, ring, ring);
        if (!bounds.intersects(withRing) || !exposed.intersects(withRing))
            continue;
        if (!covered.insert({r.x(), r.y(), r.width(), r.height()}).second)
            continue;
        toPaint.push_back(card);
    }
    for (auto it = toPaint.rbegin(); it != toPaint.rend(); ++it) {
        const QRect r = toPixels(model_.ImgName()[size_t(*it)]);
        if (*it == lifted) {
            // A picked-up name casts a shadow, as if lifted off the column.
            const int d = ringWidth() + 1;
            p.fillRect(r.translated(d, d), QColor(0, 0, 0, 110));
        }
        p.drawPixmap(r.topLeft(), pictures_.cardPixmap(content::CardKind::Name,
                                                       *it % model_.nameCount(), r.size(), dpr));
    }
}

void BoardPainter::paintMarks(QPainter& p, const BoardMarks& marks) const {
    const int w = ringWidth();
    p.setBrush(Qt::NoBrush);
    if (marks.liftedCard != board::NoCard) {
        QPen pen(QColor(0, 0, 160), w);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        const QRectF r = QRectF(toPixels(model_.ImgName()[size_t(marks.liftedCard)]));
        p.drawRect(r.adjusted(-w / 2.0, -w / 2.0, w / 2.0, w / 2.0));
    }
    if (marks.focusRing) {
        // Black outside, white dots inside: visible on white, yellow, green and red.
        const qreal o = w * 1.5 + 1;
        const QRectF r = QRectF(toPixels(*marks.focusRing)).adjusted(-o, -o, o, o);
        QPen outer(Qt::black, w);
        outer.setJoinStyle(Qt::MiterJoin);
        p.setPen(outer);
        p.drawRect(r);
        QPen inner(Qt::white, w);
        inner.setJoinStyle(Qt::MiterJoin);
        inner.setStyle(Qt::DotLine);
        p.setPen(inner);
        p.drawRect(r);
    }
}

QRegion BoardPainter::marksRegion(const BoardMarks& marks) const {
    QRegion region;
    const int m = ringWidth() * 3 + 2;
    if (marks.liftedCard != board::NoCard)
        region += toPixels(model_.ImgName()[size_t(marks.liftedCard)]).adjusted(-m, -m, m, m);
    if (marks.focusRing)
        region += toPixels(*marks.focusRing).adjusted(-m, -m, m, m);
    return region;
}
