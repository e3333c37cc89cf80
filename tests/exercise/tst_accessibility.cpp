// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds on the exercise window and what it hears: the
// board's children (the rows of names, the formulas, the placed cards, the
// grade), their names, descriptions, roles, states and places, and the focus
// events through which every step of the exercise reaches a reader that
// follows only the focus.

#include "app/ModalCloser.h"
#include "content/CardPictures.h"
#include "content/Fonts.h"
#include "content/SpokenText.h"
#include "exercise/BoardAccessible.h"
#include "exercise/BoardHints.h"
#include "exercise/BoardView.h"
#include "exercise/Form1.h"
#include "exercise/rules/BoardFocus.h"
#include "exercise/rules/RandomSource.h"
#include "support/RealWindow.h"

#include <QAccessible>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QWindow>

using board::FocusItem;
using board::NoCard;
using testing_support::Keys;

namespace {

std::unique_ptr<Form1> makeWindow() {
    return testing_support::makeWindow(7u, testing_support::Activation::Active);
}

void dragName(Form1& w, int16_t name, int formula) {
    testing_support::Pointer p(w);
    p.drag(p.onName(name), p.onFormula(formula));
}

int indexOf(Form1& w, FocusItem item) {
    const std::vector<FocusItem> all = board::allItems(w.board());
    const auto it = std::find(all.begin(), all.end(), item);
    return it == all.end() ? -1 : int(it - all.begin());
}

QAccessibleInterface* childFor(Form1& w, FocusItem item) {
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(w.boardView());
    const int index = indexOf(w, item);
    return board && index >= 0 ? board->child(index) : nullptr;
}

// Events a screen reader would get, kept while the test looks.
struct Heard {
    struct Event {
        QAccessible::Event type;
        QObject* object;
        int child;
        QAccessible::State changed;
    };
    static inline QList<Event> events;
    static void handler(const QAccessibleEvent& e) {
        QAccessible::State changed;
        if (e.type() == QAccessible::StateChanged)
            changed = static_cast<const QAccessibleStateChangeEvent&>(e).changedStates();
        events.append({e.type(), e.object(), e.child(), changed});
    }
    // The child of the board that the last focus event named; -1 for none.
    static int lastFocus(const Form1& w) {
        for (auto it = events.crbegin(); it != events.crend(); ++it)
            if (it->type == QAccessible::Focus && it->object == w.boardView())
                return it->child;
        return -1;
    }
};

// The name of the keyboard's item as the last focus event gave it to a
// reader, and whether it is the item itself.
void verifyFocusNamesTheKeyboardsItem(Form1& w) {
    const FocusItem item = w.exercise().focusItem();
    QTRY_COMPARE(Heard::lastFocus(w), indexOf(w, item));
    QAccessibleInterface* iface = childFor(w, item);
    QVERIFY(iface && iface->state().focused);
    QCOMPARE(iface->text(QAccessible::Name), accessibleItemName(w.board(), item));
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        content::registerBundledFonts();
        // Offscreen, Qt has no bridge to a screen reader and drops every event
        // before an update handler could see it; the board's own outlet is
        // watched instead.
        watchAnnouncements(&Heard::handler);
    }
    void init() { Heard::events.clear(); }

    void theBoardHasAChildForEveryRowFormulaPlacedCardAndTheGrade() {
        auto w = makeWindow();
        QVERIFY(w);
        QAccessibleInterface* board = QAccessible::queryAccessibleInterface(w->boardView());
        QVERIFY(board);
        QCOMPARE(board->childCount(), 20 + 20 + 1);
        dragName(*w, 3, 12);
        QCOMPARE(board->childCount(), 20 + 20 + 1 + 1);
        QAccessibleInterface* grade = board->child(41);
        QVERIFY(grade);
        QCOMPARE(grade->object(), w->gradeLabel());
        QCOMPARE(board->indexOfChild(grade), 41);
        QAccessibleInterface* placed = childFor(*w, {FocusItem::PlacedCard, 12});
        QCOMPARE(board->indexOfChild(placed), 20 + 13);
        QCOMPARE(placed->parent(), board);
        // The same item is the same object every time a reader comes back.
        QCOMPARE(childFor(*w, {FocusItem::PlacedCard, 12}), placed);
    }

