// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise's pointer and touch gestures on the rules alone, through the
// same calls the board view makes: dragging, the routing of drag-over and
// drop, the edge of the window, taking back, click-to-place, long press,
// checking, then a long random run of gestures and keys with the invariants
// checked after every step.

#include "Started.h"

#include <QTest>
#include <random>

using namespace rules_testing;

namespace {

bool has(const Changes& c, Happening h) {
    return std::find(c.happened.begin(), c.happened.end(), h) != c.happened.end();
}

} // namespace

class TestGestures : public QObject {
    Q_OBJECT

private slots:
    void placedCardsAreCentredBelowTheirFormula_data() {
        QTest::addColumn<int>("formula");
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::addRow("first column, bottom at 645") << 0 << 225.0f << 705.0f;
        QTest::addRow("first column") << 3 << 225.0f << -1.0f;
        QTest::addRow("second column") << 9 << 3795.0f << -1.0f;
        QTest::addRow("third column") << 19 << 7365.0f << -1.0f;
    }
    void placedCardsAreCentredBelowTheirFormula() {
        QFETCH(int, formula);
        QFETCH(float, left);
        QFETCH(float, top);
        Started s;
        const int16_t card = place(s.e, 6, formula);
        QCOMPARE(s.b().Slots()[formula].Placed, card);
        QCOMPARE(s.b().ImgName()[card].Left, left);
        QCOMPARE(s.b().ImgName()[card].Top,
                 top > 0 ? top : s.b().ImgSyntactic()[formula].bottom() + 60);
        QVERIFY(s.b().isPlaced(card));
        QVERIFY(has(s.e.takeChanges(),
                    {.kind = Happening::Placed, .card = card, .formula = int16_t(formula)}));
    }

    void droppingOnAnOccupiedFormulaSendsTheOldCardHome() {
        Started s;
        const int16_t first = place(s.e, 4, 2);
        s.e.takeChanges();
        const int16_t second = place(s.e, 7, 2);
        QCOMPARE(s.b().Slots()[2].Placed, second);
        QVERIFY(atHome(s.b(), first));
        QCOMPARE(s.b().slotHolding(first), NoCard);
        QVERIFY(
            has(s.e.takeChanges(), {.kind = Happening::PushedOut, .card = first, .formula = 2}));
    }

    // Where a drag ends decides where the card goes: only a formula keeps it;
    // a card (placed or not) and bare window, the frame included, send it home.
    void aDropIsRoutedByWhatLiesUnderThePointer_data() {
        QTest::addColumn<int>("target"); // 0 formula, 1 placed card, 2 column card, 3 bare frame
        QTest::addRow("on a formula") << 0;
        QTest::addRow("on a placed card") << 1;
        QTest::addRow("on a card in the column") << 2;
        QTest::addRow("on the frame between formulas") << 3;
    }
    void aDropIsRoutedByWhatLiesUnderThePointer() {
        QFETCH(int, target);
        Started s;
        const int16_t placed = place(s.e, 4, 2);
        std::pair<float, float> at{3700, 5000};
        if (target == 0)
            at = formulaMiddle(s.b(), 12);
        else if (target == 1)
            at = cardMiddle(s.b(), placed);
        else if (target == 2)
            at = cardMiddle(s.b(), s.b().frontCardAtHome(9));
        const int16_t dragged = s.b().frontCardAtHome(11);
        drag(s.e, dragged, at.first, at.second);
        QVERIFY(!s.b().dragging());
        QCOMPARE(s.b().Slots()[2].Placed, placed);
        QCOMPARE(s.b().Slots()[12].Placed, target == 0 ? dragged : NoCard);
        QCOMPARE(atHome(s.b(), dragged), target != 0);
    }

