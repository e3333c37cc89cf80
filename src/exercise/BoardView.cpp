#include "exercise/BoardView.h"

#include "content/CardPictures.h"
#include "exercise/BoardAccessible.h"
#include "exercise/Form1.h"
#include "shared/Cursors.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QPointingDevice>
#include <QToolTip>
#include <algorithm>
#include <set>
#include <tuple>

using board::FocusItem;
using board::Hit;

BoardView::BoardView(Form1& form, const board::Board& model, const TwipScale& scale,
                     QWidget* parent)
    : QWidget(parent), form_(form), model_(model), scale_(scale) {
    // Before anything can ask for this widget's interface.
    installBoardAccessibility();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral(u"Ονόματα και τύποι"));
    setFixedSize(scale_.size(board::Board::ScaleWidth, board::Board::ScaleHeight));
    longPress_.setSingleShot(true);
    longPress_.setInterval(LongPressMs);
    connect(&longPress_, &QTimer::timeout, this, &BoardView::onLongPress);
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

void BoardView::afterModelChange() {
    // A card taken back leaves its formula as the keyboard's place.
    if (!board::exists(model_, focus_))
        focus_ = {FocusItem::Formula, focus_.index};
    if (!board::exists(model_, lastInFormulas_))
        lastInFormulas_ = {FocusItem::Formula, lastInFormulas_.index};
    if (selectedName_ != board::NoCard && model_.frontCardAtHome(selectedName_) == board::NoCard)
        clearSelection();
    refreshDecorations();
    const size_t count = board::allItems(model_).size();
    if (count != itemCount_) {
        itemCount_ = count;
        QAccessibleEvent reorder(this, QAccessible::ObjectReorder);
        announce(reorder);
    }
}

void BoardView::updateCursor(QPointF pixels) {
    if (model_.dragging()) {
        showPointer(Pointer::Drop);
        return;
    }
    const QPointF t = toTwips(pixels);
    const bool onCard = model_.hitTest(float(t.x()), float(t.y())).kind == Hit::Card;
    showPointer(onCard ? Pointer::Hand : Pointer::Arrow);
}

void BoardView::showPointer(Pointer pointer) {
    // Changing the cursor costs the window system a round trip; most moves
    // keep the one already shown.
    if (pointer == shownPointer_)
        return;
    shownPointer_ = pointer;
    switch (pointer) {
    case Pointer::Arrow:
        unsetCursor();
        break;
    case Pointer::Hand:
        setCursor(cursors::pointingHand());
        break;
    case Pointer::Drop:
        setCursor(cursors::dropIcon());
        break;
    }
}

// ---- painting ---------------------------------------------------------------

void BoardView::paintEvent(QPaintEvent* event) {
    // The painter is already clipped to the exposed region; the background is
    // filled rectangle by rectangle so that a small repaint stays small.
    QPainter p(this);
    const QRegion exposed = event->region();
    const QRect frame = toPixels(model_.Container);
    for (const QRect& r : exposed) {
        // White only around the frame: inside it the frame's own colour goes
        // straight onto the backing store.
        for (const QRect& outside : QRegion(r) - QRegion(frame))
            p.fillRect(outside, Qt::white);
        paintFrame(p, r);
    }
    paintFormulas(p, exposed);
    paintCards(p, exposed);
    paintDecorations(p);
}

