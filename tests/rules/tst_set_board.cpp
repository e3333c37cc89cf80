// SPDX-License-Identifier: GPL-3.0-or-later
// The board of a set of compounds, without a window: its three columns, its
// column of names, its grade as a share rounded half up, formula cards made
// smaller when a column is too tall, and the keyboard's columns and count.

#include "Started.h"
#include "exercise/rules/BoardFocus.h"

#include <QTest>

using namespace rules_testing;

namespace {

// A set of `n` compounds, each formula's name its own row, cards of `rows` rows.
BoardShape setOf(int n, int rows = 1) {
    BoardShape shape;
    for (int i = 0; i < n; ++i) {
        // Names in another order than formulas, as a file's pairs may be.
        shape.correctName.push_back(int16_t(n - 1 - i));
        shape.formulaRows.push_back(rows);
    }
    return shape;
}

// Each card under its right formula for the first `right` formulas, a wrong
// one under the next.
void place(Started& s, int right) {
    const Board& b = s.b();
    for (int f = 0; f <= right && f < b.formulaCount(); ++f) {
        const int16_t correct = b.Slots()[size_t(f)].Correct;
        const int16_t name = f < right ? correct : int16_t((correct + 1) % b.nameCount());
        rules_testing::place(s.e, name, f);
    }
}

} // namespace

class TestSetBoard : public QObject {
    Q_OBJECT

private slots:
    void theFrameSplitsIntoThreeColumns_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QList<int>>("starts");
        QTest::addRow("two") << 2 << QList<int>{0, 1, 2, 2};
        QTest::addRow("eight") << 8 << QList<int>{0, 3, 6, 8};
        QTest::addRow("nineteen") << 19 << QList<int>{0, 7, 13, 19};
        QTest::addRow("twenty, as built in") << 20 << QList<int>{0, 7, 14, 20};
    }
    void theFrameSplitsIntoThreeColumns() {
        QFETCH(int, n);
        QFETCH(QList<int>, starts);
        const std::array<int, 4> got = columnStarts(n);
        QCOMPARE(QList<int>(got.begin(), got.end()), starts);
        Started s(2u, setOf(n));
        const Board& b = s.b();
        // Formulas of one column share its centre; columns go left to right.
        for (int c = 0; c < 3; ++c)
            for (int f = starts[c]; f < starts[c + 1]; ++f) {
                const TwipRect& r = b.ImgSyntactic()[size_t(f)];
                const TwipRect& first = b.ImgSyntactic()[size_t(starts[c])];
                QCOMPARE(r.Left + r.Width / 2, first.Left + first.Width / 2);
                if (f > starts[c])
                    QVERIFY(r.Top > b.ImgSyntactic()[size_t(f - 1)].bottom());
            }
        // The column of names: one row per compound, the last a gap above the bottom.
        QCOMPARE(b.nameCount(), n);
        QCOMPARE(b.cardCount(), n * n);
        const TwipRect last = b.homeRect(int16_t(n - 1));
        const TwipRect first = b.homeRect(0);
        QVERIFY(qAbs((Board::ScaleHeight - last.bottom()) -
                     (first.Top - (b.LGrade().Top + b.LGrade().Height))) < 0.1f);
    }

    void aSetIsGradedByItsShareRoundedHalfUp_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("right");
        QTest::addColumn<QString>("grade");
        QTest::addRow("3 of 8 is 37.5") << 8 << 3 << "38%";
        QTest::addRow("1 of 3 is 33.3") << 3 << 1 << "33%";
        QTest::addRow("2 of 3 is 66.7") << 3 << 2 << "67%";
        QTest::addRow("1 of 6 is 16.7") << 6 << 1 << "17%";
        QTest::addRow("1 of 8 is 12.5") << 8 << 1 << "13%";
        QTest::addRow("all of 8") << 8 << 8 << "100%";
        QTest::addRow("none of 2") << 2 << 0 << "0%";
    }
    void aSetIsGradedByItsShareRoundedHalfUp() {
        QFETCH(int, n);
        QFETCH(int, right);
        QFETCH(QString, grade);
        Started s(3u, setOf(n));
        place(s, right);
        s.e.mnuCheck_Click();
        QCOMPARE(QString::fromStdString(s.b().gradeCaption()), grade);
        // The wrong card went back; the right ones stay.
        int placed = 0;
        for (const SlotInfo& slot : s.b().Slots())
            placed += slot.Placed != NoCard ? 1 : 0;
        QCOMPARE(placed, right);
    }

    // Three-row cards: all formula cards are drawn at one smaller scale, so
    // that a placed name stays clear of the next formula. The first column's
    // seven cards of 1390 twips, each with 465 twips below for a placed name,
    // share the frame's 9795 twips less 60: (9735 - 7 x 465) / (7 x 1390),
    // 0.666. Twenty three-row cards are the tallest set there can be, and even
    // they fit above the smallest scale: no set is too tall for the frame.
    void tallCardsAreDrawnSmallerSoThatNamesStayClear() {
        Started s(2u, setOf(20, 3));
        const Board& b = s.b();
        const float scale = 6480.0f / 9730.0f;
        QVERIFY(scale > Board::MinFormulaScale);
        QCOMPARE(Board::columnTooTall(setOf(20, 3)), 0);
        for (int f = 0; f < b.formulaCount(); ++f)
            QVERIFY2(qAbs(b.ImgSyntactic()[size_t(f)].Height - 1390.0f * scale) < 0.5f,
                     qPrintable(QString::number(b.ImgSyntactic()[size_t(f)].Height)));
        for (int f = 0; f < 19; ++f) {
            const int16_t name = b.Slots()[size_t(f)].Correct;
            rules_testing::place(s.e, name, f);
            const TwipRect& card = b.ImgName()[size_t(b.Slots()[size_t(f)].Placed)];
            if (columnStarts(20)[1] == f + 1 || columnStarts(20)[2] == f + 1)
                continue;
            QVERIFY2(card.bottom() < b.ImgSyntactic()[size_t(f + 1)].Top,
                     qPrintable(QString::number(f)));
        }
        // One-row cards need no shrinking.
        QCOMPARE(Board::formulaScale(setOf(20, 1)), 1.0f);
    }

    // The keyboard walks the set's own columns, and an empty third column is
    // passed on the way to the names.
    void theKeyboardWalksTheSetsColumns() {
        Started s(2u, setOf(2));
        QCOMPARE(itemsOf(s.b(), Zone::Column).size(), std::size_t(2));
        QCOMPARE(itemsOf(s.b(), Zone::Formulas).size(), std::size_t(2));
        const FocusItem second{FocusItem::Formula, 1};
        const FocusItem right = step(s.b(), second, Step::Right);
        QCOMPARE(right.kind, FocusItem::NameRow);
        QVERIFY(!exists(s.b(), {FocusItem::NameRow, 2}));
        QVERIFY(!exists(s.b(), {FocusItem::Formula, 2}));
    }
};

QTEST_MAIN(TestSetBoard)
#include "tst_set_board.moc"
