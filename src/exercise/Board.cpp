#include "exercise/Board.h"

#include <algorithm>
#include <cmath>

namespace board {

namespace {

// Design sizes of the formula cards. One-row cards are 3105 x 525 or 3108 x 528,
// two-row cards 3105 x 930 or 3108 x 936; the mix below gives the three columns
// their vertical shares of about 746.6, 634.3 and exactly 1030 twips.
TwipRect designFormulaSize(int formula) {
    const bool firstColumn = formula <= 6;
    const bool twoRows = content::isTwoRowFormula(formula);
    if (firstColumn && formula != 0)
        return {0, 0, 3108, twoRows ? 936.0f : 528.0f};
    return {0, 0, 3105, twoRows ? 930.0f : 525.0f};
}

} // namespace

Board::Board() {
    for (int i = 0; i < FormulaCount; ++i)
        ImgSyntactic[i] = designFormulaSize(i);
    // Cards made at run time copy the first card's properties.
    for (int i = 0; i < CardCount; ++i) {
        const int designIndex = i < NameCount ? i : 0;
        ImgName[i] = {11340, 1440.0f + 420.0f * float(designIndex), 3405, 345};
    }
    for (int i = 0; i < NameCount; ++i)
        cardVisible[i] = true;
    HomeRow.fill(0);
}

void Board::ArrangeFormulas() {
    const float w = ImgName[0].Width;
    const float g = (Container.Width - 3 * w) / 4;
    const float x1 = Container.Left + g + w / 2;
    const float x2 = x1 + g + w;
    const float x3 = x2 + g + w;

    struct Column {
        int first, last;
        float centre;
    };
    for (const Column c : {Column{0, 6, x1}, Column{7, 13, x2}, Column{14, 19, x3}}) {
        const int n = c.last - c.first + 1;
        ImgSyntactic[c.first].Top = Container.Top + 60;
        float s = 60;
        for (int i = c.first; i <= c.last; ++i) {
            s += ImgSyntactic[i].Height;
            ImgSyntactic[i].Left = c.centre - ImgSyntactic[i].Width / 2;
        }
        const float v = (Container.Height - s) / float(n);
        for (int i = c.first + 1; i <= c.last; ++i)
            ImgSyntactic[i].Top = ImgSyntactic[i - 1].Top + ImgSyntactic[i - 1].Height + v;
    }
    markAllDirty();
}

void Board::InitBoard() {
    Slots = {};
    for (int i = 0; i < FormulaCount; ++i) {
        Slots[i].Points = 5;
        Slots[i].Correct = content::CorrectNameForFormula[i];
    }
    for (int i = NameCount; i < CardCount; ++i) {
        ImgName[i].Width = ImgName[0].Width;
        ImgName[i].Height = ImgName[0].Height;
        cardVisible[i] = true;
    }
    // Bringing 399 down to 0 to the front leaves the lowest index in front.
    frontToBack.resize(CardCount);
    for (int i = 0; i < CardCount; ++i)
        frontToBack[i] = int16_t(i);
    markAllDirty();
}

void Board::SendHome(int16_t index) {
    const float below = LGrade.Top + LGrade.Height;
    const float cardHeight = ImgName[0].Height;
    const float gap = (ScaleHeight - below - 20 * cardHeight) / 21;
    const int16_t row = HomeRow[index % NameCount];
    moveCard(index, Container.Left + Container.Width + GapRightOfFrame,
             below + gap + float(row) * (cardHeight + gap));
}

void Board::Restart(UniformSource& random) {
    dragging_ = false;
    for (SlotInfo& slot : Slots)
        slot.Placed = NoCard;

    HomeRow.fill(-1);
    random.seedFromClock();
    for (int i = 0; i < NameCount; ++i) {
        int16_t r = 0;
        for (;;) {
            r = int16_t(std::floor(double(random.next()) * 20.0));
            if (std::find(HomeRow.begin(), HomeRow.end(), r) == HomeRow.end())
                break;
        }
        HomeRow[i] = r;
    }

    // All cards are hidden while they move and shown once all are in place.
    cardVisible.fill(false);
    for (int i = 0; i < CardCount; ++i)
        SendHome(int16_t(i));
    cardVisible.fill(true);
    gradeVisible = false;
    markAllDirty();
}

bool Board::inColumn(int16_t card) const {
    return ImgName[card].Left >= Container.Left + Container.Width;
}

Hit Board::hitTest(float x, float y) const {
    for (const int16_t card : frontToBack)
        if (cardVisible[card] && ImgName[card].contains(x, y))
            return {Hit::Card, card};
    for (int i = 0; i < FormulaCount; ++i)
        if (ImgSyntactic[i].contains(x, y))
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
    DragIndex = card;
    dragging_ = true;
    gradeVisible = false;
    return true;
}

void Board::followPointer(float x, float y) {
    if (!dragging_)
        return;
    moveCard(DragIndex, x + PointerToCardLeft, y - ImgName[DragIndex].Height / 2);
}

void Board::dragOver(float x, float y) {
    if (!dragging_)
        return;
    if (hitTest(x, y).kind == Hit::Window && nearEdge(x, y))
        sendDraggedHome();
    else
        followPointer(x, y);
}

void Board::drop(float x, float y) {
    if (!dragging_)
        return;
    const Hit hit = hitTest(x, y);
    if (hit.kind == Hit::Formula)
        dropOnFormula(hit.index);
    else
        sendDraggedHome();
}

void Board::dropOnFormula(int16_t formula) {
    if (!dragging_)
        return;
    dragging_ = false;
    SlotInfo& slot = Slots[formula];
    if (slot.Placed != NoCard)
        SendHome(slot.Placed);
    slot.Placed = DragIndex;
    const TwipRect& f = ImgSyntactic[formula];
    const TwipRect& c = ImgName[DragIndex];
    moveCard(DragIndex, f.Left + f.Width / 2 - c.Width / 2, f.Top + f.Height + GapBelowFormula);
}

void Board::sendDraggedHome() {
    if (!dragging_)
        return;
    dragging_ = false;
    SendHome(DragIndex);
}

bool Board::takeBack(int16_t card) {
    if (inColumn(card))
        return false;
    const int16_t slot = slotHolding(card);
    if (slot == NoCard)
        return false;
    gradeVisible = false;
    Slots[slot].Placed = NoCard;
    SendHome(card);
    return true;
}

int16_t Board::check() {
    int16_t sum = 0;
    for (SlotInfo& slot : Slots) {
        if (slot.Placed == NoCard)
            continue;
        if (slot.Placed % NameCount == slot.Correct) {
            sum = int16_t(sum + slot.Points);
        } else {
            SendHome(slot.Placed);
            slot.Placed = NoCard;
        }
    }
    gradeCaption = std::to_string(sum) + "%";
    gradeVisible = true;
    return sum;
}

int16_t Board::slotHolding(int16_t card) const {
    for (int i = 0; i < FormulaCount; ++i)
        if (Slots[i].Placed == card)
            return int16_t(i);
    return NoCard;
}

int16_t Board::frontCardAtHome(int16_t name) const {
    for (const int16_t card : frontToBack)
        if (card % NameCount == name && cardVisible[card] && inColumn(card) &&
            !(dragging_ && card == DragIndex))
            return card;
    return NoCard;
}

std::vector<TwipRect> Board::takeDirty() {
    std::vector<TwipRect> out;
    out.swap(dirty_);
    return out;
}

void Board::moveCard(int16_t card, float left, float top) {
    TwipRect& r = ImgName[card];
    if (r.Left == left && r.Top == top)
        return;
    dirty_.push_back(r);
    r.Left = left;
    r.Top = top;
    dirty_.push_back(r);
}

void Board::bringToFront(int16_t card) {
    const auto it = std::find(frontToBack.begin(), frontToBack.end(), card);
    if (it != frontToBack.end())
        std::rotate(frontToBack.begin(), it, it + 1);
    dirty_.push_back(ImgName[card]);
}

void Board::markAllDirty() {
    dirty_.clear();
    dirty_.push_back({ScaleLeft, ScaleTop, ScaleWidth, ScaleHeight});
}

} // namespace board
