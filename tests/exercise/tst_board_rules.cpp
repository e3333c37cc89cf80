// The exercise's rules on the model alone: dragging, dropping, the edge of the
// window, taking cards back and checking, then a long random run of gestures
// with the board's invariants checked after every step.

#include "exercise/rules/Board.h"
#include "exercise/rules/RandomSource.h"

#include <QTest>
#include <random>

using board::Board;
using board::CardCount;
using board::Hit;
using board::NameCount;
using board::NoCard;

namespace {

Board startedBoard() {
    Board b;
    b.ArrangeFormulas();
    b.InitBoard();
    board::RandomSource random(2u);
    b.Restart(random);
    return b;
}

// The middle of a formula, a point that only the formula covers.
std::pair<float, float> formulaCentre(const Board& b, int f) {
    const auto& r = b.ImgSyntactic[f];
    return {r.Left + r.Width / 2, r.Top + r.Height / 2};
}

// Drags the front card of `name` from the column and drops it on formula `f`;
// returns the card index that was dragged.
int16_t place(Board& b, int16_t name, int f) {
    const int16_t card = b.frontCardAtHome(name);
    if (card == NoCard || !b.beginDrag(card))
        return NoCard;
    const auto [x, y] = formulaCentre(b, f);
    b.dragOver(x, y);
    b.drop(x, y);
    return card;
}

bool atHome(const Board& b, int16_t card) {
    Board reference = b;
    reference.SendHome(card);
    return reference.ImgName[card] == b.ImgName[card];
}

QString invariantViolation(const Board& b) {
    std::array<int, CardCount> slotsHolding{};
    for (int i = 0; i < board::FormulaCount; ++i) {
        const int16_t card = b.Slots[i].Placed;
        if (card == NoCard)
            continue;
        if (card < 0 || card >= CardCount)
            return QStringLiteral("slot %1 names card %2").arg(i).arg(card);
        if (++slotsHolding[card] > 1)
            return QStringLiteral("card %1 stands in two slots").arg(card);
        const auto& f = b.ImgSyntactic[i];
        const auto& c = b.ImgName[card];
        if (c.Left != f.Left + f.Width / 2 - c.Width / 2 || c.Top != f.bottom() + 60)
            return QStringLiteral("card %1 is not under formula %2").arg(card).arg(i);
    }
    for (int16_t card = 0; card < CardCount; ++card) {
        if (slotsHolding[card] || (b.dragging() && card == b.DragIndex))
            continue;
        if (!atHome(b, card))
            return QStringLiteral("card %1 is neither placed nor at home").arg(card);
    }
    if (b.gradeVisible) {
        const QString caption = QString::fromStdString(b.gradeCaption);
        bool ok = false;
        const int value = caption.chopped(1).toInt(&ok);
        if (!caption.endsWith('%') || !ok || value % 5 != 0 || value < 0 || value > 100)
            return QStringLiteral("grade %1").arg(caption);
    }
    return {};
}

} // namespace

class TestBoardRules : public QObject {
    Q_OBJECT

private slots:
    void placedCardsAreCentredBelowTheirFormula_data() {
        QTest::addColumn<int>("formula");
        QTest::addColumn<float>("left");
        QTest::addRow("first column") << 3 << 225.0f;
        QTest::addRow("second column") << 9 << 3795.0f;
        QTest::addRow("third column") << 19 << 7365.0f;
    }
    void placedCardsAreCentredBelowTheirFormula() {
        QFETCH(int, formula);
        QFETCH(float, left);
        Board b = startedBoard();
        const int16_t card = place(b, 6, formula);
        QCOMPARE(b.Slots[formula].Placed, card);
        QCOMPARE(b.ImgName[card].Left, left);
        QCOMPARE(b.ImgName[card].Top, b.ImgSyntactic[formula].bottom() + 60);
        QVERIFY(b.isPlaced(card));
    }

    void aFormulaWhoseBottomIsAt645PlacesTheCardAt705() {
        Board b = startedBoard();
        b.ImgSyntactic[0] = {375, 120, 3105, 525};
        const int16_t card = place(b, 2, 0);
        QCOMPARE(b.ImgName[card].Top, 705.0f);
        QCOMPARE(b.ImgName[card].Left, 225.0f);
    }

    void droppingOnAnOccupiedFormulaSendsTheOldCardHome() {
        Board b = startedBoard();
        const int16_t first = place(b, 4, 2);
        const int16_t second = place(b, 7, 2);
        QCOMPARE(b.Slots[2].Placed, second);
        QVERIFY(b.inColumn(first));
        QVERIFY(atHome(b, first));
        QCOMPARE(b.slotHolding(first), NoCard);
    }