    // The name says what the card is (and where it lies), the description how
    // the formula sounds, bonds included, and the item's place among twenty.
    void namesAndDescriptionsSayWhatAnItemIsAndWhereItLies_data() {
        QTest::addColumn<int>("kind");
        QTest::addRow("name in the column") << int(FocusItem::NameRow);
        QTest::addRow("card under a formula") << int(FocusItem::PlacedCard);
        QTest::addRow("formula") << int(FocusItem::Formula);
    }
    void namesAndDescriptionsSayWhatAnItemIsAndWhereItLies() {
        QFETCH(int, kind);
        auto w = makeWindow();
        QVERIFY(w);
        const int16_t name = 9, formula = 4;
        dragName(*w, name, formula);
        FocusItem item{FocusItem::Kind(kind), formula};
        const QString nameWords = content::spokenForm(content::nameText(name));
        const QString formulaWords = content::formulaSpokenText(formula);
        QString expected;
        switch (item.kind) {
        case FocusItem::NameRow:
            item.index = w->board().HomeRow()[name];
            expected = nameWords;
            break;
        case FocusItem::PlacedCard:
            expected = nameWords + QStringLiteral(u", κάτω από τον τύπο ") +
                       content::formulaPlainText(formula);
            break;
        case FocusItem::Formula:
            expected = content::formulaPlainText(formula);
            break;
        }
        QAccessibleInterface* iface = childFor(*w, item);
        QVERIFY(iface && iface->isValid());
        QCOMPARE(iface->text(QAccessible::Name), expected);
        const QString description = iface->text(QAccessible::Description);
        QVERIFY2(description.endsWith(boardWords::place(item)), qPrintable(description));
        QCOMPARE(description.contains(formulaWords), item.kind != FocusItem::NameRow);
        QCOMPARE(iface->role(), QAccessible::Button);
        QVERIFY(iface->state().focusable);
        const QRect r = w->boardView()->itemRect(item);
        QCOMPARE(iface->rect(), QRect(w->boardView()->mapToGlobal(r.topLeft()), r.size()));
        // The reader's pointer finds the same child at the item's middle.
        const QPoint middle = iface->rect().center();
        QCOMPARE(
            QAccessible::queryAccessibleInterface(w->boardView())->childAt(middle.x(), middle.y()),
            iface);
        qInfo().noquote() << "read out:" << expected << "/" << description;
    }

    void aPlacedCardThatGoesHomeIsNoLongerThere() {
        auto w = makeWindow();
        QVERIFY(w);
        dragName(*w, 2, 7);
        QAccessibleInterface* placed = childFor(*w, {FocusItem::PlacedCard, 7});
        QVERIFY(placed->isValid());
        const int16_t card = w->board().Slots()[7].Placed;
        w->boardView()->perform([card](board::Exercise& e) { e.ImgName_DblClick(card); });
        QVERIFY(!placed->isValid());
        QVERIFY(placed->state().invalid);
        QVERIFY(std::any_of(Heard::events.begin(), Heard::events.end(), [&](const auto& e) {
            return e.type == QAccessible::ObjectReorder && e.object == w->boardView();
        }));
    }

    // However the board gets the keyboard back, a reader hears the card or
    // formula that holds it, not only the board.
    void theKeyboardsItemIsNamedWhenTheBoardGetsTheFocus_data() {
        QTest::addColumn<int>("how"); // 0 start-up, 1 menu, 2 dialog
        QTest::addRow("start-up") << 0;
        QTest::addRow("the menu closes after Check") << 1;
        QTest::addRow("a dialog closes, the window is active again") << 2;
    }
    void theKeyboardsItemIsNamedWhenTheBoardGetsTheFocus() {
        QFETCH(int, how);
        auto w = makeWindow();
        QVERIFY(w);
        BoardView* view = w->boardView();
        Keys k(*w);
        if (how == 1) {
            // One right card, one wrong: Check keeps one and sends one back.
            dragName(*w, content::CorrectNameForFormula[0], 0);
            dragName(*w, content::CorrectNameForFormula[0], 1);
            k.toFormula(5);
            Heard::events.clear();
            k.press(Qt::Key_Alt);
            k.press(Qt::Key_Right);
            k.press(Qt::Key_Return);
            QTRY_VERIFY(w->gradeLabel()->isVisible());
            QVERIFY(childFor(*w, k.at())
                        ->text(QAccessible::Description)
                        .startsWith(boardWords::checked(5, 1)));
        } else if (how == 2) {
            k.toFormula(9);
            ModalCloser closer;
            Heard::events.clear();
            // Help is the menu bar's first item.
            k.press(Qt::Key_Alt);
            k.press(Qt::Key_Return);
            QTRY_COMPARE(closer.shown("QMessageBox"), 1);
            // Offscreen there is no window manager to give the window back.
            w->activateWindow();
        }
        QTRY_VERIFY(view->hasFocus());
        verifyFocusNamesTheKeyboardsItem(*w);
        // The first item heard also tells which keys the board answers to,
        // once: not after a dialog, not when the focus comes back.
        const auto heardKeys = [&] {
            return childFor(*w, w->exercise().focusItem())
                ->text(QAccessible::Description)
                .contains(boardHints::keyboardHelp());
        };
        QTRY_COMPARE(heardKeys(), how == 0);
        // Qt tells a reader of the board itself once the board's focus-in is
        // over; the item's focus event must come after that, or the reader
        // stays on the board.
        w->menuBar()->setFocus(Qt::MenuBarFocusReason);
        Heard::events.clear();
        view->setFocus(Qt::MenuBarFocusReason);
        QCOMPARE(Heard::lastFocus(*w), -1);
        verifyFocusNamesTheKeyboardsItem(*w);
        // The grade was news once; now the item is read as it stands.
        if (how == 1)
            QVERIFY(!childFor(*w, k.at())
                         ->text(QAccessible::Description)
                         .contains(boardWords::checked(5, 1)));
        QVERIFY(!heardKeys());
    }

