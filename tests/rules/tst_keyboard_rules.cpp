// SPDX-License-Identifier: GPL-3.0-or-later
// The board by keyboard on the rules alone: where the keyboard stands and how
// it steps, picking a name up and placing it, letting it go, taking back and
// asking for an explanation. Placing and taking back by key must end exactly
// as the matching mouse gesture does.

#include "Started.h"

#include <QTest>

using namespace rules_testing;

namespace {

class Keys {
public:
    explicit Keys(Exercise& e) : e_(e) {}
    void press(Key key) { e_.key(key); }
    FocusItem at() const { return e_.focusItem(); }
    // Shows the ring (the first Tab) and puts the keyboard in the column.
    void toColumn() {
        if (!e_.focusRingShown())
            press(Key::Tab);
        if (at().kind != FocusItem::NameRow)
            press(Key::Tab);
    }
    void toName(int16_t name) {
        toColumn();
        press(Key::Home);
        for (int i = 0; i < e_.board().HomeRow()[size_t(name)]; ++i)
            press(Key::Down);
    }
    // Down the columns of formulas, one column to the right when needed.
    void toItem(FocusItem target) {
        toColumn();
        press(Key::Tab);
        press(Key::Home);
        for (int guard = 0; guard < 80 && at() != target; ++guard) {
            const int here = at().index / 7, there = target.index / 7;
            press(here < there ? Key::Right : Key::Down);
            if (here < there)
                while (at().index % 7 != 0 && at() != target)
                    press(Key::Up);
        }
    }

private:
    Exercise& e_;
};

// Everything a gesture can change on the board.
void compareBoards(const Board& a, const Board& b) {
    for (int f = 0; f < FormulaCount; ++f)
        QCOMPARE(a.Slots()[size_t(f)].Placed, b.Slots()[size_t(f)].Placed);
    QCOMPARE(a.ImgName(), b.ImgName());
    QCOMPARE(a.frontToBack(), b.frontToBack());
    QCOMPARE(a.DragIndex(), b.DragIndex());
    QCOMPARE(a.gradeVisible(), b.gradeVisible());
    QCOMPARE(a.gradeCaption(), b.gradeCaption());
    QCOMPARE(a.dragging(), b.dragging());
}

} // namespace

class TestKeyboardRules : public QObject {
    Q_OBJECT

private slots:
    void theKeyboardWalksTheBoardInReadingOrder() {
        Started s;
        Keys k(s.e);
        place(s.e, 0, 5);
        QVERIFY(!s.e.focusRingShown());
        k.press(Key::Tab); // the first Tab only shows where the keyboard is
        QVERIFY(s.e.focusRingShown());
        QCOMPARE(k.at(), (FocusItem{FocusItem::NameRow, 0}));
        for (int i = 0; i < 25; ++i)
            k.press(Key::Down);
        QCOMPARE(k.at(), (FocusItem{FocusItem::NameRow, 19}));
        k.press(Key::Tab);
        QCOMPARE(k.at(), (FocusItem{FocusItem::Formula, 0}));
        // Down the first column: the placed card follows its formula.
        QList<FocusItem> first{k.at()};
        for (int i = 0; i < 8; ++i) {
            k.press(Key::Down);
            if (first.back() != k.at())
                first << k.at();
        }
        QList<FocusItem> expected;
        for (int16_t f = 0; f <= 6; ++f) {
            expected << FocusItem{FocusItem::Formula, f};
            if (f == 5)
                expected << FocusItem{FocusItem::PlacedCard, 5};
        }
        QCOMPARE(first, expected);
        // Across columns the formulas are the landmarks, at the nearest height.
        k.press(Key::Right);
        QCOMPARE(k.at(), (FocusItem{FocusItem::Formula, 13}));
        k.press(Key::Right);
        QCOMPARE(k.at().kind, FocusItem::Formula);
        QVERIFY(k.at().index >= 14);
        k.press(Key::Right);
        QCOMPARE(k.at().kind, FocusItem::NameRow);
        QVERIFY(k.at().index >= 15); // the lower part of the column
        k.press(Key::Right);
        QCOMPARE(k.at().kind, FocusItem::NameRow);
        k.press(Key::Tab);
        QCOMPARE(k.at().kind, FocusItem::Formula); // back where it left the formulas
        QVERIFY(k.at().index >= 14);
        k.press(Key::End);
        QCOMPARE(k.at(), (FocusItem{FocusItem::Formula, 19}));
        // The whole order, as a screen reader walks it.
        const std::vector<FocusItem> all = allItems(s.b());
        QCOMPARE(all.size(), size_t(41));
        QCOMPARE(all[19], (FocusItem{FocusItem::NameRow, 19}));
        QCOMPARE(all[20], (FocusItem{FocusItem::Formula, 0}));
        QCOMPARE(all[26], (FocusItem{FocusItem::PlacedCard, 5}));
        QCOMPARE(all[40], (FocusItem{FocusItem::Formula, 19}));
    }