    void aPressOnAPlacedCardStartsNoDrag() {
        Board b = startedBoard();
        const int16_t card = place(b, 4, 2);
        b.gradeVisible = true;
        const auto before = b.ImgName[card];
        QVERIFY(!b.beginDrag(card));
        QVERIFY(!b.dragging());
        QVERIFY(b.gradeVisible);
        QCOMPARE(b.ImgName[card], before);
    }

    void droppingOnACardSendsTheDraggedCardHome_data() {
        QTest::addColumn<bool>("onPlacedCard");
        QTest::addRow("placed card") << true;
        QTest::addRow("card in the column") << false;
    }
    void droppingOnACardSendsTheDraggedCardHome() {
        QFETCH(bool, onPlacedCard);
        Board b = startedBoard();
        const int16_t placed = place(b, 4, 2);
        const int16_t target = onPlacedCard ? placed : b.frontCardAtHome(9);
        const auto& t = b.ImgName[target];
        const float x = t.Left + 100, y = t.Top + t.Height / 2;
        const int16_t dragged = b.frontCardAtHome(11);
        QVERIFY(b.beginDrag(dragged));
        b.dragOver(x, y);
        QCOMPARE(b.hitTest(x, y), (Hit{Hit::Card, target}));
        b.drop(x, y);
        QVERIFY(!b.dragging());
        QVERIFY(atHome(b, dragged));
        QCOMPARE(b.Slots[2].Placed, placed);
    }

    void theEdgeRuleEndsTheDragOverBareWindowOnly_data() {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<bool>("ends");
        QTest::addRow("left x=180 follows") << 180.0f << 9000.0f << false;
        QTest::addRow("left x=179.9 ends") << 179.9f << 9000.0f << true;
        QTest::addRow("right x=14490 follows") << 14490.0f << 400.0f << false;
        QTest::addRow("right x=14490.1 ends") << 14490.1f << 400.0f << true;
        QTest::addRow("top y=180 follows") << 12000.0f << 180.0f << false;
        QTest::addRow("top y=179.9 ends") << 12000.0f << 179.9f << true;
        QTest::addRow("bottom y=9735 follows") << 5000.0f << 9735.0f << false;
        QTest::addRow("bottom y=9735.1 ends") << 5000.0f << 9735.1f << true;
        QTest::addRow("outside the window ends") << -50.0f << 5000.0f << true;
    }
    void theEdgeRuleEndsTheDragOverBareWindowOnly() {
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(bool, ends);
        Board b = startedBoard();
        const int16_t card = b.frontCardAtHome(3);
        QVERIFY(b.beginDrag(card));
        QCOMPARE(b.hitTest(x, y).kind, Hit::Window);
        b.dragOver(x, y);
        QCOMPARE(b.dragging(), !ends);
        if (ends) {
            QVERIFY(atHome(b, card));
        } else {
            QCOMPARE(b.ImgName[card].Left, x + 60);
            QCOMPARE(b.ImgName[card].Top, y - 172.5f);
        }
    }

    void theEdgeRuleDoesNotApplyOverAFormula() {
        Board b = startedBoard();
        // Move the first formula against the window's left edge.
        b.ImgSyntactic[0].Left = 0;
        const int16_t card = b.frontCardAtHome(3);
        QVERIFY(b.beginDrag(card));
        const float y = b.ImgSyntactic[0].Top + 100;
        b.dragOver(100, y);
        QVERIFY(b.dragging());
        QCOMPARE(b.ImgName[card].Left, 160.0f);
    }

    void aDoubleClickTakesBackOnlyPlacedCards() {
        Board b = startedBoard();
        const int16_t card = place(b, 4, 2);
        b.check();
        QVERIFY(b.gradeVisible);
        // A card in the column: the double click itself changes nothing.
        const int16_t column = b.frontCardAtHome(8);
        QVERIFY(!b.takeBack(column));
        QVERIFY(b.gradeVisible);
        QVERIFY(b.takeBack(card));
        QVERIFY(!b.gradeVisible);
        QCOMPARE(b.Slots[2].Placed, NoCard);
        QVERIFY(atHome(b, card));
        // Taken back, it can be dragged again.
        QVERIFY(b.beginDrag(card));
    }

    void startingADragHidesTheGradeEvenIfDroppedHome() {
        Board b = startedBoard();
        b.check();
        const int16_t card = b.frontCardAtHome(1);
        QVERIFY(b.beginDrag(card));
        QVERIFY(!b.gradeVisible);
        const auto& r = b.ImgName[card];
        b.drop(r.Left + 5, r.Top + 5); // released on itself without moving
        QVERIFY(atHome(b, card));
        QVERIFY(!b.gradeVisible);
    }