    // Every step by keyboard (and Check) ends in a focus event on the
    // keyboard's item, whose description says what happened. When the item is
    // the one the reader already stands on, the focus comes to a new object:
    // a reader reads an object afresh only when the focus comes to it.
    void aStepIsHeardOnTheKeyboardsItem_data() {
        QTest::addColumn<int>("step");
        QTest::addRow("Down to the next name") << 0;
        QTest::addRow("Enter on a name picks it up") << 1;
        QTest::addRow("Escape lets it go") << 2;
        QTest::addRow("Enter on the picked-up name lets it go") << 3;
        QTest::addRow("Enter on a formula places the name") << 4;
        QTest::addRow("Enter on a placed card sends it back") << 5;
        QTest::addRow("Delete on a placed card takes it back") << 6;
        QTest::addRow("Delete on a formula takes its card back") << 7;
        QTest::addRow("Enter on a formula with nothing picked up") << 8;
        QTest::addRow("Check") << 9;
        QTest::addRow("Delete on a formula with no name under it") << 10;
    }
    void aStepIsHeardOnTheKeyboardsItem() {
        QFETCH(int, step);
        auto w = makeWindow();
        QVERIFY(w);
        Keys k(*w);
        const int16_t name = 11, other = 6, formula = 4;
        const int16_t row = w->board().HomeRow()[name];
        const FocusItem rowItem{FocusItem::NameRow, row};
        const FocusItem formulaItem{FocusItem::Formula, formula};
        const FocusItem placedItem{FocusItem::PlacedCard, formula};
        FocusItem before = rowItem, after = rowItem;
        QString words;
        switch (step) {
        case 0:
            before = {FocusItem::NameRow, 0};
            after = {FocusItem::NameRow, 1};
            words = boardWords::place(after);
            break;
        case 1:
            words = boardWords::pickedUp();
            break;
        case 2:
        case 3:
            k.toName(name);
            k.press(Qt::Key_Return);
            words = boardWords::noLongerPickedUp();
            break;
        case 4:
            k.toName(name);
            k.press(Qt::Key_Return);
            before = formulaItem;
            after = placedItem;
            words = content::formulaSpokenText(formula);
            break;
        case 5:
            dragName(*w, other, formula);
            k.toName(name);
            k.press(Qt::Key_Return);
            before = after = placedItem;
            words = boardWords::wentBack(other);
            break;
        case 6:
        case 7:
            dragName(*w, other, formula);
            before = step == 6 ? placedItem : formulaItem;
            after = formulaItem;
            words = boardWords::wentBack(other);
            break;
        case 8:
            before = after = formulaItem;
            words = boardWords::nothingPickedUp();
            break;
        case 9:
            dragName(*w, content::CorrectNameForFormula[0], 0);
            dragName(*w, content::CorrectNameForFormula[0], 1);
            before = after = formulaItem;
            words = boardWords::checked(5, 1);
            break;
        case 10:
            // Literal words: a missed key and an empty formula must not sound alike.
            before = after = {FocusItem::Formula, 0};
            words = QStringLiteral(u"δεν υπάρχει όνομα κάτω από τον τύπο");
            break;
        }
        if (before.kind == FocusItem::NameRow)
            k.toName(nameAtRow(w->board(), before.index));
        else
            k.toItem(before);
        QCOMPARE(k.at(), before);
        const QAccessible::Id id = QAccessible::uniqueId(childFor(*w, before));
        Heard::events.clear();
        static constexpr int keys[] = {Qt::Key_Down,   Qt::Key_Return,
                                       Qt::Key_Escape, Qt::Key_Return,
                                       Qt::Key_Return, Qt::Key_Return,
                                       Qt::Key_Delete, Qt::Key_Delete,
                                       Qt::Key_Return, 0 /* Check, from the menu */,
                                       Qt::Key_Delete};
        if (step == 9)
            w->mnuCheck_Click();
        else
            k.press(keys[step]);

        QCOMPARE(k.at(), after);
        QCOMPARE(Heard::lastFocus(*w), indexOf(*w, after));
        QAccessibleInterface* iface = childFor(*w, after);
        QVERIFY(iface->state().focused);
        QCOMPARE(iface->text(QAccessible::Name), accessibleItemName(w->board(), after));
        const QString description = iface->text(QAccessible::Description);
        QVERIFY2(description.contains(words), qPrintable(description));
        if (step == 10)
            QVERIFY2(description.contains(QStringLiteral(u"τύπος 1 από 20")),
                     qPrintable(description));
        if (after == before) {
            // The object the reader stood on is gone: one object has the focus.
            QVERIFY(QAccessible::uniqueId(iface) != id);
            QVERIFY(!QAccessible::accessibleInterface(id)->isValid());
        }
        // Picking up and letting go change the card's own state.
        if (step >= 1 && step <= 3) {
            QCOMPARE(iface->state().checked, step == 1);
            QVERIFY(std::any_of(Heard::events.begin(), Heard::events.end(), [&](const auto& e) {
                return e.type == QAccessible::StateChanged && e.changed.checked &&
                       e.object == w->boardView() && e.child == indexOf(*w, rowItem);
            }));
        }
        qInfo().noquote() << "heard:" << iface->text(QAccessible::Name) << "/" << description;
    }