void BoardView::paintFrame(QPainter& p, const QRect& bounds) {
    const QRect frame = toPixels(model_.Container);
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

qreal BoardView::targetRatio(QPainter& p) const {
    // What is really painted on decides the ratio (the window's backing store,
    // or an image the board is rendered into), so that pictures are made at
    // its resolution and copied pixel for pixel.
    if (const QPaintEngine* engine = p.paintEngine(); engine && engine->paintDevice())
        return engine->paintDevice()->devicePixelRatioF();
    return devicePixelRatioF();
}

void BoardView::paintFormulas(QPainter& p, const QRegion& exposed) {
    const qreal dpr = targetRatio(p);
    for (int i = 0; i < board::FormulaCount; ++i) {
        const QRect r = toPixels(model_.ImgSyntactic[i]);
        if (exposed.intersects(r))
            p.drawPixmap(r.topLeft(),
                         content::cardPixmap(content::CardKind::Formula, i, r.size(), dpr));
    }
}

void BoardView::paintCards(QPainter& p, const QRegion& exposed) {
    const qreal dpr = targetRatio(p);
    // Copies of one name stacked on one place look alike: only the front one of
    // each exactly covered pile needs painting.
    std::vector<int16_t> toPaint;
    std::set<std::tuple<int, int, int, int>> covered;
    const QRect bounds = exposed.boundingRect();
    const int ring = ringWidth() * 2;
    // The exposed area in twips, a pixel wider on every side for rounding: a
    // small repaint rules out most of the 400 cards without any conversion.
    const QPointF low = toTwips(QPointF(bounds.topLeft()) - QPointF(2, 2));
    const QPointF high = toTwips(QPointF(bounds.bottomRight()) + QPointF(ring + 2, ring + 2));
    for (const int16_t card : model_.frontToBack) {
        if (!model_.cardVisible[card])
            continue;
        const board::TwipRect& t = model_.ImgName[card];
        if (t.right() < low.x() || t.Left > high.x() || t.bottom() < low.y() || t.Top > high.y())
            continue;
        const QRect r = toPixels(t);
        const QRect withRing = r.adjusted(0, 0, ring, ring);
        if (!bounds.intersects(withRing) || !exposed.intersects(withRing))
            continue;
        if (!covered.insert({r.x(), r.y(), r.width(), r.height()}).second)
            continue;
        toPaint.push_back(card);
    }
    const int16_t lifted = selectedCard();
    for (auto it = toPaint.rbegin(); it != toPaint.rend(); ++it) {
        const QRect r = toPixels(model_.ImgName[*it]);
        if (*it == lifted) {
            // A picked-up name casts a shadow, as if lifted off the column.
            const int d = ringWidth() + 1;
            p.fillRect(r.translated(d, d), QColor(0, 0, 0, 110));
        }
        p.drawPixmap(r.topLeft(), content::cardPixmap(content::CardKind::Name,
                                                      *it % board::NameCount, r.size(), dpr));
    }
}

int BoardView::ringWidth() const {
    return std::max(2, int(std::lround(3 * scale_.fit())));
}

void BoardView::paintDecorations(QPainter& p) {
    const int w = ringWidth();
    p.setBrush(Qt::NoBrush);
    if (const int16_t card = selectedCard(); card != board::NoCard) {
        QPen pen(QColor(0, 0, 160), w);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        const QRectF r = QRectF(cardRect(card)).adjusted(-w / 2.0, -w / 2.0, w / 2.0, w / 2.0);
        p.drawRect(r);
    }
    if (focusRingShown()) {
        // Black outside, white inside: visible on white, yellow, green and red.
        const QRectF r = itemRect(focus_);
        QPen outer(Qt::black, w);
        outer.setJoinStyle(Qt::MiterJoin);
        p.setPen(outer);
        const qreal o = w * 1.5 + 1;
        p.drawRect(r.adjusted(-o, -o, o, o));
        QPen inner(Qt::white, w);
        inner.setJoinStyle(Qt::MiterJoin);
        inner.setStyle(Qt::DotLine);
        p.setPen(inner);
        p.drawRect(r.adjusted(-o, -o, o, o));
    }
}

QRegion BoardView::decorationRegion() const {
    QRegion region;
    const int m = ringWidth() * 3 + 2;
    if (const int16_t card = selectedCard(); card != board::NoCard)
        region += cardRect(card).adjusted(-m, -m, m, m);
    if (focusRingShown())
        region += itemRect(focus_).adjusted(-m, -m, m, m);
    return region;
}

void BoardView::refreshDecorations() {
    const QRegion now = decorationRegion();
    if (now == decorated_)
        return;
    update(decorated_ + now);
    decorated_ = now;
}

// ---- keyboard places and the picked-up name ----------------------------------

int16_t BoardView::selectedCard() const {
    return selectedName_ == board::NoCard ? board::NoCard : model_.frontCardAtHome(selectedName_);
}

void BoardView::select(int16_t name) {
    selectedName_ = name;
    refreshDecorations();
    QAccessibleEvent changed(this, QAccessible::SelectionAdd);
    announce(changed);
}

void BoardView::clearSelection() {
    if (selectedName_ == board::NoCard)
        return;
    selectedName_ = board::NoCard;
    refreshDecorations();
    QAccessibleEvent changed(this, QAccessible::SelectionRemove);
    announce(changed);
}

void BoardView::setFocusItem(FocusItem item) {
    if (!board::exists(model_, item))
        return;
    focus_ = item;
    (board::zoneOf(item) == board::Zone::Column ? lastInColumn_ : lastInFormulas_) = item;
    refreshDecorations();
    announceFocus();
}

void BoardView::announceFocus() {
    if (!hasFocus())
        return;
    const std::vector<FocusItem> items = board::allItems(model_);
    const auto it = std::find(items.begin(), items.end(), focus_);
    if (it == items.end())
        return;
    QAccessibleEvent focused(this, QAccessible::Focus);
    focused.setChild(int(it - items.begin()));
    announce(focused);
}

void BoardView::showFocusRing() {
    focusVisible_ = true;
    refreshDecorations();
}

void BoardView::switchZone() {
    // Two stops: the column of names and the board of formulas; each keeps
    // the place the keyboard last had in it.
    if (board::zoneOf(focus_) == board::Zone::Column)
        setFocusItem(board::exists(model_, lastInFormulas_) ? lastInFormulas_
                                                            : FocusItem{FocusItem::Formula, 0});
    else
        setFocusItem(lastInColumn_);
}

void BoardView::activate(FocusItem item) {
    if (!board::exists(model_, item) || model_.dragging())
        return;
    if (item.kind == FocusItem::NameRow) {
        const int16_t name = board::nameAtRow(model_, item.index);
        if (name == board::NoCard || board::cardOf(model_, item) == board::NoCard)
            return;
        if (selectedName_ == name)
            clearSelection();
        else
            select(name);
        return;
    }
    if (selectedName_ == board::NoCard)
        return;
    const int16_t name = selectedName_;
    selectedName_ = board::NoCard;
    form_.placeName(name, item.index);
    refreshDecorations();
}

void BoardView::explain(FocusItem item) {
    const int16_t card = board::cardOf(model_, item);
    if (card != board::NoCard && !model_.dragging())
        form_.ImgName_MouseDown(card, Qt::RightButton);
}

void BoardView::takeBack(FocusItem item) {
    if (item.kind == FocusItem::NameRow || !board::exists(model_, item) || model_.dragging())
        return;
    const int16_t card = model_.Slots[item.index].Placed;
    if (card != board::NoCard)
        form_.ImgName_DblClick(card);
}

void BoardView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool menuKey = key == Qt::Key_Menu || (key == Qt::Key_F10 && shift);
    if (!menuKey)
        skipMenuKey_ = false;
    if (model_.dragging() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QWidget::keyPressEvent(event);
        return;
    }
    const auto go = [this](board::Step how) { setFocusItem(board::step(model_, focus_, how)); };
    switch (key) {
    case Qt::Key_Up:
        go(board::Step::Up);
        break;
    case Qt::Key_Down:
        go(board::Step::Down);
        break;
    case Qt::Key_Left:
        go(board::Step::Left);
        break;
    case Qt::Key_Right:
        go(board::Step::Right);
        break;
    case Qt::Key_Home:
        go(board::Step::First);
        break;
    case Qt::Key_End:
        go(board::Step::Last);
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        activate(focus_);
        break;
    case Qt::Key_Escape:
        if (selectedName_ == board::NoCard) {
            QWidget::keyPressEvent(event);
            return;
        }
        clearSelection();
        break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        takeBack(focus_);
        break;
    default:
        if (!menuKey) {
            QWidget::keyPressEvent(event);
            return;
        }
        if (skipMenuKey_) {
            skipMenuKey_ = false;
        } else {
            skipContextMenu_ = true;
            showFocusRing();
            explain(focus_);
        }
        event->accept();
        return;
    }
    showFocusRing();
    event->accept();
}

