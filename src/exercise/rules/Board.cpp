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
TwipRect designFormulaSize(int formula, int rows) {
    const bool firstColumn = formula <= 6;
    if (firstColumn && formula != 0)
        return {0, 0, 3108, rows == 1 ? 528.0f : 936.0f};
    return {0, 0, 3105, rows == 1 ? 525.0f : 930.0f};
}

// A set's formula card at full size: a three-row card keeps the two-row
// card's scale, 7250 picture units high against 4850.
TwipRect setFormulaSize(int rows) {
    return {0, 0, 3105, rows == 1 ? 525.0f : rows == 2 ? 930.0f : 1390.0f};
}

// Below each formula a placed name (60 twips down, 345 high) and as much
// again of clear space before the next formula.
constexpr float RoomForAPlacedName = 60 + 345 + 60;
constexpr float FrameHeight = 9795;

// The largest scale at which every column of the frame leaves that room;
// `tallest` learns the column that sets it.
float fittingScale(const BoardShape& shape, int* tallest) {
    const std::array<int, 4> starts = columnStarts(shape.size());
    float scale = 1;
    for (int c = 0; c < 3; ++c) {
        const int n = starts[size_t(c) + 1] - starts[size_t(c)];
        float heights = 0;
        for (int f = starts[size_t(c)]; f < starts[size_t(c) + 1]; ++f)
            heights += setFormulaSize(shape.formulaRows[size_t(f)]).Height;
        if (n == 0 || heights <= 0)
            continue;
        const float fits = (FrameHeight - 60 - float(n) * RoomForAPlacedName) / heights;
        if (fits < scale) {
            scale = fits;
            if (tallest)
                *tallest = c + 1;
        }
    }
    return scale;
}

} // namespace

BoardShape builtInShape() {
    BoardShape shape;
    shape.builtIn = true;
    for (int f = 0; f < FormulaCount; ++f) {
        shape.correctName.push_back(content::CorrectNameForFormula[size_t(f)]);
        shape.formulaRows.push_back(content::formulaDescriptions().at(size_t(f)).rows());
    }
    return shape;
}

std::array<int, 4> columnStarts(int formulas) {
    const int first = (formulas + 2) / 3;
    const int second = (formulas + 1) / 3;
    return {0, first, first + second, formulas};
}

float Board::formulaScale(const BoardShape& shape) {
    if (shape.builtIn)
        return 1;
    return std::max(fittingScale(shape, nullptr), MinFormulaScale);
}

int Board::columnTooTall(const BoardShape& shape) {
    int tallest = 0;
    return fittingScale(shape, &tallest) < MinFormulaScale ? tallest : 0;
}

Board::Board() : Board(builtInShape()) {}