    // A reader's own "press" action does what Enter does: pick up, then place.
    void thePressActionPicksUpAndPlaces() {
        auto w = makeWindow();
        QVERIFY(w);
        const int16_t name = 14;
        QAccessibleInterface* row = childFor(*w, {FocusItem::NameRow, w->board().HomeRow()[name]});
        QVERIFY(row->actionInterface());
        QVERIFY(row->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::showMenuAction()));
        const int16_t card = w->board().frontCardAtHome(name);
        row->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(w->exercise().selectedName(), name);
        childFor(*w, {FocusItem::Formula, 16})
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(w->board().Slots()[16].Placed, card);
    }

    void theGradeIsReadOutAfterEveryCheck() {
        auto w = makeWindow();
        QVERIFY(w);
        QAccessibleInterface* grade = QAccessible::queryAccessibleInterface(w->gradeLabel());
        QCOMPARE(grade->role(), QAccessible::StaticText);
        QCOMPARE(grade->text(QAccessible::Description), QStringLiteral(u"Βαθμός"));
        const auto nameChanges = [&w] {
            return std::count_if(Heard::events.begin(), Heard::events.end(), [&](const auto& e) {
                return e.type == QAccessible::NameChanged && e.object == w->gradeLabel();
            });
        };
        // A new caption: the label itself tells of its new name (QLabel sends
        // NameChanged from setText when it has no fixed accessible name).
        QVERIFY(w->gradeLabel()->accessibleName().isEmpty());
        w->mnuCheck_Click();
        QCOMPARE(grade->text(QAccessible::Name), QStringLiteral("0%"));
        QVERIFY(!grade->state().invisible);
        QCOMPARE(nameChanges(), 0);
        // The same grade again is told again, by the window.
        w->mnuCheck_Click();
        QCOMPARE(nameChanges(), 1);
        w->mnuCheck_Click();
        QCOMPARE(nameChanges(), 2);
        dragName(*w, content::CorrectNameForFormula[0], 0);
        QVERIFY(grade->state().invisible);
        w->mnuCheck_Click();
        QCOMPARE(grade->text(QAccessible::Name), QStringLiteral("5%"));
        QCOMPARE(nameChanges(), 2);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
