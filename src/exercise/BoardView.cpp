#include "exercise/BoardView.h"

#include "content/CardPictures.h"
#include "exercise/Cursors.h"
#include "exercise/Form1.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <set>
#include <tuple>

using board::Hit;

BoardView::BoardView(Form1& form, const board::Board& model, const TwipScale& scale,
                     QWidget* parent)
    : QWidget(parent), form_(form), model_(model), scale_(scale) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFixedSize(scale_.size(board::Board::ScaleWidth, board::Board::ScaleHeight));
}

QRect BoardView::toPixels(const board::TwipRect& r) const {
    return scale_.rect(r.Left, r.Top, r.Width, r.Height);
}

QPointF BoardView::toTwips(QPointF pixels) const {
    return {scale_.twips(pixels.x()), scale_.twips(pixels.y())};
}

void BoardView::repaintTwips(const std::vector<board::TwipRect>& rects) {
    for (const board::TwipRect& r : rects)
        update(toPixels(r).adjusted(-1, -1, 1, 1));
}

void BoardView::updateCursor(QPointF pixels) {
    if (model_.dragging()) {
        setCursor(cursors::dropIcon());
        return;
    }
    const QPointF t = toTwips(pixels);
    if (model_.hitTest(float(t.x()), float(t.y())).kind == Hit::Card)
        setCursor(cursors::pointingHand());
    else
        unsetCursor();
}

void BoardView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRegion exposed = event->region();
    p.setClipRegion(exposed);
    p.fillRect(rect(), Qt::white);
    paintFrame(p);
    paintFormulas(p, exposed);
    paintCards(p, exposed);
}

void BoardView::paintFrame(QPainter& p) {
    const QRect frame = toPixels(model_.Container);
    p.fillRect(frame, QColor(255, 255, 192));
    // A three-pixel red border inside the frame's rectangle.
    const int w = std::max(1, int(std::lround(3 * scale_.fit())));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0));
    const QRegion border = QRegion(frame) - QRegion(frame.adjusted(w, w, -w, -w));
    for (const QRect& r : border)
        p.drawRect(r);
}

void BoardView::paintFormulas(QPainter& p, const QRegion& exposed) {
    const qreal dpr = devicePixelRatioF();
    for (int i = 0; i < board::FormulaCount; ++i) {
        const QRect r = toPixels(model_.ImgSyntactic[i]);
        if (exposed.intersects(r))
            p.drawPixmap(r.topLeft(),
                         content::cardPixmap(content::CardKind::Formula, i, r.size(), dpr));
    }
}

void BoardView::paintCards(QPainter& p, const QRegion& exposed) {
    const qreal dpr = devicePixelRatioF();
    // Copies of one name stacked on one place look alike: only the front one of
    // each exactly covered pile needs painting.
    std::vector<int16_t> toPaint;
    std::set<std::tuple<int, int, int, int>> covered;
    for (const int16_t card : model_.frontToBack) {
        if (!model_.cardVisible[card])
            continue;
        const QRect r = toPixels(model_.ImgName[card]);
        if (!exposed.intersects(r))
            continue;
        if (!covered.insert({r.x(), r.y(), r.width(), r.height()}).second)
            continue;
        toPaint.push_back(card);
    }
    for (auto it = toPaint.rbegin(); it != toPaint.rend(); ++it) {
        const QRect r = toPixels(model_.ImgName[*it]);
        p.drawPixmap(r.topLeft(), content::cardPixmap(content::CardKind::Name,
                                                      *it % board::NameCount, r.size(), dpr));
    }
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    if (model_.dragging() || pressedCard_ != board::NoCard)
        return;
    const QPointF t = toTwips(event->position());
    const Hit hit = model_.hitTest(float(t.x()), float(t.y()));
    if (hit.kind != Hit::Card)
        return;
    const Qt::MouseButton button = event->button();
    if (button != Qt::LeftButton && button != Qt::MiddleButton && button != Qt::RightButton)
        return;
    if (button != Qt::RightButton)
        pressedCard_ = hit.index;
    form_.ImgName_MouseDown(hit.index, button);
    updateCursor(event->position());
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF t = toTwips(event->position());
    if (model_.dragging()) {
        form_.dragOverAt(float(t.x()), float(t.y()));
    } else {
        const Hit hit = model_.hitTest(float(t.x()), float(t.y()));
        if (hit.kind == Hit::Card)
            form_.ImgName_MouseMove(hit.index);
    }
    updateCursor(event->position());
}

void BoardView::mouseReleaseEvent(QMouseEvent* event) {
    if (pressedCard_ == board::NoCard)
        return;
    const int16_t card = pressedCard_;
    pressedCard_ = board::NoCard;
    const QPointF t = toTwips(event->position());
    form_.ImgName_MouseUp(card, float(t.x()), float(t.y()));
    updateCursor(event->position());
}

void BoardView::mouseDoubleClickEvent(QMouseEvent* event) {
    // Only the left button double-clicks; a quick second press of another
    // button is an ordinary press.
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    if (model_.dragging())
        return;
    const QPointF t = toTwips(event->position());
    const Hit hit = model_.hitTest(float(t.x()), float(t.y()));
    if (hit.kind == Hit::Card)
        form_.ImgName_DblClick(hit.index);
    updateCursor(event->position());
}

bool BoardView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QPointF t = toTwips(help->pos());
        const Hit hit = model_.hitTest(float(t.x()), float(t.y()));
        const QString text = hit.kind == Hit::Card ? form_.toolTipText(hit.index) : QString();
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            // Shown by the card's side, not over it.
            const QRect r = cardRect(hit.index);
            QToolTip::showText(mapToGlobal(QPoint(r.right() + 4, r.center().y())), text, this, r);
        }
        return true;
    }
    return QWidget::event(event);
}

void BoardView::focusOutEvent(QFocusEvent* event) {
    form_.breakOffDrag();
    pressedCard_ = board::NoCard;
    QWidget::focusOutEvent(event);
}

void BoardView::hideEvent(QHideEvent* event) {
    form_.breakOffDrag();
    pressedCard_ = board::NoCard;
    QWidget::hideEvent(event);
}
