// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/rules/Exercise.h"

#include <algorithm>
#include <cmath>

namespace board {

bool Changes::has(Happening::Kind kind) const {
    return std::any_of(happened.begin(), happened.end(),
                       [kind](const Happening& h) { return h.kind == kind; });
}

Exercise::Exercise(UniformSource& random, const BoardShape& shape)
    : board_(shape), random_(random), toolTips_(size_t(board_.cardCount()), ToolTip::None) {}

// ---- the card handlers -----------------------------------------------------

void Exercise::ImgName_MouseDown(int16_t index, Button button) {
    if (button == Button::Right) {
        happen({.kind = Happening::ExplainAsked,
                .card = index,
                .name = int16_t(index % board_.nameCount())});
        return;
    }
    if (board_.beginDrag(index))
        happen({.kind = Happening::DragBegun, .card = index});
}

void Exercise::ImgName_MouseMove(int16_t index) {
    toolTips_[size_t(index)] = board_.isPlaced(index) ? ToolTip::Placed : ToolTip::Column;
}

void Exercise::ImgName_MouseUp(int16_t index, float x, float y) {
    (void)index; // the drag a release ends is always the one under way
    dropAt(x, y);
}

void Exercise::ImgName_DblClick(int16_t index) {
    const int16_t slot = board_.slotHolding(index);
    if (board_.takeBack(index))
        happen({.kind = Happening::TakenBack, .card = index, .formula = slot});
}

void Exercise::ImgName_DragOver(int16_t index, float x, float y) {
    const TwipRect& card = board_.ImgName()[size_t(index)];
    board_.followPointer(card.Left + x, card.Top + y);
}

void Exercise::ImgName_DragDrop(int16_t index) {
    (void)index; // a drop on any card, placed or not, sends the dragged one home
    sendDraggedHome();
}

void Exercise::ImgSyntactic_DragOver(int16_t index, float x, float y) {
    const TwipRect& formula = board_.ImgSyntactic()[size_t(index)];
    board_.followPointer(formula.Left + x, formula.Top + y);
}

void Exercise::ImgSyntactic_DragDrop(int16_t index) {
    if (!board_.dragging())
        return;
    const int16_t card = board_.DragIndex();
    const int16_t before = board_.Slots()[size_t(index)].Placed;
    board_.dropOnFormula(index);
    happen({.kind = Happening::Placed, .card = card, .formula = index});
    if (before != NoCard)
        happen({.kind = Happening::PushedOut, .card = before, .formula = index});
}

void Exercise::Form_DragOver(float x, float y) {
    // Only over bare window: near the edge the drag ends and the card goes home.
    if (Board::nearEdge(x, y))
        sendDraggedHome();
    else
        board_.followPointer(x, y);
}

void Exercise::Form_DragDrop(float x, float y) {
    (void)x;
    (void)y;
    sendDraggedHome();
}

void Exercise::sendDraggedHome() {
    if (!board_.dragging())
        return;
    board_.sendDraggedHome();
    happen({.kind = Happening::SentHome, .card = board_.DragIndex()});
}

void Exercise::breakOffDrag() {
    if (!board_.dragging())
        return;
    board_.sendDraggedHome();
    happen({.kind = Happening::DragBrokenOff, .card = board_.DragIndex()});
}

// ---- routing ---------------------------------------------------------------

void Exercise::dragOverAt(float x, float y) {
    if (!board_.dragging())
        return;
    const Hit hit = board_.hitTest(x, y);
    switch (hit.kind) {
    case Hit::Card: {
        const TwipRect& c = board_.ImgName()[size_t(hit.index)];
        ImgName_DragOver(hit.index, x - c.Left, y - c.Top);
        break;
    }
    case Hit::Formula: {
        const TwipRect& f = board_.ImgSyntactic()[size_t(hit.index)];
        ImgSyntactic_DragOver(hit.index, x - f.Left, y - f.Top);
        break;
    }
    case Hit::Window:
        Form_DragOver(x, y);
        break;
    }
}

void Exercise::dropAt(float x, float y) {
    if (!board_.dragging())
        return;
    const Hit hit = board_.hitTest(x, y);
    switch (hit.kind) {
    case Hit::Card:
        ImgName_DragDrop(hit.index);
        break;
    case Hit::Formula:
        ImgSyntactic_DragDrop(hit.index);
        break;
    case Hit::Window:
        Form_DragDrop(x, y);
        break;
    }
    settle();
}

// ---- commands --------------------------------------------------------------

void Exercise::mnuCheck_Click() {
    breakOffDrag();
    const int before = placedCount();
    const int16_t sum = board_.check();
    happen({.kind = Happening::Checked, .value = sum, .count = int16_t(before - placedCount())});
    settle();
}

void Exercise::mnuRestart_Click() {
    pressedCard_ = NoCard;
    clickCandidate_ = false;
    longPressCard_ = NoCard;
    board_.Restart(random_);
    happen({.kind = Happening::Restarted});
    settle();
}

// ---- pointer ---------------------------------------------------------------

void Exercise::press(float x, float y, Button button, bool touch, bool otherButtonsHeld) {
    // A press with no other button held means the release of the last one was
    // lost (another program took the pointer): that press is over.
    if (pressedCard_ != NoCard && !otherButtonsHeld)
        breakOff();
    if (board_.dragging() || pressedCard_ != NoCard)
        return;
    focusVisible_ = false;
    if (button == Button::Other)
        return;
    const Hit hit = board_.hitTest(x, y);
    // A click on a formula places the name picked up before; any other left or
    // middle press lets it go.
    if (button != Button::Right && selectedName_ != NoCard) {
        if (button == Button::Left && hit.kind == Hit::Formula) {
            focus_ = lastInFormulas_ = {FocusItem::Formula, hit.index};
            activate(focus_);
            return;
        }
        letGo();
    }
    if (hit.kind != Hit::Card) {
        settle();
        return;
    }
    const bool wasInColumn = board_.inColumn(hit.index);
    ImgName_MouseDown(hit.index, button);
    if (button != Button::Right) {
        pressedCard_ = hit.index;
        pressX_ = x;
        pressY_ = y;
        clickCandidate_ = wasInColumn && board_.dragging();
        longPressCard_ = touch ? hit.index : NoCard;
    }
    settle();
}

void Exercise::move(float x, float y, bool dragButtonHeld) {
    if (pressedCard_ != NoCard && !dragButtonHeld) {
        // The release never came: the move without the button ends the drag as
        // that release would have.
        release(x, y);
        return;
    }
    if (pressedCard_ != NoCard && std::abs(x - pressX_) + std::abs(y - pressY_) >= clickSlop_) {
        clickCandidate_ = false;
        longPressCard_ = NoCard;
    }
    if (board_.dragging()) {
        dragOverAt(x, y);
        return;
    }
    const Hit hit = board_.hitTest(x, y);
    if (hit.kind == Hit::Card)
        ImgName_MouseMove(hit.index);
}

void Exercise::release(float x, float y) {
    longPressCard_ = NoCard;
    if (pressedCard_ == NoCard)
        return;
    const int16_t card = pressedCard_;
    pressedCard_ = NoCard;
    ImgName_MouseUp(card, x, y);
    // A press and release without moving is a click: the card went home as
    // ever, and its name now waits for a click on a formula.
    if (clickCandidate_ && !board_.dragging() && board_.inColumn(card)) {
        const int16_t name = int16_t(card % board_.nameCount());
        focus_ = lastInColumn_ = {FocusItem::NameRow, board_.HomeRow()[size_t(name)]};
        pickUp(name);
    }
    clickCandidate_ = false;
    settle();
}

void Exercise::doubleClick(float x, float y) {
    if (board_.dragging())
        return;
    const Hit hit = board_.hitTest(x, y);
    if (hit.kind == Hit::Card)
        ImgName_DblClick(hit.index);
    settle();
}

void Exercise::longPress() {
    const int16_t card = longPressCard_;
    longPressCard_ = NoCard;
    if (card == NoCard || pressedCard_ != card)
        return;
    pressedCard_ = NoCard;
    clickCandidate_ = false;
    breakOffDrag();
    ImgName_MouseDown(card, Button::Right);
    settle();
}

void Exercise::breakOff() {
    pressedCard_ = NoCard;
    clickCandidate_ = false;
    longPressCard_ = NoCard;
    breakOffDrag();
    settle();
}

Pointer Exercise::pointerAt(float x, float y) const {
    if (board_.dragging())
        return Pointer::Drop;
    return board_.hitTest(x, y).kind == Hit::Card ? Pointer::Hand : Pointer::Arrow;
}

// ---- keyboard and the picked-up name -----------------------------------------

bool Exercise::key(Key key) {
    if (board_.dragging())
        return false;
    switch (key) {
    case Key::Up:
    case Key::Down:
    case Key::Left:
    case Key::Right:
    case Key::Home:
    case Key::End: {
        static constexpr Step steps[] = {Step::Up,    Step::Down,  Step::Left,
                                         Step::Right, Step::First, Step::Last};
        focusOn(step(board_, focus_, steps[int(key)]));
        break;
    }
    case Key::Tab:
        // The first Tab shows where the keyboard stands; later ones move on.
        if (focusVisible_)
            switchZone();
        break;
    case Key::Activate:
        activate(focus_);
        break;
    case Key::Escape:
        if (selectedName_ == NoCard)
            return false;
        letGo();
        break;
    case Key::TakeBack:
        takeBack(focus_);
        break;
    case Key::Explain:
        explain(focus_);
        break;
    }
    focusVisible_ = true;
    settle();
    return true;
}

void Exercise::activate(FocusItem item) {
    if (!exists(board_, item) || board_.dragging())
        return;
    if (item.kind == FocusItem::NameRow) {
        const int16_t name = nameAtRow(board_, item.index);
        if (name == NoCard || cardOf(board_, item) == NoCard)
            return;
        if (selectedName_ == name)
            letGo();
        else
            pickUp(name);
        return;
    }
    if (selectedName_ == NoCard) {
        happen({.kind = Happening::NothingToPlace, .formula = item.index});
        return;
    }
    const int16_t name = selectedName_;
    selectedName_ = NoCard;
    placeName(name, item.index);
    // The keyboard follows the name to its new place: the card under the
    // formula, which says both what it is and where it lies.
    focusOn({FocusItem::PlacedCard, item.index});
    settle();
}

void Exercise::placeName(int16_t name, int16_t formula) {
    // The same press on the front card and the same drop on the formula as a
    // mouse drag, so that the outcome is the drag's.
    const int16_t card = board_.frontCardAtHome(name);
    if (card == NoCard || board_.dragging())
        return;
    ImgName_MouseDown(card, Button::Left);
    ImgSyntactic_DragDrop(formula);
}

void Exercise::takeBack(FocusItem item) {
    if (item.kind == FocusItem::NameRow || !exists(board_, item) || board_.dragging())
        return;
    const int16_t card = board_.Slots()[size_t(item.index)].Placed;
    if (card != NoCard)
        ImgName_DblClick(card);
    else
        happen({.kind = Happening::NothingToTakeBack, .formula = item.index});
    settle();
}

void Exercise::explain(FocusItem item) {
    const int16_t card = cardOf(board_, item);
    if (card != NoCard && !board_.dragging())
        ImgName_MouseDown(card, Button::Right);
}

void Exercise::focusOn(FocusItem item) {
    if (!exists(board_, item))
        return;
    focus_ = item;
    (zoneOf(item) == Zone::Column ? lastInColumn_ : lastInFormulas_) = item;
    happen({.kind = Happening::FocusMoved});
}

void Exercise::showFocusRing() {
    focusVisible_ = true;
}

void Exercise::switchZone() {
    // Two stops: the column of names and the board of formulas; each keeps
    // the place the keyboard last had in it.
    if (zoneOf(focus_) == Zone::Column)
        focusOn(exists(board_, lastInFormulas_) ? lastInFormulas_
                                                : FocusItem{FocusItem::Formula, 0});
    else
        focusOn(lastInColumn_);
}

int16_t Exercise::selectedCard() const {
    return selectedName_ == NoCard ? NoCard : board_.frontCardAtHome(selectedName_);
}

void Exercise::pickUp(int16_t name) {
    // One name waits at a time: another one picked up lets the first go.
    letGo();
    selectedName_ = name;
    happen({.kind = Happening::NamePickedUp, .name = name});
}

void Exercise::letGo() {
    if (selectedName_ == NoCard)
        return;
    const int16_t name = selectedName_;
    selectedName_ = NoCard;
    happen({.kind = Happening::NameLetGo, .name = name});
}

// ---- after every step ----------------------------------------------------------

int Exercise::placedCount() const {
    return int(std::count_if(board_.Slots().begin(), board_.Slots().end(),
                             [](const SlotInfo& s) { return s.Placed != NoCard; }));
}

void Exercise::settle() {
    // A card taken back leaves its formula as the keyboard's place.
    if (!exists(board_, focus_))
        focusOn({FocusItem::Formula, focus_.index});
    if (!exists(board_, lastInFormulas_))
        lastInFormulas_ = {FocusItem::Formula, lastInFormulas_.index};
    // A picked-up name whose every copy lies on the board has nothing to place.
    if (selectedName_ != NoCard && board_.frontCardAtHome(selectedName_) == NoCard)
        letGo();
}

Changes Exercise::takeChanges() {
    if (const int placed = placedCount(); placed != placedBefore_) {
        placedBefore_ = placed;
        happen({.kind = Happening::ItemsChanged});
    }
    if (board_.gradeVisible() != gradeVisibleBefore_ || board_.gradeCaption() != gradeBefore_ ||
        std::any_of(happened_.begin(), happened_.end(),
                    [](const Happening& h) { return h.kind == Happening::Checked; })) {
        gradeVisibleBefore_ = board_.gradeVisible();
        gradeBefore_ = board_.gradeCaption();
        happen({.kind = Happening::GradeChanged});
    }
    Changes out{board_.takeDirty(), {}};
    out.happened.swap(happened_);
    return out;
}

} // namespace board
