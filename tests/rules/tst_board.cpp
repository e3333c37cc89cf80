// SPDX-License-Identifier: GPL-3.0-or-later
// The board model without any window: layout, home rows, the card stacks and
// the Restart shuffle.

#include "exercise/rules/Board.h"
#include "exercise/rules/RandomSource.h"

#include <QTest>
#include <algorithm>
#include <set>

using board::Board;
using board::CardCount;
using board::NameCount;
using board::NoCard;

namespace {

// Replays a fixed list of draws, then a fallback seeded engine.
class ScriptedSource final : public board::UniformSource {
public:
    explicit ScriptedSource(std::vector<float> draws) : draws_(std::move(draws)) {}
    void seedFromClock() override { ++seeds; }
    float next() override {
        ++drawn;
        if (pos_ < draws_.size())
            return draws_[pos_++];
        return fallback_.next();
    }
    int seeds = 0;
    int drawn = 0;

private:
    std::vector<float> draws_;
    size_t pos_ = 0;
    board::RandomSource fallback_{7u};
};

Board startedBoard(uint32_t seed = 1) {
    Board b;
    b.ArrangeFormulas();
    b.InitBoard();
    board::RandomSource random(seed);
    b.Restart(random);
    return b;
}

bool isPermutation(const std::vector<int16_t>& rows) {
    std::vector<int16_t> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    if (sorted.size() != std::size_t(NameCount))
        return false;
    for (int i = 0; i < NameCount; ++i)
        if (sorted[i] != i)
            return false;
    return true;
}

} // namespace

