// SPDX-License-Identifier: GPL-3.0-or-later
// The board without a mouse drag, through Qt's own event delivery on the
// offscreen platform: keys, a click on a name and then on a formula, and a
// finger reach the exercise; the keyboard's ring and the picked-up name are
// painted; the Menu key and a long press open the explanation. What each
// gesture does to the board is the rules' business and tested there.

#include "app/ModalCloser.h"
#include "content/Fonts.h"
#include "exercise/BoardView.h"
#include "exercise/Form1.h"
#include "exercise/rules/BoardFocus.h"
#include "exercise/rules/RandomSource.h"
#include "explain/Form2.h"
#include "shared/Module1.h"
#include "support/RealWindow.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPointingDevice>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

using board::FocusItem;
using board::NoCard;

namespace {

using testing_support::Keys;
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

enum class Way { Keyboard, Clicks, Touch };

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { content::registerBundledFonts(); }

    void aNamePlacedByKeysClicksOrAFingerLandsUnderItsFormula_data() {
        QTest::addColumn<int>("way");
        QTest::addRow("keyboard") << int(Way::Keyboard);
        QTest::addRow("clicks") << int(Way::Clicks);
        QTest::addRow("touch") << int(Way::Touch);
    }
    void aNamePlacedByKeysClicksOrAFingerLandsUnderItsFormula() {
        QFETCH(int, way);
        auto w = makeWindow();
        QVERIFY(w);
        Pointer p(*w);
        const int16_t name = 13, formula = 19;
        const int16_t card = w->board().frontCardAtHome(name);
        switch (Way(way)) {
        case Way::Keyboard: {
            Keys k(*w);
            QVERIFY(w->boardView()->hasFocus());
            k.toName(name);
            k.press(Qt::Key_Space);
            QCOMPARE(w->exercise().selectedName(), name);
            k.toFormula(formula);
            k.press(Qt::Key_Return);
            break;
        }
        case Way::Clicks:
            p.click(p.onName(name));
            QCOMPARE(w->exercise().selectedName(), name);
            p.click(p.onFormula(formula));
            break;
        case Way::Touch: {
            // A finger drag, turned into mouse events by Qt.
            QPointingDevice* screen = touchScreen();
            const QPoint from = p.onName(name), to = p.onFormula(formula);
            QTest::touchEvent(w->windowHandle(), screen).press(0, from);
            QVERIFY(w->board().dragging());
            for (int i = 1; i <= 4; ++i)
                QTest::touchEvent(w->windowHandle(), screen).move(0, from + (to - from) * i / 4);
            QTest::touchEvent(w->windowHandle(), screen).release(0, to);
            break;
        }
        }
        QCOMPARE(w->exercise().selectedName(), NoCard);
        QCOMPARE(w->board().Slots()[formula].Placed, card);
        QVERIFY(!w->board().dragging());
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
        const int16_t card =
            placed ? w->board().Slots()[4].Placed : w->board().frontCardAtHome(name);
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
        QCOMPARE(w->exercise().selectedName(), NoCard);
        QCOMPARE(w->board().ImgName()[card], before.ImgName()[card]);
    }