void BoardView::contextMenuEvent(QContextMenuEvent* event) {
    // A right click is handled at its press; only the keyboard's request counts.
    if (event->reason() != QContextMenuEvent::Keyboard) {
        event->ignore();
        return;
    }
    event->accept();
    if (skipContextMenu_) {
        skipContextMenu_ = false;
        return;
    }
    skipMenuKey_ = true;
    explain(focus_);
}

bool BoardView::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
            !model_.dragging()) {
            skipMenuKey_ = false;
            // The first Tab shows where the keyboard stands; later ones move on.
            if (focusVisible_)
                switchZone();
            showFocusRing();
            return true;
        }
    }
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

// ---- pointer ------------------------------------------------------------------

bool BoardView::isTouch(const QMouseEvent* event) const {
    return event->source() == Qt::MouseEventSynthesizedByQt ||
           (event->device() && event->device()->type() == QInputDevice::DeviceType::TouchScreen);
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    // A press with no other button held means the release of the last one was
    // lost (another program took the pointer): that press is over.
    if (pressedCard_ != board::NoCard && event->buttons() == event->button())
        forgetLostPress();
    if (model_.dragging() || pressedCard_ != board::NoCard)
        return;
    if (focusVisible_) {
        focusVisible_ = false;
        refreshDecorations();
    }
    const QPointF t = toTwips(event->position());
    const Hit hit = model_.hitTest(float(t.x()), float(t.y()));
    const Qt::MouseButton button = event->button();
    if (button != Qt::LeftButton && button != Qt::MiddleButton && button != Qt::RightButton)
        return;
    // A click on a formula places the name picked up before; any other left or
    // middle press lets it go.
    if (button != Qt::RightButton && selectedName_ != board::NoCard) {
        if (button == Qt::LeftButton && hit.kind == Hit::Formula) {
            const FocusItem formula{FocusItem::Formula, hit.index};
            focus_ = formula;
            lastInFormulas_ = formula;
            activate(formula);
            updateCursor(event->position());
            return;
        }
        clearSelection();
    }
    if (hit.kind != Hit::Card)
        return;
    if (button != Qt::RightButton)
        pressedCard_ = hit.index;
    pressPos_ = event->position();
    clickCandidate_ = false;
    const bool wasInColumn = model_.inColumn(hit.index);
    form_.ImgName_MouseDown(hit.index, button);
    if (button != Qt::RightButton) {
        clickCandidate_ = wasInColumn && model_.dragging();
        if (isTouch(event)) {
            longPressCard_ = hit.index;
            longPress_.start();
        }
    }
    updateCursor(event->position());
}