    // Each row: a card of `name` goes to `formula` after some earlier
    // placements, by a drag in one exercise and by keys in its twin.
    void placingByKeyEndsLikeADrop_data() {
        QTest::addColumn<QList<int>>("before"); // pairs: name, formula
        QTest::addColumn<bool>("checkFirst");
        QTest::addColumn<int>("name");
        QTest::addColumn<int>("formula");
        QTest::addColumn<bool>("onThePlacedCard");
        QTest::addRow("empty formula") << QList<int>{} << false << 4 << 2 << false;
        QTest::addRow("occupied formula sends its card home")
            << QList<int>{11, 2} << false << 4 << 2 << false;
        QTest::addRow("Enter on the card under the formula")
            << QList<int>{11, 2} << false << 4 << 2 << true;
        QTest::addRow("second copy of one name") << QList<int>{4, 2} << false << 4 << 15 << false;
        QTest::addRow("last column, grade hidden")
            << QList<int>{7, 19} << true << 13 << 19 << false;
    }
    void placingByKeyEndsLikeADrop() {
        QFETCH(QList<int>, before);
        QFETCH(bool, checkFirst);
        QFETCH(int, name);
        QFETCH(int, formula);
        QFETCH(bool, onThePlacedCard);
        Started byMouse, byKeys;
        for (Started* s : {&byMouse, &byKeys}) {
            for (int i = 0; i + 1 < before.size(); i += 2)
                place(s->e, int16_t(before[i]), before[i + 1]);
            if (checkFirst)
                s->e.mnuCheck_Click();
        }
        place(byMouse.e, int16_t(name), formula);
        Keys k(byKeys.e);
        k.toName(int16_t(name));
        k.press(Key::Activate);
        QCOMPARE(byKeys.e.selectedName(), int16_t(name));
        QVERIFY(!byKeys.b().dragging());
        const FocusItem target{onThePlacedCard ? FocusItem::PlacedCard : FocusItem::Formula,
                               int16_t(formula)};
        k.toItem(target);
        QCOMPARE(k.at(), target);
        byKeys.e.takeChanges();
        k.press(Key::Activate);
        QCOMPARE(byKeys.e.selectedName(), NoCard);
        compareBoards(byKeys.b(), byMouse.b());
        // The keyboard follows the name to the card under the formula.
        QCOMPARE(k.at(), (FocusItem{FocusItem::PlacedCard, int16_t(formula)}));
        QVERIFY(byKeys.e.takeChanges().has(Happening::FocusMoved));
    }

    void takingBackByKeyEndsLikeADoubleClick_data() {
        QTest::addColumn<bool>("onTheCard"); // or on the formula it lies under
        QTest::addRow("on the placed card") << true;
        QTest::addRow("on its formula") << false;
    }
    void takingBackByKeyEndsLikeADoubleClick() {
        QFETCH(bool, onTheCard);
        Started byMouse, byKeys;
        for (Started* s : {&byMouse, &byKeys}) {
            place(s->e, 3, 9);
            place(s->e, 5, 10);
            s->e.mnuCheck_Click();
            place(s->e, 3, 9);
        }
        const auto [x, y] = cardMiddle(byMouse.b(), byMouse.b().Slots()[9].Placed);
        byMouse.e.doubleClick(x, y);
        Keys k(byKeys.e);
        k.toItem({onTheCard ? FocusItem::PlacedCard : FocusItem::Formula, 9});
        byKeys.e.takeChanges();
        k.press(Key::TakeBack);
        compareBoards(byKeys.b(), byMouse.b());
        // The keyboard comes to, or stays on, the formula the card has left.
        QCOMPARE(k.at(), (FocusItem{FocusItem::Formula, 9}));
        QCOMPARE(byKeys.e.takeChanges().has(Happening::FocusMoved), onTheCard);
    }

    void escapeLetsGoAndEnterWithNothingPickedUpPlacesNothing() {
        Started s;
        Keys k(s.e);
        const Board start = s.b();
        k.toName(6);
        k.press(Key::Activate);
        QCOMPARE(s.e.selectedName(), int16_t(6));
        QVERIFY(s.e.key(Key::Escape));
        QCOMPARE(s.e.selectedName(), NoCard);
        // With nothing picked up Escape belongs to the window.
        QVERIFY(!s.e.key(Key::Escape));
        k.toItem({FocusItem::Formula, 3});
        s.e.takeChanges();
        k.press(Key::Activate);
        const Changes c = s.e.takeChanges();
        QCOMPARE(c.happened.front(), (Happening{.kind = Happening::NothingToPlace, .formula = 3}));
        compareBoards(s.b(), start);
    }

    void theMenuKeyExplainsTheCardTheKeyboardIsOn_data() {
        QTest::addColumn<bool>("placed");
        QTest::addRow("name in the column") << false;
        QTest::addRow("placed card") << true;
    }
    void theMenuKeyExplainsTheCardTheKeyboardIsOn() {
        QFETCH(bool, placed);
        Started s;
        Keys k(s.e);
        const int16_t card = placed ? place(s.e, 17, 4) : s.b().frontCardAtHome(17);
        if (placed)
            k.toItem({FocusItem::PlacedCard, 4});
        else
            k.toName(17);
        const Board before = s.b();
        s.e.takeChanges();
        k.press(Key::Explain);
        const Changes c = s.e.takeChanges();
        QVERIFY(c.has(Happening::ExplainAsked));
        QCOMPARE(c.happened.front(),
                 (Happening{.kind = Happening::ExplainAsked, .card = card, .name = 17}));
        compareBoards(s.b(), before);
    }

    void keysWaitWhileACardIsDragged() {
        Started s;
        const auto [x, y] = cardMiddle(s.b(), s.b().frontCardAtHome(1));
        s.e.press(x, y, Button::Left, false);
        for (const Key key : {Key::Tab, Key::Down, Key::Activate, Key::TakeBack, Key::Explain})
            QVERIFY(!s.e.key(key));
        QVERIFY(s.b().dragging());
    }
};

QTEST_APPLESS_MAIN(TestKeyboardRules)
#include "tst_keyboard_rules.moc"
