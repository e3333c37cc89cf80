// What a screen reader finds on the exercise window: the board's children (the
// rows of names, the formulas, the placed cards, the grade), their names,
// roles, states and places, and the events that tell of focus and grade.

#include "content/CardPictures.h"
#include "content/Fonts.h"
#include "exercise/BoardAccessible.h"
#include "exercise/BoardView.h"
#include "exercise/Form1.h"
#include "exercise/rules/BoardFocus.h"
#include "exercise/rules/RandomSource.h"
#include "support/RealWindow.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>
#include <QWindow>

using board::FocusItem;
using board::NoCard;

namespace {

std::unique_ptr<Form1> makeWindow() {
    return testing_support::makeWindow(7u, testing_support::Activation::Active);
}

void dragName(Form1& w, int16_t name, int formula) {
    const auto at = [&w](const board::TwipRect& r) {
        const TwipScale& s = w.scale();
        return w.boardView()->mapTo(&w,
                                    QPoint(s.px(r.Left + r.Width / 2), s.px(r.Top + r.Height / 2)));
    };
    QWindow* window = w.windowHandle();
    const QPoint from = at(w.board().ImgName()[w.board().frontCardAtHome(name)]);
    const QPoint to = at(w.board().ImgSyntactic()[formula]);
    QTest::mousePress(window, Qt::LeftButton, {}, from);
    QTest::mouseMove(window, (from + to) / 2);
    QTest::mouseMove(window, to);
    QTest::mouseRelease(window, Qt::LeftButton, {}, to);
}

QAccessibleInterface* childFor(Form1& w, FocusItem item) {
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(w.boardView());
    const std::vector<FocusItem> all = board::allItems(w.board());
    const auto it = std::find(all.begin(), all.end(), item);
    if (!board || it == all.end())
        return nullptr;
    return board->child(int(it - all.begin()));
}

// Events a screen reader would get, kept while the test looks.
struct Heard {
    static inline QList<std::tuple<QAccessible::Event, QObject*, int>> events;
    static void handler(const QAccessibleEvent& e) {
        events.append({e.type(), e.object(), e.child()});
    }
};

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

    void namesSayWhatACardIsAndWhereItLies_data() {
        QTest::addColumn<int>("kind");
        QTest::addRow("name in the column") << int(FocusItem::NameRow);
        QTest::addRow("card under a formula") << int(FocusItem::PlacedCard);
        QTest::addRow("formula") << int(FocusItem::Formula);
    }
    void namesSayWhatACardIsAndWhereItLies() {
        QFETCH(int, kind);
        auto w = makeWindow();
        QVERIFY(w);
        const int16_t name = 9, formula = 4;
        dragName(*w, name, formula);
        FocusItem item{FocusItem::Kind(kind), formula};
        QString expected;
        switch (item.kind) {
        case FocusItem::NameRow:
            item.index = w->board().HomeRow()[name];
            expected = content::nameText(name);
            break;
        case FocusItem::PlacedCard:
            expected = content::nameText(name) + QStringLiteral(u", κάτω από τον τύπο ") +
                       content::formulaPlainText(formula);
            break;
        case FocusItem::Formula:
            expected = content::formulaPlainText(formula);
            break;
        }
        QAccessibleInterface* iface = childFor(*w, item);
        QVERIFY(iface && iface->isValid());
        QVERIFY(!expected.isEmpty());
        QCOMPARE(iface->text(QAccessible::Name), expected);
        QCOMPARE(iface->role(), QAccessible::Button);
        QVERIFY(iface->state().focusable);
        const QRect r = w->boardView()->itemRect(item);
        QCOMPARE(iface->rect(), QRect(w->boardView()->mapToGlobal(r.topLeft()), r.size()));
        // The reader's pointer finds the same child at the item's middle.
        const QPoint middle = iface->rect().center();
        QCOMPARE(
            QAccessible::queryAccessibleInterface(w->boardView())->childAt(middle.x(), middle.y()),
            iface);
        qInfo().noquote() << "read out:" << iface->text(QAccessible::Name);
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
            return std::get<0>(e) == QAccessible::ObjectReorder && std::get<1>(e) == w->boardView();
        }));
    }

    void keyboardFocusAndThePickedNameAreStatesAndEvents() {
        auto w = makeWindow();
        QVERIFY(w);
        QVERIFY(w->boardView()->hasFocus());
        QTest::keyClick(w->windowHandle(), Qt::Key_Tab);
        Heard::events.clear();
        QTest::keyClick(w->windowHandle(), Qt::Key_Down);
        const FocusItem row1{FocusItem::NameRow, 1};
        QCOMPARE(w->exercise().focusItem(), row1);
        QAccessibleInterface* board = QAccessible::queryAccessibleInterface(w->boardView());
        QAccessibleInterface* iface = childFor(*w, row1);
        QVERIFY(iface->state().focused);
        QVERIFY(!childFor(*w, {FocusItem::NameRow, 0})->state().focused);
        QCOMPARE(board->focusChild(), iface);
        QVERIFY(Heard::events.contains(
            std::make_tuple(QAccessible::Focus, static_cast<QObject*>(w->boardView()), 1)));
        QVERIFY(!iface->state().selected);
        QTest::keyClick(w->windowHandle(), Qt::Key_Space);
        QVERIFY(iface->state().selected);
        QTest::keyClick(w->windowHandle(), Qt::Key_Escape);
        QVERIFY(!iface->state().selected);
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
                return std::get<0>(e) == QAccessible::NameChanged &&
                       std::get<1>(e) == w->gradeLabel();
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
