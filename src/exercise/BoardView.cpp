// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/BoardView.h"

#include "exercise/BoardAccessible.h"
#include "exercise/BoardHints.h"
#include "shared/Cursors.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointingDevice>
#include <QToolTip>

using board::Button;
using board::Happening;

namespace {

Button buttonOf(Qt::MouseButton button) {
    return button == Qt::LeftButton     ? Button::Left
           : button == Qt::MiddleButton ? Button::Middle
           : button == Qt::RightButton  ? Button::Right
                                        : Button::Other;
}

bool isTouch(const QMouseEvent* event) {
    return event->source() == Qt::MouseEventSynthesizedByQt ||
           (event->device() && event->device()->type() == QInputDevice::DeviceType::TouchScreen);
}

std::optional<board::Key> boardKey(int key) {
    using K = board::Key;
    static constexpr std::pair<int, K> keys[] = {
        {Qt::Key_Up, K::Up},           {Qt::Key_Down, K::Down},
        {Qt::Key_Left, K::Left},       {Qt::Key_Right, K::Right},
        {Qt::Key_Home, K::Home},       {Qt::Key_End, K::End},
        {Qt::Key_Space, K::Activate},  {Qt::Key_Return, K::Activate},
        {Qt::Key_Enter, K::Activate},  {Qt::Key_Escape, K::Escape},
        {Qt::Key_Delete, K::TakeBack}, {Qt::Key_Backspace, K::TakeBack}};
    for (const auto& [qt, ours] : keys)
        if (qt == key)
            return ours;
    return std::nullopt;
}

} // namespace

BoardView::BoardView(board::Exercise& exercise, const TwipScale& scale,
                     const content::ExerciseSet& compounds, QWidget* parent)
    : QWidget(parent), exercise_(exercise), scale_(scale), compounds_(compounds),
      painter_(exercise.board(), scale, compounds) {
    // Before anything can ask for this widget's interface.
    installBoardAccessibility();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral(u"Ονόματα και τύποι"));
    setAccessibleDescription(boardHints::keyboardHelp());
    setFixedSize(scale_.size(board::Board::ScaleWidth, board::Board::ScaleHeight));
    exercise_.setClickSlop(float(scale_.twips(QApplication::startDragDistance())));
    longPress_.setSingleShot(true);
    longPress_.setInterval(LongPressMs);
    connect(&longPress_, &QTimer::timeout, this, [this] { perform(&board::Exercise::longPress); });
}

QPointF BoardView::toTwips(QPointF pixels) const {
    return {scale_.twips(pixels.x()), scale_.twips(pixels.y())};
}

void BoardView::apply() {
    applyAt(std::nullopt);
}

void BoardView::applyAt(std::optional<QPointF> pointer) {
    const board::Changes changes = exercise_.takeChanges();
    for (const board::TwipRect& r : changes.dirty)
        update(toPixels(r).adjusted(-1, -1, 1, 1));
    if (!pointer && !changes.happened.empty() && underMouse())
        pointer = mapFromGlobal(QCursor::pos());
    if (pointer) {
        const QPointF t = toTwips(*pointer);
        showPointer(exercise_.pointerAt(float(t.x()), float(t.y())));
    }
    if (exercise_.longPressPending() != longPress_.isActive()) {
        if (exercise_.longPressPending())
            longPress_.start();
        else
            longPress_.stop();
    }
    // While a card only follows the pointer nothing else changes: from its
    // first step on, the rest of the board is copied from a still picture.
    if (changes.happened.empty() && model().dragging()) {
        if (!changes.dirty.empty())
            painter_.rememberBoardWithout(model().DragIndex(), size(), devicePixelRatioF());
        return;
    }
    if (!model().dragging())
        painter_.forgetBoard();
    refreshMarks();
    announceChanges(this, changes);
    if (changes.has(Happening::GradeChanged))
        emit gradeChanged();
    for (const Happening& h : changes.happened)
        if (h.kind == Happening::ExplainAsked)
            emit explainRequested(h.name);
}

void BoardView::showPointer(board::Pointer pointer) {
    // Changing the cursor costs the window system a round trip; most moves
    // keep the one already shown.
    if (pointer == shownPointer_)
        return;
    shownPointer_ = pointer;
    if (pointer == board::Pointer::Hand)
        setCursor(cursors::pointingHand());
    else if (pointer == board::Pointer::Drop)
        setCursor(cursors::dropIcon());
    else
        unsetCursor();
}

// ---- painting -----------------------------------------------------------------

void BoardView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    painter_.paint(p, event->region(), marks());
}

BoardMarks BoardView::marks() const {
    BoardMarks m{exercise_.selectedCard(), std::nullopt};
    if (focusRingShown())
        m.focusRing = board::rectOf(model(), exercise_.focusItem());
    return m;
}

