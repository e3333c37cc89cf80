// The board without a mouse drag: the keyboard, a click on a name and then on
// a formula, and a finger. Each path runs through Qt's own event delivery on
// the offscreen platform and must leave the model exactly as the matching
// mouse gesture leaves it in a twin window started with the same shuffle.

#include "content/Fonts.h"
#include "exercise/rules/BoardFocus.h"
#include "exercise/BoardView.h"
#include "exercise/Form1.h"
#include "exercise/rules/RandomSource.h"
#include "explain/Form2.h"
#include "shared/Module1.h"
#include "support/RealWindow.h"

#include <QAction>
#include <QLabel>
#include <QPointingDevice>
#include <QTest>
#include <QTimer>
#include <QWindow>

using board::FocusItem;
using board::NoCard;

namespace {

using testing_support::Pointer;

std::unique_ptr<Form1> makeWindow() {
    return testing_support::makeWindow(42u, testing_support::Activation::Active);
}

// One touch screen for the whole run: devices registered with Qt live as long
// as the application.
QPointingDevice* touchScreen() {
    static QPointingDevice* device =
        QTest::createTouchDevice(QInputDevice::DeviceType::TouchScreen);
    return device;
}

// The keyboard, through the window as a real key press would come.
class Keys {
public:
    explicit Keys(Form1& w) : w_(w) {}
    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(w_.windowHandle(), Qt::Key(key), mods);
    }
    FocusItem at() const { return w_.boardView()->focusItem(); }
    // Shows the ring (the first Tab) and puts the keyboard in the column.
    void toColumn() {
        if (!w_.boardView()->focusRingShown())
            press(Qt::Key_Tab);
        if (at().kind != FocusItem::NameRow)
            press(Qt::Key_Tab);
    }
    void toFormulas() {
        toColumn();
        press(Qt::Key_Tab);
    }
    void toName(int16_t name) {
        toColumn();
        press(Qt::Key_Home);
        const int16_t row = w_.board().HomeRow[name];
        for (int i = 0; i < row; ++i)
            press(Qt::Key_Down);
    }
    // Down the columns of formulas, one column to the right when needed.
    void toItem(FocusItem target) {
        toFormulas();
        press(Qt::Key_Home);
        for (int guard = 0; guard < 80 && at() != target; ++guard) {
            const int here = at().index / 7, there = target.index / 7;
            press(here < there ? Qt::Key_Right : Qt::Key_Down);
            if (here < there)
                while (at().index % 7 != 0 && at() != target)
                    press(Qt::Key_Up);
        }
    }
    void toFormula(int16_t f) { toItem({FocusItem::Formula, f}); }

private:
    Form1& w_;
};

// Records the explanations that open, and closes each at once.
class ExplanationWatch : public QObject {
public:
    ExplanationWatch() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto* f = qobject_cast<Form2*>(QApplication::activeModalWidget())) {
                opened << Module1::ExplainIndex;
                f->close();
            }
        });
        timer_.start(5);
    }
    QList<int> opened;

private:
    QTimer timer_;
};

// Everything a gesture can change on the board.
void compareBoards(const board::Board& a, const board::Board& b) {
    for (int f = 0; f < board::FormulaCount; ++f)
        QCOMPARE(a.Slots[f].Placed, b.Slots[f].Placed);
    for (int16_t c = 0; c < board::CardCount; ++c)
        QCOMPARE(a.ImgName[c], b.ImgName[c]);
    QCOMPARE(a.frontToBack, b.frontToBack);
    QCOMPARE(a.DragIndex, b.DragIndex);
    QCOMPARE(a.gradeVisible, b.gradeVisible);
    QCOMPARE(a.gradeCaption, b.gradeCaption);
    QCOMPARE(a.dragging(), b.dragging());
}