void BoardView::forgetLostPress() {
    pressedCard_ = board::NoCard;
    clickCandidate_ = false;
    longPress_.stop();
    form_.breakOffDrag();
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
    // A card is carried only while its button is held; if the release never
    // came, the move without it ends the drag as that release would have.
    if (pressedCard_ != board::NoCard &&
        !(event->buttons() & (Qt::LeftButton | Qt::MiddleButton))) {
        const int16_t card = pressedCard_;
        pressedCard_ = board::NoCard;
        clickCandidate_ = false;
        longPress_.stop();
        const QPointF t = toTwips(event->position());
        form_.ImgName_MouseUp(card, float(t.x()), float(t.y()));
        updateCursor(event->position());
        return;
    }
    if (pressedCard_ != board::NoCard &&
        (event->position() - pressPos_).manhattanLength() >= QApplication::startDragDistance()) {
        clickCandidate_ = false;
        longPress_.stop();
    }
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
    longPress_.stop();
    if (pressedCard_ == board::NoCard)
        return;
    const int16_t card = pressedCard_;
    pressedCard_ = board::NoCard;
    const QPointF t = toTwips(event->position());
    form_.ImgName_MouseUp(card, float(t.x()), float(t.y()));
    // A press and release without moving is a click: the card went home as
    // ever, and its name now waits for a click on a formula.
    if (clickCandidate_ && !model_.dragging() && model_.inColumn(card)) {
        const int16_t name = int16_t(card % board::NameCount);
        const FocusItem row{FocusItem::NameRow, model_.HomeRow[name]};
        focus_ = row;
        lastInColumn_ = row;
        select(name);
    }
    clickCandidate_ = false;
    updateCursor(event->position());
}

void BoardView::onLongPress() {
    const int16_t card = longPressCard_;
    longPressCard_ = board::NoCard;
    if (card == board::NoCard || pressedCard_ != card)
        return;
    // The finger rested: the drag its touch began ends where it started, and
    // the card explains itself as after a right click.
    pressedCard_ = board::NoCard;
    clickCandidate_ = false;
    form_.breakOffDrag();
    form_.ImgName_MouseDown(card, Qt::RightButton);
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

void BoardView::focusInEvent(QFocusEvent* event) {
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
        event->reason() == Qt::ShortcutFocusReason)
        focusVisible_ = true;
    refreshDecorations();
    QWidget::focusInEvent(event);
    announceFocus();
}

void BoardView::focusOutEvent(QFocusEvent* event) {
    form_.breakOffDrag();
    pressedCard_ = board::NoCard;
    longPress_.stop();
    refreshDecorations();
    QWidget::focusOutEvent(event);
}

void BoardView::hideEvent(QHideEvent* event) {
    form_.breakOffDrag();
    pressedCard_ = board::NoCard;
    longPress_.stop();
    QWidget::hideEvent(event);
}