    void aQuickTapIsAClickNotALongPress() {
        auto w = makeWindow();
        QVERIFY(w);
        Pointer p(*w);
        ExplanationWatch watch;
        QPointingDevice* screen = touchScreen();
        QTest::touchEvent(w->windowHandle(), screen).press(0, p.onName(2));
        QTest::touchEvent(w->windowHandle(), screen).release(0, p.onName(2));
        QCOMPARE(w->exercise().selectedName(), int16_t(2));
        QTest::qWait(BoardView::LongPressMs + 200);
        QVERIFY(watch.opened.isEmpty());
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
    // The keys are told where a student meets them: by a screen reader as the
    // board's description, and on screen at the first key that shows the ring.
    void theBoardTellsWhichKeysItAnswersTo() {
        auto w = makeWindow();
        QVERIFY(w);
        const QString help =
            QAccessible::queryAccessibleInterface(w->boardView())->text(QAccessible::Description);
        for (const char* key : {"Tab", "Enter", "Esc", "Delete", "Shift+F10"})
            QVERIFY2(help.contains(QLatin1String(key)), key);
        // F10 alone, for the menu bar, besides Shift+F10.
        QVERIFY(help.contains(QRegularExpression(QStringLiteral("(?<!\\+)F10"))));
        QVERIFY(!QToolTip::isVisible());
        QTest::keyClick(w->windowHandle(), Qt::Key_Tab);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), help);
        // Once is enough: after the pointer hid the ring, the next key shows no hint.
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        Pointer p(*w);
        p.click(p.atTwips(3700, 5000));
        QTest::keyClick(w->windowHandle(), Qt::Key_Down);
        QVERIFY(w->boardView()->focusRingShown());
        QVERIFY(!QToolTip::isVisible());
    }

    void aWholeExerciseByKeyboardAlone() {
        auto w = makeWindow();
        QVERIFY(w);
        Keys k(*w);
        for (int16_t f = 0; f < board::FormulaCount; ++f) {
            k.toName(content::CorrectNameForFormula[f]);
            k.press(Qt::Key_Space);
            k.toFormula(f);
            k.press(Qt::Key_Return);
            QCOMPARE(w->board().Slots()[f].Placed % 20, content::CorrectNameForFormula[f]);
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

    // F10 reaches the menu bar where Alt cannot (under a screen reader), and
    // gives the keyboard back to the board as it was, name picked up and all.
    void f10ReachesTheMenuBarAndGivesTheKeyboardBack_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("chosen"); // the dialog shown, or what the bar did
        QTest::addRow("F10 Right Return checks") << "F10 Right Return"
                                                 << "grade";
        QTest::addRow("Escape gives the keyboard back") << "F10 Right Escape"
                                                        << "back";
        QTest::addRow("F10 again gives it back") << "F10 Right F10"
                                                 << "back";
        QTest::addRow("Help closes, the board has it") << "F10 Return"
                                                       << "QMessageBox";
        QTest::addRow("the divider is no stop: About") << "F10 Right Right Right Right Return"
                                                       << "frmAbout";
        QTest::addRow("Left from About steps over the divider")
            << "F10 Right Right Right Right Left Return"
            << "worksheet";
        QTest::addRow("Left from the first item goes round to the last") << "F10 Left"
                                                                         << "mnuExit";
    }
    void f10ReachesTheMenuBarAndGivesTheKeyboardBack() {
        QFETCH(QString, keys);
        QFETCH(QString, chosen);
        auto w = makeWindow();
        QVERIFY(w);
        // The worksheet command is only looked for here, never opened.
        QAction* sheet = w->menuBar()->findChild<QAction*>(QStringLiteral("mnuSheet"));
        QVERIFY(sheet);
        QObject::disconnect(sheet, &QAction::triggered, w.get(), nullptr);
        bool sheetChosen = false;
        connect(sheet, &QAction::triggered, this, [&] { sheetChosen = true; });

        Keys k(*w);
        const int16_t name = 7;
        k.toName(name);
        k.press(Qt::Key_Return);
        const FocusItem item = k.at();
        QCOMPARE(w->exercise().selectedName(), name);
        ModalCloser closer;
        static const QHash<QString, int> named = {{"F10", Qt::Key_F10},
                                                  {"Right", Qt::Key_Right},
                                                  {"Left", Qt::Key_Left},
                                                  {"Return", Qt::Key_Return},
                                                  {"Escape", Qt::Key_Escape}};
        for (const QString& key : keys.split(u' '))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(named.value(key)));

        if (chosen == "mnuExit") {
            QCOMPARE(w->menuBar()->activeAction()->objectName(), chosen);
            QVERIFY(w->menuBar()->hasFocus());
            return;
        }
        if (chosen == "grade") {
            QTRY_VERIFY(w->gradeLabel()->isVisible());
            QCOMPARE(w->gradeLabel()->text(), QStringLiteral("0%"));
        } else if (chosen == "worksheet") {
            QVERIFY(sheetChosen);
        } else if (chosen != "back") {
            QTRY_COMPARE(closer.shownInAll(), 1);
            QCOMPARE(closer.shown(qPrintable(chosen)), 1);
            // Offscreen there is no window manager to give the window back.
            w->activateWindow();
        }
        QTRY_VERIFY(w->boardView()->hasFocus());
        QVERIFY(!w->menuBar()->activeAction());
        QCOMPARE(k.at(), item);
        QCOMPARE(w->exercise().selectedName(), name);
    }

    // The bar reached while nothing had the keyboard has nowhere to give it
    // back: About, closing, gives it to the board.
    void aboutClosingGivesTheKeyboardToTheBoard() {
        auto w = makeWindow();
        QVERIFY(w);
        w->boardView()->clearFocus();
        ModalCloser closer;
        for (const int key : {Qt::Key_F10, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right,
                              Qt::Key_Right, Qt::Key_Return})
            QTest::keyClick(w->windowHandle(), Qt::Key(key));
        QTRY_COMPARE(closer.shown("frmAbout"), 1);
        QCOMPARE(w->focusWidget(), w->boardView());
    }

    // A dialog has the keyboard while it is open: F10 there leaves the bar alone.
    void f10DoesNothingWhileADialogIsOpen() {
        auto w = makeWindow();
        QVERIFY(w);
        bool barOpened = true;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            QTest::keyClick(dialog, Qt::Key_F10);
            barOpened = w->menuBar()->activeAction() || w->menuBar()->hasFocus();
            dialog->close();
        });
        w->mnuHelp_Click();
        QVERIFY(!barOpened);
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