    // The edge rule applies over bare window only: over a card or a formula
    // that reaches into the margin, the card keeps following.
    void theEdgeRuleEndsTheDragOverBareWindowOnly_data() {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<int>("under"); // Hit::Kind
        QTest::addColumn<bool>("ends");
        const int window = board::Hit::Window;
        QTest::addRow("left x=180 follows") << 180.0f << 9000.0f << window << false;
        QTest::addRow("left x=179.9 ends") << 179.9f << 9000.0f << window << true;
        QTest::addRow("right x=14490 follows") << 14490.0f << 400.0f << window << false;
        QTest::addRow("right x=14490.1 ends") << 14490.1f << 400.0f << window << true;
        QTest::addRow("top y=180 follows") << 12000.0f << 180.0f << window << false;
        QTest::addRow("top y=179.9 ends") << 12000.0f << 179.9f << window << true;
        QTest::addRow("bottom y=9735 follows") << 5000.0f << 9735.0f << window << false;
        QTest::addRow("bottom y=9735.1 ends") << 5000.0f << 9735.1f << window << true;
        QTest::addRow("outside the window ends") << -50.0f << 5000.0f << window << true;
        QTest::addRow("top margin over formula 0 follows")
            << 1000.0f << 150.0f << int(board::Hit::Formula) << false;
        QTest::addRow("bottom margin over the last row's card follows")
            << 12000.0f << 9800.0f << int(board::Hit::Card) << false;
    }
    void theEdgeRuleEndsTheDragOverBareWindowOnly() {
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(int, under);
        QFETCH(bool, ends);
        Started s;
        // A name whose home is not the bottom row, so that it never lies under
        // the pointer itself.
        const int16_t name = int16_t(std::find(s.b().HomeRow().begin(), s.b().HomeRow().end(), 0) -
                                     s.b().HomeRow().begin());
        const int16_t card = s.b().frontCardAtHome(name);
        const auto [px, py] = cardMiddle(s.b(), card);
        s.e.press(px, py, Button::Left, false);
        s.e.move(7000, 5000, true);
        QCOMPARE(int(s.b().hitTest(x, y).kind), under);
        s.e.move(x, y, true);
        QCOMPARE(s.b().dragging(), !ends);
        if (ends) {
            QVERIFY(atHome(s.b(), card));
        } else {
            QCOMPARE(s.b().ImgName()[card].Left, x + 60);
            QCOMPARE(s.b().ImgName()[card].Top, y - 172.5f);
        }
    }