void BoardView::refreshMarks() {
    const QRegion now = painter_.marksRegion(marks());
    if (now == marked_)
        return;
    update(marked_ + now);
    marked_ = now;
}

// ---- keyboard -------------------------------------------------------------------

void BoardView::keyPressEvent(QKeyEvent* event) {
    const bool menuKey = event->key() == Qt::Key_Menu ||
                         (event->key() == Qt::Key_F10 && (event->modifiers() & Qt::ShiftModifier));
    if (!menuKey)
        skipMenuKey_ = false;
    const std::optional<board::Key> key =
        menuKey ? std::optional(board::Key::Explain) : boardKey(event->key());
    if (!key || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (menuKey && skipMenuKey_) {
        skipMenuKey_ = false;
        event->accept();
        return;
    }
    skipContextMenu_ = menuKey;
    const bool ringWasShown = focusRingShown();
    if (!exercise_.key(*key)) {
        QWidget::keyPressEvent(event);
        return;
    }
    applyKey(ringWasShown);
    event->accept();
}

void BoardView::applyKey(bool ringWasShown) {
    apply();
    // The first key that shows where the keyboard stands also tells, once,
    // which keys there are.
    if (ringWasShown || !focusRingShown() || keyboardHelpShown_)
        return;
    keyboardHelpShown_ = true;
    const QRect item = itemRect(exercise_.focusItem());
    QToolTip::showText(mapToGlobal(item.bottomLeft() + QPoint(0, 8)), boardHints::keyboardHelp(),
                       this);
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
    perform([](board::Exercise& e) { e.explain(e.focusItem()); });
}

bool BoardView::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        const bool ringWasShown = focusRingShown();
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
            exercise_.key(board::Key::Tab)) {
            skipMenuKey_ = false;
            applyKey(ringWasShown);
            return true;
        }
    }
    if (event->type() == QEvent::ToolTip)
        return showToolTip(*static_cast<QHelpEvent*>(event));
    return QWidget::event(event);
}

bool BoardView::showToolTip(const QHelpEvent& help) {
    const QPointF t = toTwips(help.pos());
    const board::Hit hit = model().hitTest(float(t.x()), float(t.y()));
    const board::ToolTip tip =
        hit.kind == board::Hit::Card ? exercise_.toolTip(hit.index) : board::ToolTip::None;
    if (tip == board::ToolTip::None) {
        QToolTip::hideText();
        return true;
    }
    // Shown by the card's side, not over it.
    const QRect r = cardRect(hit.index);
    QToolTip::showText(mapToGlobal(QPoint(r.right() + 4, r.center().y())),
                       tip == board::ToolTip::Placed ? boardHints::placedToolTip()
                                                     : boardHints::columnToolTip(),
                       this, r);
    return true;
}

// ---- pointer ----------------------------------------------------------------------

void BoardView::mousePressEvent(QMouseEvent* event) {
    const QPointF t = toTwips(event->position());
    exercise_.press(float(t.x()), float(t.y()), buttonOf(event->button()), isTouch(event),
                    (event->buttons() & ~event->button()) != Qt::NoButton);
    applyAt(event->position());
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF t = toTwips(event->position());
    exercise_.move(float(t.x()), float(t.y()),
                   event->buttons() & (Qt::LeftButton | Qt::MiddleButton));
    applyAt(event->position());
}

void BoardView::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF t = toTwips(event->position());
    exercise_.release(float(t.x()), float(t.y()));
    applyAt(event->position());
}

void BoardView::mouseDoubleClickEvent(QMouseEvent* event) {
    // Only the left button double-clicks; a quick second press of another
    // button is an ordinary press.
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    const QPointF t = toTwips(event->position());
    exercise_.doubleClick(float(t.x()), float(t.y()));
    applyAt(event->position());
}

// ---- focus ------------------------------------------------------------------------

void BoardView::focusInEvent(QFocusEvent* event) {
    const Qt::FocusReason why = event->reason();
    if (why == Qt::TabFocusReason || why == Qt::BacktabFocusReason ||
        why == Qt::ShortcutFocusReason)
        exercise_.showFocusRing();
    refreshMarks();
    QWidget::focusInEvent(event);
    // Qt tells a screen reader of the board's focus after this handler; the
    // reader must hear of the card or formula that holds the keyboard last.
    QMetaObject::invokeMethod(
        this, [this] { announceFocusItem(this); }, Qt::QueuedConnection);
}

void BoardView::focusOutEvent(QFocusEvent* event) {
    announceFocusLeft(this);
    perform(&board::Exercise::breakOff);
    refreshMarks();
    QWidget::focusOutEvent(event);
}

void BoardView::hideEvent(QHideEvent* event) {
    perform(&board::Exercise::breakOff);
    QWidget::hideEvent(event);
}