Board::Board(const BoardShape& shape) : shape_(shape), builtIn_(shape.builtIn) {
    const int n = shape_.size();
    const float scale = formulaScale(shape_);
    formulas_.resize(size_t(n));
    for (int i = 0; i < n; ++i) {
        const int rows = shape_.formulaRows[size_t(i)];
        TwipRect r = builtIn_ ? designFormulaSize(i, rows) : setFormulaSize(rows);
        r.Width *= scale;
        r.Height *= scale;
        formulas_[size_t(i)] = r;
    }
    cards_.resize(size_t(n) * size_t(n));
    cardVisible_.assign(cards_.size(), false);
    slots_.resize(size_t(n));
    homeRow_.assign(size_t(n), 0);
    // Cards made at run time copy the first card's properties.
    for (size_t i = 0; i < cards_.size(); ++i) {
        const int designIndex = i < size_t(n) ? int(i) : 0;
        cards_[i] = {11340, 1440.0f + 420.0f * float(designIndex), 3405, 345};
    }
    for (int i = 0; i < n; ++i)
        cardVisible_[size_t(i)] = true;
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
    const std::array<int, 4> starts = columnStarts(formulaCount());
    for (const Column c :
         {Column{starts[0], starts[1] - 1, x1}, Column{starts[1], starts[2] - 1, x2},
          Column{starts[2], starts[3] - 1, x3}}) {
        const int n = c.last - c.first + 1;
        if (n <= 0)
            continue;
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
    for (int i = 0; i < formulaCount(); ++i) {
        // A set grades by its share of right names (check); the built-in
        // exercise gives each formula its 5 points.
        slots_[size_t(i)] = {int16_t(builtIn_ ? 5 : 0), shape_.correctName[size_t(i)], 0};
    }
    for (int i = nameCount(); i < cardCount(); ++i) {
        cards_[size_t(i)].Width = cards_[0].Width;
        cards_[size_t(i)].Height = cards_[0].Height;
        cardVisible_[size_t(i)] = true;
    }
    // Bringing the last card down to 0 to the front leaves the lowest index in front.
    frontToBack_.resize(size_t(cardCount()));
    for (int i = 0; i < cardCount(); ++i)
        frontToBack_[size_t(i)] = int16_t(i);
    markAllDirty();
}

TwipRect Board::homeRect(int16_t row) const {
    // The rows share the height below the grade with one equal gap more than
    // there are rows: above the first, between rows, below the last.
    const float below = grade_.Top + grade_.Height;
    const TwipRect& card = cards_[0];
    const float rows = float(nameCount());
    const float gap = (ScaleHeight - below - rows * card.Height) / (rows + 1);
    return {container_.right() + GapRightOfFrame, below + gap + float(row) * (card.Height + gap),
            card.Width, card.Height};
}

void Board::SendHome(int16_t index) {
    const TwipRect home = homeRect(homeRow_[size_t(index % nameCount())]);
    moveCard(index, home.Left, home.Top);
}

void Board::Restart(UniformSource& random) {
    dragging_ = false;
    for (SlotInfo& slot : slots_)
        slot.Placed = NoCard;

    std::fill(homeRow_.begin(), homeRow_.end(), int16_t(-1));
    random.seedFromClock();
    const double rows = double(nameCount());
    for (size_t i = 0; i < homeRow_.size(); ++i) {
        int16_t r = 0;
        for (;;) {
            r = int16_t(std::floor(double(random.next()) * rows));
            if (std::find(homeRow_.begin(), homeRow_.end(), r) == homeRow_.end())
                break;
        }
        homeRow_[i] = r;
    }

    // All cards are hidden while they move and shown once all are in place.
    std::fill(cardVisible_.begin(), cardVisible_.end(), false);
    for (int i = 0; i < cardCount(); ++i)
        SendHome(int16_t(i));
    std::fill(cardVisible_.begin(), cardVisible_.end(), true);
    gradeVisible_ = false;
    markAllDirty();
}

bool Board::inColumn(int16_t card) const {
    return cards_[card].Left >= container_.Left + container_.Width;
}

Hit Board::hitTest(float x, float y) const {
    for (const int16_t card : frontToBack_)
        if (cardVisible_[size_t(card)] && cards_[size_t(card)].contains(x, y))
            return {Hit::Card, card};
    for (int i = 0; i < formulaCount(); ++i)
        if (formulas_[size_t(i)].contains(x, y))
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
    int right = 0;
    for (SlotInfo& slot : slots_) {
        if (slot.Placed == NoCard)
            continue;
        if (slot.Placed % nameCount() == slot.Correct) {
            sum = int16_t(sum + slot.Points);
            ++right;
        } else {
            SendHome(slot.Placed);
            slot.Placed = NoCard;
        }
    }
    // A set's grade: the share of formulas holding their right name, as a
    // whole percentage rounded half up.
    if (!builtIn_)
        sum = int16_t((200 * right + formulaCount()) / (2 * formulaCount()));
    gradeCaption_ = std::to_string(sum) + "%";
    gradeVisible_ = true;
    return sum;
}

int16_t Board::slotHolding(int16_t card) const {
    for (int i = 0; i < formulaCount(); ++i)
        if (slots_[size_t(i)].Placed == card)
            return int16_t(i);
    return NoCard;
}

int16_t Board::frontCardAtHome(int16_t name) const {
    for (const int16_t card : frontToBack_)
        if (card % nameCount() == name && cardVisible_[size_t(card)] && inColumn(card) &&
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