enum class Way { Keyboard, Clicks, Touch };

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { content::registerBundledFonts(); }

    // Each row: a card of `name` goes to `formula` after some earlier mouse
    // placements, first by a mouse drag in one window, then by another way in
    // its twin.
    void placingWithoutDraggingEndsLikeADrop_data() {
        QTest::addColumn<int>("way");
        QTest::addColumn<QList<int>>("before"); // pairs: name, formula, by mouse
        QTest::addColumn<bool>("checkFirst");
        QTest::addColumn<int>("name");
        QTest::addColumn<int>("formula");
        const QList<Way> ways{Way::Keyboard, Way::Clicks, Way::Touch};
        const char* wayNames[] = {"keyboard", "clicks", "touch"};
        for (const Way way : ways) {
            const char* n = wayNames[int(way)];
            QTest::addRow("%s: empty formula", n) << int(way) << QList<int>{} << false << 4 << 2;
            QTest::addRow("%s: occupied formula sends its card home", n)
                << int(way) << QList<int>{11, 2} << false << 4 << 2;
            QTest::addRow("%s: second copy of one name", n)
                << int(way) << QList<int>{4, 2} << false << 4 << 15;
            QTest::addRow("%s: last column, grade hidden", n)
                << int(way) << QList<int>{7, 19} << true << 13 << 19;
        }
    }
    void placingWithoutDraggingEndsLikeADrop() {
        QFETCH(int, way);
        QFETCH(QList<int>, before);
        QFETCH(bool, checkFirst);
        QFETCH(int, name);
        QFETCH(int, formula);
        auto byMouse = makeWindow();
        QVERIFY(byMouse);
        Pointer m(*byMouse);
        for (int i = 0; i + 1 < before.size(); i += 2)
            m.drag(m.onName(int16_t(before[i])), m.onFormula(before[i + 1]));
        if (checkFirst)
            byMouse->mnuCheck_Click();
        m.drag(m.onName(int16_t(name)), m.onFormula(formula));
        QCOMPARE(byMouse->board().Slots[formula].Placed % 20, name);
        const board::Board expected = byMouse->board();
        byMouse.reset();

        auto w = makeWindow();
        QVERIFY(w);
        Pointer p(*w);
        for (int i = 0; i + 1 < before.size(); i += 2)
            p.drag(p.onName(int16_t(before[i])), p.onFormula(before[i + 1]));
        if (checkFirst) {
            w->mnuCheck_Click();
            QVERIFY(w->gradeLabel()->isVisible());
        }
        switch (Way(way)) {
        case Way::Keyboard: {
            Keys k(*w);
            QVERIFY(w->boardView()->hasFocus());
            k.toName(int16_t(name));
            QCOMPARE(k.at(), (FocusItem{FocusItem::NameRow, w->board().HomeRow[name]}));
            k.press(Qt::Key_Space);
            QCOMPARE(w->boardView()->selectedName(), int16_t(name));
            QVERIFY(!w->board().dragging());
            k.toFormula(int16_t(formula));
            QCOMPARE(k.at(), (FocusItem{FocusItem::Formula, int16_t(formula)}));
            k.press(Qt::Key_Return);
            break;
        }
        case Way::Clicks:
            p.click(p.onName(int16_t(name)));
            QCOMPARE(w->boardView()->selectedName(), int16_t(name));
            QVERIFY(!w->board().dragging());
            p.click(p.onFormula(formula));
            break;
        case Way::Touch: {
            // A finger drag, turned into mouse events by Qt.
            QPointingDevice* screen = touchScreen();
            const QPoint from = p.onName(int16_t(name)), to = p.onFormula(formula);
            QTest::touchEvent(w->windowHandle(), screen).press(0, from);
            QVERIFY(w->board().dragging());
            for (int i = 1; i <= 4; ++i)
                QTest::touchEvent(w->windowHandle(), screen).move(0, from + (to - from) * i / 4);
            QTest::touchEvent(w->windowHandle(), screen).release(0, to);
            break;
        }
        }
        QCOMPARE(w->boardView()->selectedName(), NoCard);
        compareBoards(w->board(), expected);
        QVERIFY(w->gradeLabel()->isHidden());
    }

    void takingBackByKeyEndsLikeADoubleClick_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("onTheCard"); // or on the formula it lies under
        QTest::addRow("Delete on the placed card") << int(Qt::Key_Delete) << true;
        QTest::addRow("Backspace on the placed card") << int(Qt::Key_Backspace) << true;
        QTest::addRow("Delete on its formula") << int(Qt::Key_Delete) << false;
    }
    void takingBackByKeyEndsLikeADoubleClick() {
        QFETCH(int, key);
        QFETCH(bool, onTheCard);
        const auto setUp = [](Form1& w) {
            Pointer p(w);
            p.drag(p.onName(3), p.onFormula(9));
            p.drag(p.onName(5), p.onFormula(10));
            w.mnuCheck_Click();
        };
        auto byMouse = makeWindow();
        QVERIFY(byMouse);
        setUp(*byMouse);
        const int16_t card = byMouse->board().Slots[9].Placed;
        if (card == NoCard) // Check found it wrong and sent it home: place it again.
            Pointer(*byMouse).drag(Pointer(*byMouse).onName(3), Pointer(*byMouse).onFormula(9));
        Pointer(*byMouse).doubleClick(Pointer(*byMouse).onCard(byMouse->board().Slots[9].Placed));
        const board::Board expected = byMouse->board();
        byMouse.reset();

        auto w = makeWindow();
        QVERIFY(w);
        setUp(*w);
        if (w->board().Slots[9].Placed == NoCard)
            Pointer(*w).drag(Pointer(*w).onName(3), Pointer(*w).onFormula(9));
        Keys k(*w);
        const FocusItem cardItem{FocusItem::PlacedCard, 9};
        k.toItem(onTheCard ? cardItem : FocusItem{FocusItem::Formula, 9});
        QCOMPARE(k.at(), (onTheCard ? cardItem : FocusItem{FocusItem::Formula, 9}));
        k.press(key);
        compareBoards(w->board(), expected);
        // The keyboard stays on the formula the card has left.
        QCOMPARE(k.at(), (FocusItem{FocusItem::Formula, 9}));
    }

    void escapeAndAClickElsewhereLetThePickedNameGo_data() {
        QTest::addColumn<bool>("byKey");
        QTest::addRow("Escape") << true;
        QTest::addRow("click on bare window") << false;
    }
    void escapeAndAClickElsewhereLetThePickedNameGo() {
        QFETCH(bool, byKey);
        auto w = makeWindow();
        QVERIFY(w);
        Keys k(*w);
        Pointer p(*w);
        const board::Board start = w->board();
        if (byKey) {
            k.toName(6);
            k.press(Qt::Key_Enter);
        } else {
            p.click(p.onName(6));
        }
        QCOMPARE(w->boardView()->selectedName(), int16_t(6));
        if (byKey)
            k.press(Qt::Key_Escape);
        else
            p.click(p.atTwips(3700, 5000)); // inside the frame, between formulas
        QCOMPARE(w->boardView()->selectedName(), NoCard);
        if (byKey) {
            k.toFormula(3);
            k.press(Qt::Key_Return);
        } else {
            p.click(p.onFormula(3));
        }
        QCOMPARE(w->board().Slots[3].Placed, NoCard);
        for (int16_t c = 0; c < board::CardCount; ++c)
            QCOMPARE(w->board().ImgName[c], start.ImgName[c]);
    }

    void aDragAfterAClickStillFollowsTheMouseRules() {
        auto w = makeWindow();
        QVERIFY(w);
        Pointer p(*w);
        p.click(p.onName(6));
        QCOMPARE(w->boardView()->selectedName(), int16_t(6));
        // A real drag of another name: the picked name is let go, the dragged
        // card lands where it is dropped.
        const int16_t card = w->board().frontCardAtHome(8);
        p.drag(p.onCard(card), p.onFormula(12));
        QCOMPARE(w->board().Slots[12].Placed, card);
        QCOMPARE(w->boardView()->selectedName(), NoCard);
        // A click on a formula with nothing picked up does nothing.
        p.click(p.onFormula(13));
        QCOMPARE(w->board().Slots[13].Placed, NoCard);
    }

    void menuKeyAndLongPressExplainTheCard_data() {
        QTest::addColumn<int>("how"); // 0 Menu key, 1 Shift+F10, 2 long press
        QTest::addColumn<bool>("placed");
        QTest::addRow("Menu key on a name in the column") << 0 << false;
        QTest::addRow("Shift+F10 on a placed card") << 1 << true;
        QTest::addRow("long press on a name in the column") << 2 << false;
        QTest::addRow("long press on a placed card") << 2 << true;
    }
    void menuKeyAndLongPressExplainTheCard() {
        QFETCH(int, how);
        QFETCH(bool, placed);
        auto w = makeWindow();
        QVERIFY(w);
        Pointer p(*w);
        Keys k(*w);
        const int16_t name = 17;
        if (placed)
            p.drag(p.onName(name), p.onFormula(4));
        const int16_t card = placed ? w->board().Slots[4].Placed : w->board().frontCardAtHome(name);
        const board::Board before = w->board();
        Module1::ExplainIndex = 0;
        ExplanationWatch watch;
        if (how == 2) {
            QPointingDevice* screen = touchScreen();
            QTest::touchEvent(w->windowHandle(), screen).press(0, p.onCard(card));
            QTRY_COMPARE_WITH_TIMEOUT(watch.opened.size(), 1, 5000);
            QTest::touchEvent(w->windowHandle(), screen).release(0, p.onCard(card));
        } else {
            if (placed)
                k.toItem({FocusItem::PlacedCard, 4});
            else
                k.toName(name);
            if (how == 0)
                k.press(Qt::Key_Menu);
            else
                k.press(Qt::Key_F10, Qt::ShiftModifier);
            QTRY_COMPARE(watch.opened.size(), 1);
        }
        QCOMPARE(watch.opened, QList<int>{name});
        QVERIFY(!w->board().dragging());
        QCOMPARE(w->boardView()->selectedName(), NoCard);
        for (int f = 0; f < board::FormulaCount; ++f)
            QCOMPARE(w->board().Slots[f].Placed, before.Slots[f].Placed);
        QCOMPARE(w->board().ImgName[card], before.ImgName[card]);
    }

    void aQuickTapIsAClickNotALongPress() {
        auto w = makeWindow();
        QVERIFY(w);
        Pointer p(*w);
        ExplanationWatch watch;
        QPointingDevice* screen = touchScreen();
        QTest::touchEvent(w->windowHandle(), screen).press(0, p.onName(2));
        QTest::touchEvent(w->windowHandle(), screen).release(0, p.onName(2));
        QCOMPARE(w->boardView()->selectedName(), int16_t(2));
        QTest::qWait(BoardView::LongPressMs + 200);
        QVERIFY(watch.opened.isEmpty());
    }

    void theKeyboardWalksTheBoardInReadingOrder() {
        auto w = makeWindow();
        QVERIFY(w);
        Keys k(*w);
        Pointer p(*w);
        p.drag(p.onName(0), p.onFormula(5));
        QVERIFY(!w->boardView()->focusRingShown());
        k.press(Qt::Key_Tab); // the first Tab only shows where the keyboard is
        QVERIFY(w->boardView()->focusRingShown());
        QCOMPARE(k.at(), (FocusItem{FocusItem::NameRow, 0}));
        QList<FocusItem> column{k.at()};
        for (int i = 0; i < 20; ++i) {
            k.press(Qt::Key_Down);
            if (column.back() != k.at())
                column << k.at();
        }
        QCOMPARE(column.size(), 20);
        QCOMPARE(column.back(), (FocusItem{FocusItem::NameRow, 19}));
        k.press(Qt::Key_Tab);
        QCOMPARE(k.at(), (FocusItem{FocusItem::Formula, 0}));
        // Down the first column: the placed card follows its formula.
        QList<FocusItem> first{k.at()};
        for (int i = 0; i < 8; ++i) {
            k.press(Qt::Key_Down);
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
        k.press(Qt::Key_Right);
        QCOMPARE(k.at(), (FocusItem{FocusItem::Formula, 13}));
        k.press(Qt::Key_Right);
        QCOMPARE(k.at().kind, FocusItem::Formula);
        QVERIFY(k.at().index >= 14);
        k.press(Qt::Key_Right);
        QCOMPARE(k.at().kind, FocusItem::NameRow);
        QVERIFY(k.at().index >= 15); // the lower part of the column
        k.press(Qt::Key_Backtab);
        QCOMPARE(k.at().kind, FocusItem::Formula); // back where it left the formulas
        QVERIFY(k.at().index >= 14);
        k.press(Qt::Key_End);
        QCOMPARE(k.at(), (FocusItem{FocusItem::Formula, 19}));
        // The whole order, as a screen reader walks it.
        const std::vector<FocusItem> all = board::allItems(w->board());
        QCOMPARE(all.size(), size_t(41));
        QCOMPARE(all[19], (FocusItem{FocusItem::NameRow, 19}));
        QCOMPARE(all[20], (FocusItem{FocusItem::Formula, 0}));
        QCOMPARE(all[26], (FocusItem{FocusItem::PlacedCard, 5}));
        QCOMPARE(all[40], (FocusItem{FocusItem::Formula, 19}));
    }

    // The ring is painted by the board: black and white around the item, where
    // nothing was drawn before; a pointer press hides it again.
    void theFocusedItemShowsARingThePointerHidesIt_data() {
        QTest::addColumn<bool>("formula");
        QTest::addRow("name in the column") << false;
        QTest::addRow("formula") << true;
    }
    void theFocusedItemShowsARingThePointerHidesIt() {
        QFETCH(bool, formula);
        auto w = makeWindow();
        QVERIFY(w);
        Keys k(*w);
        BoardView* view = w->boardView();
        const QImage before = view->grab().toImage();
        if (formula)
            k.toFormula(8);
        else
            k.toName(9);
        QVERIFY(view->focusRingShown());
        const QRect item = view->itemRect(k.at());
        const QImage with = view->grab().toImage();
        // Along the ring, just outside the item, pixels changed to black or
        // white above and below it (white dashes on the white page do not
        // count as a change: at least a quarter of the samples).
        int changed = 0;
        for (int x = item.left(); x <= item.right(); x += 7)
            for (int y : {item.top() - 5, item.bottom() + 5}) {
                const QRgb c = with.pixel(x, y);
                if (c != before.pixel(x, y) && (qGray(c) < 40 || qGray(c) > 220))
                    ++changed;
            }
        QVERIFY2(changed >= item.width() / 14, qPrintable(QString::number(changed)));
        // Nothing inside the item changed: the card itself looks as ever.
        QCOMPARE(with.copy(item.adjusted(2, 2, -2, -2)), before.copy(item.adjusted(2, 2, -2, -2)));
        // A picked-up name is drawn lifted, and it stays so when the ring moves on.
        if (!formula) {
            k.press(Qt::Key_Space);
            k.press(Qt::Key_Down);
            const QImage lifted = view->grab().toImage();
            QVERIFY(lifted.copy(item.adjusted(-6, -6, 6, 6)) !=
                    with.copy(item.adjusted(-6, -6, 6, 6)));
            k.press(Qt::Key_Escape);
        }
        Pointer p(*w);
        p.click(p.atTwips(3700, 5000));
        QVERIFY(!view->focusRingShown());
        QCOMPARE(view->grab().toImage(), before);
    }

    // The student's whole exercise by keyboard alone: every name to its
    // formula, then Check through the menu bar (Alt), and the grade is 100%.
    void aWholeExerciseByKeyboardAlone() {
        auto w = makeWindow();
        QVERIFY(w);
        Keys k(*w);
        for (int16_t f = 0; f < board::FormulaCount; ++f) {
            k.toName(content::CorrectNameForFormula[f]);
            k.press(Qt::Key_Space);
            k.toFormula(f);
            k.press(Qt::Key_Return);
            QCOMPARE(w->board().Slots[f].Placed % 20, content::CorrectNameForFormula[f]);
        }
        QVERIFY(w->gradeLabel()->isHidden());
        // Alt opens the menu bar on its first item; Right, Enter: Check.
        k.press(Qt::Key_Alt);
        k.press(Qt::Key_Right);
        k.press(Qt::Key_Return);
        QTRY_VERIFY(w->gradeLabel()->isVisible());
        QCOMPARE(w->gradeLabel()->text(), QStringLiteral("100%"));
        QVERIFY(w->boardView()->hasFocus());
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