    void onlyALeftOrMiddlePressOnAColumnCardStartsADrag_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("onPlaced");
        QTest::addColumn<bool>("drags");
        QTest::addRow("left, column") << int(Button::Left) << false << true;
        QTest::addRow("middle, column") << int(Button::Middle) << false << true;
        QTest::addRow("right, column") << int(Button::Right) << false << false;
        QTest::addRow("other button, column") << int(Button::Other) << false << false;
        QTest::addRow("left, placed") << int(Button::Left) << true << false;
        QTest::addRow("right, placed") << int(Button::Right) << true << false;
    }
    void onlyALeftOrMiddlePressOnAColumnCardStartsADrag() {
        QFETCH(int, button);
        QFETCH(bool, onPlaced);
        QFETCH(bool, drags);
        Started s;
        const int16_t placed = place(s.e, 4, 2); // its right formula
        s.e.mnuCheck_Click();
        s.e.takeChanges();
        const int16_t card = onPlaced ? placed : s.b().frontCardAtHome(8);
        const Board before = s.b();
        const auto [x, y] = cardMiddle(s.b(), card);
        s.e.press(x, y, Button(button), false);
        QCOMPARE(s.b().dragging(), drags);
        // Starting a drag hides the grade, even if the card is then dropped home.
        QCOMPARE(s.b().gradeVisible(), !drags);
        s.e.release(x, y);
        QVERIFY(invariantViolation(s.e).isEmpty());
        QCOMPARE(s.b().ImgName()[card], before.ImgName()[card]);
        // A right press asks for the explanation of the card's name and moves nothing.
        const Changes c = s.e.takeChanges();
        QCOMPARE(
            has(c, {.kind = Happening::ExplainAsked, .card = card, .name = int16_t(card % 20)}),
            Button(button) == Button::Right);
    }

    void aDoubleClickTakesBackOnlyPlacedCards() {
        Started s;
        const int16_t card = place(s.e, 4, 2);
        s.e.mnuCheck_Click();
        const int16_t column = s.b().frontCardAtHome(8);
        // On a card in the column the press before it drags and the release
        // puts it home; the double click itself changes nothing.
        const auto [cx, cy] = cardMiddle(s.b(), column);
        s.e.doubleClick(cx, cy);
        QVERIFY(s.b().gradeVisible());
        QVERIFY(atHome(s.b(), column));
        const auto [x, y] = cardMiddle(s.b(), card);
        s.e.takeChanges();
        s.e.doubleClick(x, y);
        QVERIFY(!s.b().gradeVisible());
        QCOMPARE(s.b().Slots()[2].Placed, NoCard);
        QVERIFY(atHome(s.b(), card));
        QVERIFY(has(s.e.takeChanges(), {.kind = Happening::TakenBack, .card = card, .formula = 2}));
        // Taken back, it can be dragged again.
        QCOMPARE(place(s.e, 4, 3), card);
    }

    void oneNameUnderTwentyFormulasUsesItsCopiesInOrder() {
        Started s;
        const int16_t name = 13;
        for (int f = 0; f < 20; ++f)
            QCOMPARE(place(s.e, name, f), int16_t(name + 20 * f));
        QCOMPARE(s.b().frontCardAtHome(name), NoCard);
        const TwipRect home = s.b().homeRect(s.b().HomeRow()[name]);
        QCOMPARE(s.b().hitTest(home.Left + 5, home.Top + 5).kind, Hit::Window);
        // One copy comes back: the column shows the name again.
        const auto [x, y] = cardMiddle(s.b(), int16_t(name + 20 * 7));
        s.e.doubleClick(x, y);
        QCOMPARE(s.b().frontCardAtHome(name), int16_t(name + 20 * 7));
    }

    void aCardThatWentHomeStaysInFrontOfItsStack() {
        Started s;
        QCOMPARE(place(s.e, 5, 0), int16_t(5));
        const auto [x, y] = cardMiddle(s.b(), 25);
        s.e.press(x, y, Button::Left, false);
        QCOMPARE(s.b().DragIndex(), int16_t(25));
        s.e.press(x, y, Button::Middle, false, true); // one card at a time
        QCOMPARE(s.b().DragIndex(), int16_t(25));
        s.e.move(3700, 5000, true);
        s.e.release(3700, 5000);
        // Card 5 comes back too, yet the copy that went home from its drag
        // stays in front of the stack.
        const auto [px, py] = cardMiddle(s.b(), 5);
        s.e.doubleClick(px, py);
        QVERIFY(atHome(s.b(), 5) && atHome(s.b(), 25));
        QCOMPARE(s.b().frontCardAtHome(5), int16_t(25));
        QCOMPARE(s.b().frontToBack().front(), int16_t(25));
    }

    // A drag ends only by a release, or goes home when broken off; a release
    // that never came is made good at the next move without the button, or
    // the next press.
    void aDragBrokenOffOrALostReleaseNeverLeavesACardAdrift_data() {
        QTest::addColumn<int>("how"); // 0 broken off, 1 move without button, 2 press
        QTest::addRow("focus lost") << 0;
        QTest::addRow("next move without the button, over a formula") << 1;
        QTest::addRow("next press") << 2;
    }
    void aDragBrokenOffOrALostReleaseNeverLeavesACardAdrift() {
        QFETCH(int, how);
        Started s;
        const int16_t card = s.b().frontCardAtHome(3);
        const auto [x, y] = cardMiddle(s.b(), card);
        s.e.press(x, y, Button::Left, false);
        const auto [fx, fy] = formulaMiddle(s.b(), 7);
        s.e.move(fx, fy, true);
        s.e.takeChanges();
        if (how == 0)
            s.e.breakOff();
        else if (how == 1)
            s.e.move(fx, fy, false);
        else
            s.e.press(3700, 5000, Button::Left, false);
        QVERIFY(!s.b().dragging());
        QCOMPARE(s.b().Slots()[7].Placed, how == 1 ? card : NoCard);
        QCOMPARE(atHome(s.b(), card), how != 1);
        QCOMPARE(has(s.e.takeChanges(), {.kind = Happening::DragBrokenOff, .card = card}),
                 how != 1);
        // Whatever ended it, the next drag starts afresh.
        const int16_t next = place(s.e, 9, 8);
        QCOMPARE(s.b().Slots()[8].Placed, next);
    }

    // A click on a name (press and release without moving) picks it up; a
    // click on a formula places it there exactly as a drag would.
    void aClickPicksANameUpAndAClickOnAFormulaPlacesIt_data() {
        QTest::addColumn<int>("then"); // 0 formula, 1 bare window, 2 another card, 3 right click
        QTest::addColumn<bool>("placed");
        QTest::addColumn<bool>("stillPicked");
        QTest::addRow("click on a formula places") << 0 << true << false;
        QTest::addRow("click on bare window lets go") << 1 << false << false;
        QTest::addRow("press on another card lets go and drags it") << 2 << false << false;
        QTest::addRow("a right click keeps it") << 3 << false << true;
    }
    void aClickPicksANameUpAndAClickOnAFormulaPlacesIt() {
        QFETCH(int, then);
        QFETCH(bool, placed);
        QFETCH(bool, stillPicked);
        Started s;
        const int16_t card = s.b().frontCardAtHome(6);
        const auto [x, y] = cardMiddle(s.b(), card);
        s.e.press(x, y, Button::Left, false);
        s.e.move(x + 20, y + 20, true); // less than the click slop
        s.e.release(x + 20, y + 20);
        QCOMPARE(s.e.selectedName(), int16_t(6));
        QCOMPARE(s.e.selectedCard(), card);
        QVERIFY(atHome(s.b(), card));
        QCOMPARE(s.e.focusItem(), (FocusItem{FocusItem::NameRow, s.b().HomeRow()[6]}));
        std::pair<float, float> at{3700, 5000};
        if (then == 0)
            at = formulaMiddle(s.b(), 12);
        else if (then >= 2)
            at = cardMiddle(s.b(), s.b().frontCardAtHome(8));
        s.e.press(at.first, at.second, then == 3 ? Button::Right : Button::Left, false);
        if (then == 2)
            s.e.move(3700, 5000, true);
        s.e.release(then == 2 ? 3700 : at.first, then == 2 ? 5000 : at.second);
        QCOMPARE(s.b().Slots()[12].Placed, placed ? card : NoCard);
        QCOMPARE(s.e.selectedName(), stillPicked ? int16_t(6) : NoCard);
        // A placed name takes the keyboard along to its card.
        const FocusItem keyboard = placed ? FocusItem{FocusItem::PlacedCard, 12}
                                          : FocusItem{FocusItem::NameRow, s.b().HomeRow()[6]};
        QCOMPARE(s.e.focusItem(), keyboard);
        QVERIFY(invariantViolation(s.e).isEmpty());
    }

    void aMovedPressIsNoClickAndALongRestExplains_data() {
        QTest::addColumn<bool>("touch");
        QTest::addColumn<float>("moved");
        QTest::addColumn<bool>("explains");
        QTest::addColumn<bool>("picked");
        QTest::addRow("mouse, still: a click") << false << 0.0f << false << true;
        QTest::addRow("mouse, moved: a drag") << false << 400.0f << false << false;
        QTest::addRow("finger resting: explanation") << true << 0.0f << true << false;
        QTest::addRow("finger moved: a drag") << true << 400.0f << false << false;
    }
    void aMovedPressIsNoClickAndALongRestExplains() {
        QFETCH(bool, touch);
        QFETCH(float, moved);
        QFETCH(bool, explains);
        QFETCH(bool, picked);
        Started s;
        s.e.setClickSlop(60);
        const int16_t card = s.b().frontCardAtHome(2);
        const auto [x, y] = cardMiddle(s.b(), card);
        s.e.press(x, y, Button::Left, touch);
        QCOMPARE(s.e.longPressPending(), touch);
        s.e.move(x + moved, y, true);
        s.e.longPress();
        s.e.release(x + moved, y);
        QCOMPARE(s.e.selectedName(), picked ? int16_t(2) : NoCard);
        QVERIFY(atHome(s.b(), card));
        QCOMPARE(has(s.e.takeChanges(), {.kind = Happening::ExplainAsked, .card = card, .name = 2}),
                 explains);
    }

    void tooltipsAndPointersFollowTheCardsSide() {
        Started s;
        const int16_t card = place(s.e, 5, 1);
        const int16_t column = s.b().frontCardAtHome(6);
        QCOMPARE(s.e.toolTip(card), ToolTip::None); // until the pointer has been over it
        const auto [px, py] = cardMiddle(s.b(), card);
        const auto [cx, cy] = cardMiddle(s.b(), column);
        s.e.move(px, py, false);
        s.e.move(cx, cy, false);
        QCOMPARE(s.e.toolTip(card), ToolTip::Placed);
        QCOMPARE(s.e.toolTip(column), ToolTip::Column);
        QCOMPARE(s.e.pointerAt(px, py), Pointer::Hand);
        QCOMPARE(s.e.pointerAt(3700, 5000), Pointer::Arrow);
        s.e.press(cx, cy, Button::Left, false);
        QCOMPARE(s.e.pointerAt(3700, 5000), Pointer::Drop);
    }

    void checkScoresRightCardsAndSendsWrongOnesHome() {
        Started s;
        s.e.mnuCheck_Click();
        QCOMPARE(s.b().gradeCaption(), std::string("0%"));
        QVERIFY(s.b().gradeVisible());
        // Name 5 wrongly under formula 0, then its copy 25 under its own
        // formula 3: the copy counts like card 5.
        QCOMPARE(place(s.e, 5, 0), int16_t(5));
        QCOMPARE(place(s.e, 5, 3), int16_t(25));
        // Name 4 under its right formula 2 and, wrongly, under formula 1.
        const int16_t right = place(s.e, 4, 2);
        const int16_t wrong = place(s.e, 4, 1);
        s.e.takeChanges();
        s.e.mnuCheck_Click();
        QCOMPARE(s.b().gradeCaption(), std::string("10%"));
        QVERIFY(has(s.e.takeChanges(), {.kind = Happening::Checked, .value = 10, .count = 2}));
        QCOMPARE(s.b().Slots()[2].Placed, right);
        QCOMPARE(s.b().Slots()[3].Placed, int16_t(25));
        QCOMPARE(s.b().Slots()[0].Placed, NoCard);
        QCOMPARE(s.b().Slots()[1].Placed, NoCard);
        QVERIFY(atHome(s.b(), wrong));
        QVERIFY(atHome(s.b(), 5));
        // A second check moves nothing and gives the same grade.
        const auto cards = s.b().ImgName();
        s.e.mnuCheck_Click();
        QCOMPARE(s.b().gradeCaption(), std::string("10%"));
        QCOMPARE(s.b().ImgName(), cards);
    }

    void aFullRightBoardGivesOneHundred() {
        Started s;
        for (int f = 0; f < 20; ++f)
            place(s.e, content::CorrectNameForFormula[size_t(f)], f);
        s.e.mnuCheck_Click();
        QCOMPARE(s.b().gradeCaption(), std::string("100%"));
        for (int f = 0; f < 20; ++f)
            QCOMPARE(int(s.b().Slots()[f].Placed), int(content::CorrectNameForFormula[size_t(f)]));
    }

    void checkAndRestartEndADragUnderWay() {
        Started s;
        const int16_t card = s.b().frontCardAtHome(3);
        const auto [x, y] = cardMiddle(s.b(), card);
        s.e.press(x, y, Button::Left, false);
        s.e.move(5000, 5000, true);
        s.e.mnuCheck_Click();
        QVERIFY(!s.b().dragging());
        QVERIFY(atHome(s.b(), card));
        place(s.e, 4, 2);
        s.e.mnuRestart_Click();
        QCOMPARE(s.b().Slots()[2].Placed, NoCard);
        QVERIFY(!s.b().gradeVisible());
        QVERIFY(invariantViolation(s.e).isEmpty());
    }

    void invariantsHoldThroughTenThousandRandomGesturesAndKeys() {
        Started s;
        s.e.setClickSlop(60);
        std::mt19937 rng(20261207u);
        const auto pick = [&](int n) { return int(rng() % unsigned(n)); };
        const auto point = [&] {
            if (pick(3) == 0)
                return formulaMiddle(s.b(), pick(20));
            return std::pair{float(pick(15400)) - 250, float(pick(10400)) - 250};
        };
        for (int step = 0; step < 10000; ++step) {
            const int gesture = pick(100);
            const auto [x, y] = point();
            if (gesture < 20)
                s.e.press(x, y, Button(pick(4)), pick(4) == 0, pick(5) == 0);
            else if (gesture < 45)
                s.e.move(x, y, pick(6) != 0);
            else if (gesture < 60)
                s.e.release(x, y);
            else if (gesture < 66)
                s.e.doubleClick(x, y);
            else if (gesture < 88)
                s.e.key(Key(pick(int(Key::Explain) + 1)));
            else if (gesture < 92)
                s.e.longPress();
            else if (gesture < 95)
                s.e.breakOff();
            else if (gesture < 99)
                s.e.mnuCheck_Click();
            else
                s.e.mnuRestart_Click();
            s.e.takeChanges();
            const QString violation = invariantViolation(s.e);
            if (!violation.isEmpty())
                QFAIL(qPrintable(QStringLiteral("step %1: %2").arg(step).arg(violation)));
        }
    }
};

QTEST_APPLESS_MAIN(TestGestures)
#include "tst_gestures.moc"
