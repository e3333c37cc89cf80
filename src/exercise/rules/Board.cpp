// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/rules/Board.h"

#include "content/FormulaDescriptions.h"

#include <algorithm>
#include <cmath>

namespace board {

namespace {

// Design sizes of the formula cards. One-row cards are 3105 x 525 or 3108 x 528,
// two-row cards 3105 x 930 or 3108 x 936; the mix below gives the three columns
// their vertical shares of about 746.6, 634.3 and exactly 1030 twips.
// A three-row card keeps the two-row card's scale: 7250 picture units high
// against 4850.
TwipRect designFormulaSize(int formula) {
    const bool firstColumn = formula <= 6;
    const int rows = content::formulaDescriptions().at(size_t(formula)).rows();
    if (firstColumn && formula != 0)
        return {0, 0, 3108, rows == 1 ? 528.0f : rows == 2 ? 936.0f : 1399.0f};
    return {0, 0, 3105, rows == 1 ? 525.0f : rows == 2 ? 930.0f : 1390.0f};
}

} // namespace

Board::Board() {
    for (int i = 0; i < FormulaCount; ++i)
        formulas_[i] = designFormulaSize(i);
    // Cards made at run time copy the first card's properties.
    for (int i = 0; i < CardCount; ++i) {
        const int designIndex = i < NameCount ? i : 0;
        cards_[i] = {11340, 1440.0f + 420.0f * float(designIndex), 3405, 345};
    }
    for (int i = 0; i < NameCount; ++i)
        cardVisible_[i] = true;
    homeRow_.fill(0);
}

void Board::ArrangeFormulas() {
    const float w = cards_[0].Width;
    const float g = (container_.Width - 3 * w) / 4;
    const float x1 = container_.Left + g + w / 2;
    const float x2 = x1 + g + w;
    const float x3 = x2 + g + w;

    struct Column {
        int first, last;
        float centre;
    };
    for (const Column c : {Column{0, 6, x1}, Column{7, 13, x2}, Column{14, 19, x3}}) {
        const int n = c.last - c.first + 1;
        formulas_[c.first].Top = container_.Top + 60;
        float s = 60;
        for (int i = c.first; i <= c.last; ++i) {
            s += formulas_[i].Height;
            formulas_[i].Left = c.centre - formulas_[i].Width / 2;
        }
        const float v = (container_.Height - s) / float(n);
        for (int i = c.first + 1; i <= c.last; ++i)
            formulas_[i].Top = formulas_[i - 1].Top + formulas_[i - 1].Height + v;
    }
    markAllDirty();
}

void Board::InitBoard() {
    slots_ = {};
    for (int i = 0; i < FormulaCount; ++i) {
        slots_[i].Points = 5;
        slots_[i].Correct = content::CorrectNameForFormula[i];
    }
    for (int i = NameCount; i < CardCount; ++i) {
        cards_[i].Width = cards_[0].Width;
        cards_[i].Height = cards_[0].Height;
        cardVisible_[i] = true;
    }
    // Bringing 399 down to 0 to the front leaves the lowest index in front.
    frontToBack_.resize(CardCount);
    for (int i = 0; i < CardCount; ++i)
        frontToBack_[i] = int16_t(i);
    markAllDirty();
}

TwipRect Board::homeRect(int16_t row) const {
    // Twenty rows share the height below the grade with twenty-one equal gaps.
    const float below = grade_.Top + grade_.Height;
    const TwipRect& card = cards_[0];
    const float gap = (ScaleHeight - below - 20 * card.Height) / 21;
    return {container_.right() + GapRightOfFrame, below + gap + float(row) * (card.Height + gap),
            card.Width, card.Height};
}

void Board::SendHome(int16_t index) {
    const TwipRect home = homeRect(homeRow_[index % NameCount]);
    moveCard(index, home.Left, home.Top);
}

void Board::Restart(UniformSource& random) {
    dragging_ = false;
    for (SlotInfo& slot : slots_)
        slot.Placed = NoCard;

    homeRow_.fill(-1);
    random.seedFromClock();
    for (int i = 0; i < NameCount; ++i) {
        int16_t r = 0;
        for (;;) {
            r = int16_t(std::floor(double(random.next()) * 20.0));
            if (std::find(homeRow_.begin(), homeRow_.end(), r) == homeRow_.end())
                break;
        }
        homeRow_[i] = r;
    }

    // All cards are hidden while they move and shown once all are in place.
    cardVisible_.fill(false);
    for (int i = 0; i < CardCount; ++i)
        SendHome(int16_t(i));
    cardVisible_.fill(true);
    gradeVisible_ = false;
    markAllDirty();
}

bool Board::inColumn(int16_t card) const {
    return cards_[card].Left >= container_.Left + container_.Width;
}

Hit Board::hitTest(float x, float y) const {
    for (const int16_t card : frontToBack_)
        if (cardVisible_[card] && cards_[card].contains(x, y))
            return {Hit::Card, card};
    for (int i = 0; i < FormulaCount; ++i)
        if (formulas_[i].contains(x, y))
            return {Hit::Formula, int16_t(i)};
    return {};
}

bool Board::nearEdge(float x, float y) {
    return x < ScaleLeft + EdgeMargin || x > ScaleLeft + ScaleWidth - RightEdgeMargin ||
           y < ScaleTop + EdgeMargin || y > ScaleTop + ScaleHeight - EdgeMargin;
}

bool Board::beginDrag(int16_t card) {
    // One card at a time: a second press while a card is carried is ignored.
    if (dragging_ || !inColumn(card))
        return false;
    bringToFront(card);
    dragIndex_ = card;
    dragging_ = true;
    gradeVisible_ = false;
    return true;
}

void Board::followPointer(float x, float y) {
    if (!dragging_)
        return;
    moveCard(dragIndex_, x + PointerToCardLeft, y - cards_[dragIndex_].Height / 2);
}

void Board::dropOnFormula(int16_t formula) {
    if (!dragging_)
        return;
    dragging_ = false;
    SlotInfo& slot = slots_[formula];
    if (slot.Placed != NoCard)
        SendHome(slot.Placed);
    slot.Placed = dragIndex_;
    const TwipRect& f = formulas_[formula];
    const TwipRect& c = cards_[dragIndex_];
    moveCard(dragIndex_, f.Left + f.Width / 2 - c.Width / 2, f.Top + f.Height + GapBelowFormula);
}

void Board::sendDraggedHome() {
    if (!dragging_)
        return;
    dragging_ = false;
    SendHome(dragIndex_);
}

bool Board::takeBack(int16_t card) {
    if (inColumn(card))
        return false;
    const int16_t slot = slotHolding(card);
    if (slot == NoCard)
        return false;
    gradeVisible_ = false;
    slots_[slot].Placed = NoCard;
    SendHome(card);
    return true;
}

int16_t Board::check() {
    int16_t sum = 0;
    for (SlotInfo& slot : slots_) {
        if (slot.Placed == NoCard)
            continue;
        if (slot.Placed % NameCount == slot.Correct) {
            sum = int16_t(sum + slot.Points);
        } else {
            SendHome(slot.Placed);
            slot.Placed = NoCard;
        }
    }
    gradeCaption_ = std::to_string(sum) + "%";
    gradeVisible_ = true;
    return sum;
}

int16_t Board::slotHolding(int16_t card) const {
    for (int i = 0; i < FormulaCount; ++i)
        if (slots_[i].Placed == card)
            return int16_t(i);
    return NoCard;
}

int16_t Board::frontCardAtHome(int16_t name) const {
    for (const int16_t card : frontToBack_)
        if (card % NameCount == name && cardVisible_[card] && inColumn(card) &&
            !(dragging_ && card == dragIndex_))
            return card;
    return NoCard;
}

std::vector<TwipRect> Board::takeDirty() {
    std::vector<TwipRect> out;
    out.swap(dirty_);
    return out;
}

void Board::moveCard(int16_t card, float left, float top) {
    TwipRect& r = cards_[card];
    if (r.Left == left && r.Top == top)
        return;
    dirty_.push_back(r);
    r.Left = left;
    r.Top = top;
    dirty_.push_back(r);
}

void Board::bringToFront(int16_t card) {
    const auto it = std::find(frontToBack_.begin(), frontToBack_.end(), card);
    if (it != frontToBack_.end())
        std::rotate(frontToBack_.begin(), it, it + 1);
    dirty_.push_back(cards_[card]);
}

void Board::markAllDirty() {
    dirty_.clear();
    dirty_.push_back({ScaleLeft, ScaleTop, ScaleWidth, ScaleHeight});
}

} // namespace board