    void oneNameUnderTwentyFormulasUsesItsCopiesInOrder() {
        Board b = startedBoard();
        const int16_t name = 13;
        for (int f = 0; f < 20; ++f) {
            QCOMPARE(b.frontCardAtHome(name), int16_t(name + 20 * f));
            QCOMPARE(place(b, name, f), int16_t(name + 20 * f));
        }
        QCOMPARE(b.frontCardAtHome(name), NoCard);
        const auto& home = b.ImgName[0];
        QCOMPARE(b.hitTest(home.Left + 5, b.ImgName[name].Top).kind == Hit::Card, false);
        // One copy comes back: the column shows the name again.
        QVERIFY(b.takeBack(int16_t(name + 20 * 7)));
        QCOMPARE(b.frontCardAtHome(name), int16_t(name + 20 * 7));
    }

    void aCardThatWentHomeStaysInFrontOfItsStack() {
        Board b = startedBoard();
        // Between the first two columns of formulas: bare window inside the frame.
        QCOMPARE(b.hitTest(3700, 5000).kind, Hit::Window);
        QVERIFY(b.beginDrag(5));
        b.dragOver(3700, 5000);
        b.drop(3700, 5000);
        QVERIFY(b.beginDrag(25));
        QVERIFY(!b.beginDrag(45)); // one card at a time
        b.dragOver(3700, 5000);
        b.drop(3700, 5000);
        QCOMPARE(b.frontCardAtHome(5), int16_t(25));
        QCOMPARE(b.frontToBack.front(), int16_t(25));
    }

    void checkScoresRightCardsAndSendsWrongOnesHome() {
        Board b = startedBoard();
        QCOMPARE(b.check(), int16_t(0));
        QCOMPARE(b.gradeCaption, std::string("0%"));
        QVERIFY(b.gradeVisible);

        // Name 5 wrongly under formula 0, then its copy 25 under its own
        // formula 3: the copy counts like card 5.
        QCOMPARE(place(b, 5, 0), int16_t(5));
        QCOMPARE(place(b, 5, 3), int16_t(25));
        // Name 4 under its right formula 2 and, wrongly, under formula 1.
        const int16_t right = place(b, 4, 2);
        const int16_t wrong = place(b, 4, 1);
        QCOMPARE(b.check(), int16_t(10));
        QCOMPARE(b.gradeCaption, std::string("10%"));
        QCOMPARE(b.Slots[2].Placed, right);
        QCOMPARE(b.Slots[3].Placed, int16_t(25));
        QCOMPARE(b.Slots[0].Placed, NoCard);
        QCOMPARE(b.Slots[1].Placed, NoCard);
        QVERIFY(atHome(b, wrong));
        QVERIFY(atHome(b, 5));

        // A second check moves nothing and gives the same grade.
        const auto cards = b.ImgName;
        QCOMPARE(b.check(), int16_t(10));
        QCOMPARE(b.ImgName, cards);
    }

    void aFullRightBoardGivesOneHundred() {
        Board b = startedBoard();
        for (int f = 0; f < 20; ++f)
            place(b, content::CorrectNameForFormula[f], f);
        QCOMPARE(b.check(), int16_t(100));
        QCOMPARE(b.gradeCaption, std::string("100%"));
        for (int f = 0; f < 20; ++f)
            QCOMPARE(int(b.Slots[f].Placed), int(content::CorrectNameForFormula[f]));
    }

    void invariantsHoldThroughTenThousandRandomGestures() {
        Board b = startedBoard();
        std::mt19937 rng(20261207u);
        board::RandomSource shuffle(99u);
        const auto pick = [&](int n) { return int(rng() % unsigned(n)); };
        const auto randomPoint = [&] {
            return std::pair{float(pick(15400)) - 250, float(pick(10400)) - 250};
        };
        int steps = 0;
        for (; steps < 10000; ++steps) {
            const int gesture = pick(100);
            if (gesture < 30) {
                const int16_t card = int16_t(pick(CardCount));
                b.beginDrag(card);
            } else if (gesture < 55) {
                const auto [x, y] = randomPoint();
                b.dragOver(x, y);
            } else if (gesture < 65) {
                const auto [x, y] = formulaCentre(b, pick(20));
                b.dragOver(x, y);
                b.drop(x, y);
            } else if (gesture < 78) {
                const auto [x, y] = randomPoint();
                b.drop(x, y);
            } else if (gesture < 88) {
                b.takeBack(int16_t(pick(CardCount)));
            } else if (gesture < 95) {
                if (!b.dragging())
                    b.check();
            } else if (gesture < 97) {
                b.sendDraggedHome();
            } else {
                b.Restart(shuffle);
            }
            const QString violation = invariantViolation(b);
            if (!violation.isEmpty())
                QFAIL(qPrintable(QStringLiteral("step %1: %2").arg(steps).arg(violation)));
        }
        QCOMPARE(steps, 10000);
    }
};

QTEST_APPLESS_MAIN(TestBoardRules)
#include "tst_board_rules.moc"