class TestBoard : public QObject {
    Q_OBJECT

private slots:
    void formulaColumnsAreCentredAsDesigned_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<double>("centre");
        QTest::addColumn<double>("share");
        QTest::addRow("first column") << 0 << 6 << 1927.5 << 5226.0 / 7;
        QTest::addRow("second column") << 7 << 13 << 5497.5 << 4440.0 / 7;
        QTest::addRow("third column, one formula fewer") << 14 << 19 << 9067.5 << 1030.0;
    }
    void formulaColumnsAreCentredAsDesigned() {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(double, centre);
        QFETCH(double, share);
        Board b;
        b.ArrangeFormulas();
        QCOMPARE(b.ImgSyntactic()[first].Top, 120.0f);
        for (int i = first; i <= last; ++i) {
            const auto& f = b.ImgSyntactic()[i];
            QVERIFY2(qAbs(f.Left + f.Width / 2 - centre) < 0.01, qPrintable(QString::number(i)));
            if (i > first) {
                const auto& above = b.ImgSyntactic()[i - 1];
                QVERIFY(qAbs(f.Top - above.bottom() - share) < 0.01);
            }
        }
        // The shares fill the frame exactly: the last share ends at its bottom.
        QVERIFY(qAbs(b.ImgSyntactic()[last].bottom() + share - b.Container().bottom()) < 0.05);
    }

    void everyFormulaLiesInsideTheFrame() {
        Board b;
        b.ArrangeFormulas();
        for (const auto& f : b.ImgSyntactic()) {
            QVERIFY(f.Left > b.Container().Left && f.right() < b.Container().right());
            QVERIFY(f.Top > b.Container().Top && f.bottom() < b.Container().bottom());
        }
        // A placed card hangs below its formula; it must still fit the window.
        for (const auto& f : b.ImgSyntactic())
            QVERIFY(f.bottom() + Board::GapBelowFormula + 345 <= Board::ScaleHeight);
    }

    void homeRowsShareTheHeightBelowTheGrade() {
        Board b = startedBoard();
        const float gap = 2370.0f / 21;
        for (int card = 0; card < CardCount; ++card) {
            const auto& r = b.ImgName()[card];
            QCOMPARE(r.Left, 10995.0f);
            const int row = b.HomeRow()[card % NameCount];
            QVERIFY(qAbs(r.Top - (645 + gap + row * (345 + gap))) < 0.01);
        }
        const auto topOfRow = [&](int row) {
            const int name =
                int(std::find(b.HomeRow().begin(), b.HomeRow().end(), row) - b.HomeRow().begin());
            return b.ImgName()[name].Top;
        };
        QVERIFY(qAbs(topOfRow(0) - 757.857f) < 0.01);
        QVERIFY(qAbs(topOfRow(1) - topOfRow(0) - 457.857f) < 0.01);
        QVERIFY(qAbs(topOfRow(19) - 9457.143f) < 0.01);
    }

    void copiesOfOneNameCoverEachOther() {
        Board b = startedBoard();
        QCOMPARE(b.ImgName()[37], b.ImgName()[17]);
        // The front copy carried off and back: its stack is whole again.
        QVERIFY(b.beginDrag(17));
        b.followPointer(5000, 5000);
        QCOMPARE(b.frontCardAtHome(17), int16_t(37));
        b.sendDraggedHome();
        QCOMPARE(b.ImgName()[17], b.ImgName()[37]);
        QCOMPARE(b.ImgName()[397], b.ImgName()[37]);
    }

    void initBoardMakesFourHundredCardsLowestIndexInFront() {
        Board b;
        b.ArrangeFormulas();
        b.InitBoard();
        QCOMPARE(int(b.frontToBack().size()), CardCount);
        for (int i = 0; i < CardCount; ++i)
            QCOMPARE(int(b.frontToBack()[i]), i);
        for (int16_t i = 0; i < CardCount; ++i) {
            QVERIFY(b.cardVisible(i));
            QCOMPARE(b.ImgName()[i].Width, 3405.0f);
        }
        const std::array<int16_t, 20> correct = {19, 17, 4,  5, 3,  0, 2, 7,  12, 16,
                                                 11, 13, 10, 9, 18, 8, 6, 15, 14, 1};
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(b.Slots()[i].Points, int16_t(5));
            QCOMPARE(b.Slots()[i].Correct, correct[i]);
        }
    }

    void theFrontCardOfAStackIsItsLowestCopy() {
        Board b = startedBoard();
        const auto& home = b.ImgName()[17];
        const board::Hit hit = b.hitTest(home.Left + 10, home.Top + 10);
        QCOMPARE(hit.kind, board::Hit::Card);
        QCOMPARE(int(hit.index), 17);
        QCOMPARE(int(b.frontCardAtHome(17)), 17);
    }

    void restartEmptiesTheBoardAndReshuffles() {
        Board b = startedBoard(3);
        // Disturb what Restart must put right: a placed card, a shown grade, a
        // card being dragged.
        QVERIFY(b.beginDrag(44));
        b.dropOnFormula(4);
        b.check();
        QVERIFY(b.beginDrag(65));
        const auto order = b.frontToBack();
        const auto slotsBefore = b.Slots();

        ScriptedSource random({});
        b.Restart(random);

        QCOMPARE(random.seeds, 1);
        QVERIFY(!b.dragging());
        QVERIFY(!b.gradeVisible());
        QVERIFY(isPermutation(b.HomeRow()));
        QCOMPARE(b.frontToBack(), order);
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(b.Slots()[i].Placed, NoCard);
            QCOMPARE(b.Slots()[i].Points, slotsBefore[i].Points);
            QCOMPARE(b.Slots()[i].Correct, slotsBefore[i].Correct);
        }
        for (int16_t card = 0; card < CardCount; ++card) {
            QVERIFY(b.cardVisible(card));
            QVERIFY(b.inColumn(card));
            QCOMPARE(b.ImgName()[card], b.ImgName()[card % NameCount]);
        }
    }

    void aTakenRowIsDrawnAgain() {
        // Name 0 draws row 5; name 1 first draws 5 again (taken), then 0.
        std::vector<float> draws = {0.25f, 0.26f, 0.0f};
        for (int r = 1; r < 20; ++r)
            if (r != 5)
                draws.push_back((float(r) + 0.5f) / 20);
        ScriptedSource random(draws);
        Board b;
        b.ArrangeFormulas();
        b.InitBoard();
        b.Restart(random);
        QCOMPARE(int(b.HomeRow()[0]), 5);
        QCOMPARE(int(b.HomeRow()[1]), 0);
        QCOMPARE(int(b.HomeRow()[2]), 1);
        QCOMPARE(int(b.HomeRow()[19]), 19);
        QCOMPARE(random.drawn, 21);
        QVERIFY(isPermutation(b.HomeRow()));
    }

    void twoRestartsGiveDifferentOrders() {
        Board b = startedBoard();
        board::RandomSource seeded(11u);
        b.Restart(seeded);
        const auto first = b.HomeRow();
        b.Restart(seeded);
        QVERIFY(isPermutation(b.HomeRow()));
        QVERIFY(b.HomeRow() != first);

        // Clock-seeded: even two Restarts within one clock second differ.
        board::RandomSource clock;
        std::set<std::vector<int16_t>> orders;
        for (int i = 0; i < 5; ++i) {
            b.Restart(clock);
            orders.insert(b.HomeRow());
        }
        QCOMPARE(int(orders.size()), 5);
    }

    void drawsStayBelowOne() {
        board::RandomSource random(5u);
        for (int i = 0; i < 100000; ++i) {
            const float u = random.next();
            QVERIFY(u >= 0.0f && u < 1.0f);
        }
    }
};

QTEST_APPLESS_MAIN(TestBoard)
#include "tst_board.moc"
