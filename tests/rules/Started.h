// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An exercise started as the program starts it, with a fixed shuffle, and the
// gestures the rules' tests make on it, all in window twips.

#include "exercise/rules/Exercise.h"
#include "exercise/rules/RandomSource.h"

#include <QString>
#include <array>
#include <utility>

namespace rules_testing {

using namespace board;

struct Started {
    explicit Started(uint32_t seed = 2u, const BoardShape& shape = builtInShape())
        : random(seed), e(random, shape) {
        e.ArrangeFormulas();
        e.InitBoard();
        e.mnuRestart_Click();
        e.takeChanges();
    }
    const Board& b() const { return e.board(); }

    RandomSource random;
    Exercise e;
};

inline std::pair<float, float> middleOf(const TwipRect& r) {
    return {r.Left + r.Width / 2, r.Top + r.Height / 2};
}
inline std::pair<float, float> formulaMiddle(const Board& b, int f) {
    return middleOf(b.ImgSyntactic()[size_t(f)]);
}
inline std::pair<float, float> cardMiddle(const Board& b, int16_t card) {
    return middleOf(b.ImgName()[size_t(card)]);
}

// A press on `card`, a move to (x, y) and the release there.
inline void drag(Exercise& e, int16_t card, float x, float y, Button button = Button::Left) {
    const auto [px, py] = cardMiddle(e.board(), card);
    e.press(px, py, button, false);
    e.move(x, y, true);
    e.release(x, y);
}

// Drags the front card of `name` from the column onto formula `f`; returns the
// card that went.
inline int16_t place(Exercise& e, int16_t name, int f) {
    const int16_t card = e.board().frontCardAtHome(name);
    const auto [x, y] = formulaMiddle(e.board(), f);
    if (card != NoCard)
        drag(e, card, x, y);
    return card;
}

inline bool atHome(const Board& b, int16_t card) {
    return b.ImgName()[size_t(card)] == b.homeRect(b.HomeRow()[size_t(card % NameCount)]);
}

// What must hold after every step: a slot holds at most one card, right under
// its formula; a card stands in at most one slot; every other card is at home
// unless it is being dragged; the grade is a multiple of 5 from 0 to 100; a
// picked-up name has a copy at home to place; the keyboard stands on an item
// that exists.
inline QString invariantViolation(const Exercise& e) {
    const Board& b = e.board();
    std::array<int, CardCount> slotsHolding{};
    for (int i = 0; i < FormulaCount; ++i) {
        const int16_t card = b.Slots()[size_t(i)].Placed;
        if (card == NoCard)
            continue;
        if (card < 0 || card >= CardCount)
            return QStringLiteral("slot %1 names card %2").arg(i).arg(card);
        if (++slotsHolding[size_t(card)] > 1)
            return QStringLiteral("card %1 stands in two slots").arg(card);
        const TwipRect& f = b.ImgSyntactic()[size_t(i)];
        const TwipRect& c = b.ImgName()[size_t(card)];
        if (c.Left != f.Left + f.Width / 2 - c.Width / 2 || c.Top != f.bottom() + 60)
            return QStringLiteral("card %1 is not under formula %2").arg(card).arg(i);
    }
    for (int16_t card = 0; card < CardCount; ++card) {
        if (slotsHolding[size_t(card)] || (b.dragging() && card == b.DragIndex()))
            continue;
        if (!atHome(b, card))
            return QStringLiteral("card %1 is neither placed nor at home").arg(card);
    }
    if (b.gradeVisible()) {
        const QString caption = QString::fromStdString(b.gradeCaption());
        bool ok = false;
        const int value = caption.chopped(1).toInt(&ok);
        if (!caption.endsWith('%') || !ok || value % 5 != 0 || value < 0 || value > 100)
            return QStringLiteral("grade %1").arg(caption);
    }
    if (e.selectedName() != NoCard && e.selectedCard() == NoCard)
        return QStringLiteral("name %1 is picked up with no copy at home").arg(e.selectedName());
    if (!exists(b, e.focusItem()))
        return QStringLiteral("the keyboard stands on item %1 of kind %2, which is not there")
            .arg(e.focusItem().index)
            .arg(int(e.focusItem().kind));
    return {};
}

} // namespace rules_testing
