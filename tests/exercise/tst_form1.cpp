// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise window as a student meets it, on the offscreen platform: its
// frame, its menu, start-up, and every mouse gesture delivered through Qt's own
// event path (window-level events, routed to whatever lies under the pointer).

#include "content/Fonts.h"
#include "exercise/BoardPainter.h"
#include "exercise/BoardView.h"
#include "exercise/Form1.h"
#include "exercise/rules/RandomSource.h"
#include "shared/Module1.h"
#include "support/RealWindow.h"

#include <QAction>
#include <QHelpEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QWindow>

using board::NoCard;
using testing_support::makeWindow;
using testing_support::Pointer;

class TestForm1 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { content::registerBundledFonts(); }

    void theWindowHasItsCaptionSizeAndFrame() {
        auto w = makeWindow();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(),
                 QStringLiteral(u"Γενίκευση της ονοματολογίας των οργανικών ενώσεων"));
        QCOMPARE(w->boardView()->size(), QSize(990, 661));
        QVERIFY(w->menuBar()->geometry().bottom() < w->boardView()->geometry().top());
        const Qt::WindowFlags flags = w->windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QVERIFY(!w->windowIcon().isNull());
    }

    void theMenuBarHasSevenItemsInOrder() {
        auto w = makeWindow();
        QVERIFY(w);
        const QList<QAction*> items = w->menuBar()->actions();
        QStringList captions, names;
        for (QAction* a : items) {
            captions << a->text();
            names << a->objectName();
            QVERIFY(a->shortcut().isEmpty());
            QVERIFY(!a->menu());
        }
        QCOMPARE(names, (QStringList{"mnuHelp", "mnuCheck", "mnuRestart", "mnuSheet",
                                     "mnuVSeperator", "mnuAbout", "mnuExit"}));
        QCOMPARE(captions, (QStringList{QStringLiteral(u"Βοήθεια"), QStringLiteral(u"Έλεγχος"),
                                        QStringLiteral(u"Απ' την αρχή"),
                                        QStringLiteral(u"Φύλλο εργασίας"), QStringLiteral("|"),
                                        QStringLiteral(u"Περί..."), QStringLiteral(u"Έξοδος")}));
        // The apostrophe of "Απ' την αρχή" is the plain ASCII one.
        QCOMPARE(captions[2].at(2).unicode(), char16_t(0x27));
    }

    void startUpLeavesAShuffledColumnAndNoGrade() {
        auto w = makeWindow();
        QVERIFY(w);
        const auto& b = w->board();
        QVERIFY(w->gradeLabel()->isHidden());
        QCOMPARE(w->gradeLabel()->text(), QStringLiteral("100%"));
        for (const auto& slot : b.Slots())
            QCOMPARE(slot.Placed, NoCard);
        for (int16_t card = 0; card < board::CardCount; ++card)
            QVERIFY(b.inColumn(card) && b.cardVisible(card));
        QVERIFY(!Module1::CompoundNames[19].FullName.isEmpty());
    }

    void exitAndTheCloseBoxEndTheProgram_data() {
        QTest::addColumn<bool>("viaMenu");
        QTest::addRow("menu item") << true;
        QTest::addRow("close box") << false;
    }
    void exitAndTheCloseBoxEndTheProgram() {
        QFETCH(bool, viaMenu);
        auto w = makeWindow();
        QVERIFY(w);
        if (viaMenu)
            w->findChild<QAction*>("mnuExit")->trigger();
        else
            QVERIFY(w->close());
        QVERIFY(!w->isVisible());
    }

    void restartFromTheMenuReshufflesAndEmptiesTheBoard() {
        auto w = makeWindow();
        QVERIFY(w);
        Pointer pointer(*w);
        const int16_t card = w->board().frontCardAtHome(4);
        pointer.drag(pointer.onCard(card), pointer.onFormula(2));
        QCOMPARE(w->board().Slots()[2].Placed, card);
        const auto rows = w->board().HomeRow();
        w->findChild<QAction*>("mnuRestart")->trigger();
        QCOMPARE(w->board().Slots()[2].Placed, NoCard);
        QVERIFY(w->board().inColumn(card));
        QVERIFY(w->board().HomeRow() != rows);
    }

    void aDragPlacesTheCardUnderTheFormula_data() {
        QTest::addColumn<int>("button");
        QTest::addRow("left button") << int(Qt::LeftButton);
        QTest::addRow("middle button") << int(Qt::MiddleButton);
    }
    void aDragPlacesTheCardUnderTheFormula() {
        QFETCH(int, button);
        auto w = makeWindow();
        QVERIFY(w);
        Pointer pointer(*w);
        w->mnuCheck_Click();
        QVERIFY(w->gradeLabel()->isVisible());
        const int16_t card = w->board().frontCardAtHome(7);
        pointer.press(pointer.onCard(card), Qt::MouseButton(button));
        QVERIFY(w->board().dragging());
        QCOMPARE(w->board().DragIndex(), card);
        QVERIFY(w->gradeLabel()->isHidden());
        QCOMPARE(w->board().frontToBack().front(), card);
        // The card follows the pointer: left edge 60 twips right of it.
        const QPoint mid = pointer.atTwips(6000, 400);
        pointer.move(mid);
        const auto& r = w->board().ImgName()[card];
        QVERIFY(qAbs(r.Left - (w->scale().twips(w->boardView()->mapFrom(w.get(), mid).x()) + 60)) <
                0.01);
        pointer.move(pointer.onFormula(9));
        pointer.release(pointer.onFormula(9), Qt::MouseButton(button));
        QVERIFY(!w->board().dragging());
        QCOMPARE(w->board().Slots()[9].Placed, card);
        QCOMPARE(w->board().ImgName()[card].Left, 3795.0f);
        QCOMPARE(w->board().ImgName()[card].Top, w->board().ImgSyntactic()[9].bottom() + 60);
    }

    void pressingAPlacedCardDoesNothingAndADoubleClickTakesItBack() {
        auto w = makeWindow();
        QVERIFY(w);
        Pointer pointer(*w);
        const int16_t card = w->board().frontCardAtHome(4);
        pointer.drag(pointer.onCard(card), pointer.onFormula(2)); // its right formula
        w->mnuCheck_Click();
        const auto placed = w->board().ImgName()[card];
        // A press and a drag attempt on a placed card: nothing moves.
        pointer.drag(pointer.onCard(card), pointer.onFormula(0));
        QCOMPARE(w->board().ImgName()[card], placed);
        QVERIFY(w->gradeLabel()->isVisible());
        // A double click takes it back, hides the grade and starts no drag.
        pointer.doubleClick(pointer.onCard(card));
        QVERIFY(!w->board().dragging());
        QVERIFY(w->board().inColumn(card));
        QCOMPARE(w->board().Slots()[2].Placed, NoCard);
        QVERIFY(w->gradeLabel()->isHidden());
    }

    void aDragBrokenOffSendsTheCardHome() {
        auto w = makeWindow();
        QVERIFY(w);
        Pointer pointer(*w);
        const int16_t card = w->board().frontCardAtHome(3);
        pointer.press(pointer.onCard(card));
        pointer.move(pointer.onFormula(5));
        QVERIFY(w->board().dragging());
        QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(w->boardView(), &out);
        QVERIFY(!w->board().dragging());
        QVERIFY(w->board().inColumn(card));
        pointer.release(pointer.onFormula(5));
        QCOMPARE(w->board().Slots()[5].Placed, NoCard);

        pointer.press(pointer.onCard(card));
        pointer.move(pointer.onFormula(5));
        w->showMinimized();
        QVERIFY(!w->board().dragging());
        QVERIFY(w->board().inColumn(card));
    }

    // After a lost release the next move comes with no button held: it ends
    // the drag there, as the release would have (here: on a formula). A press
    // that comes before any move takes the card under it instead, and the old
    // card is no longer carried. Either way the board answers presses again.
    void aLostReleaseEndsTheDrag_data() {
        QTest::addColumn<bool>("moveFirst");
        QTest::addRow("at the next move") << true;
        QTest::addRow("at the next press") << false;
    }
    void aLostReleaseEndsTheDrag() {
        QFETCH(bool, moveFirst);
        auto w = makeWindow();
        QVERIFY(w);
        Pointer pointer(*w);
        const int16_t card = w->board().frontCardAtHome(3);
        pointer.press(pointer.onCard(card));
        pointer.move(pointer.atTwips(6000, 400));
        QVERIFY(w->board().dragging());
        pointer.loseRelease();
        if (moveFirst) {
            pointer.move(pointer.onFormula(9));
            QVERIFY(!w->board().dragging());
            QCOMPARE(w->board().Slots()[9].Placed, card);
        }
        const int16_t next = w->board().frontCardAtHome(4);
        pointer.drag(pointer.onCard(next), pointer.onFormula(2));
        QVERIFY(!w->board().dragging());
        QCOMPARE(w->board().Slots()[2].Placed, next);
        if (!moveFirst)
            for (const board::SlotInfo& slot : w->board().Slots())
                QVERIFY(slot.Placed != card);
    }

    // The board shows each card's hint by its side once the pointer has moved
    // over the card.
    void tooltipsFollowTheCardsSide() {
        auto w = makeWindow();
        QVERIFY(w);
        Pointer pointer(*w);
        const int16_t card = w->board().frontCardAtHome(0);
        const auto hintAt = [&](QPoint windowPos) {
            const QPoint local = w->boardView()->mapFrom(w.get(), windowPos);
            QHelpEvent help(QEvent::ToolTip, local, w->boardView()->mapToGlobal(local));
            QApplication::sendEvent(w->boardView(), &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        pointer.move(pointer.onCard(card));
        QCOMPARE(hintAt(pointer.onCard(card)),
                 QStringLiteral(u"η μεταφορά ξεκινάει με πατημένο κλικ, με δεξί κλικ δείτε τις "
                                u"επεξηγήσεις"));
        pointer.drag(pointer.onCard(card), pointer.onFormula(5));
        pointer.move(pointer.onCard(card));
        QCOMPARE(hintAt(pointer.onCard(card)),
                 QStringLiteral(u"αφαιρέστε το με διπλό κλικ, με δεξί κλικ δείτε τις επεξηγήσεις"));
        hintAt(pointer.atTwips(3700, 5000));
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    void checkShowsTheGradeInTheRedLabel() {
        auto w = makeWindow();
        QVERIFY(w);
        Pointer pointer(*w);
        w->mnuCheck_Click();
        QCOMPARE(w->gradeLabel()->text(), QStringLiteral("0%"));
        QVERIFY(w->gradeLabel()->isVisible());
        for (int f = 0; f < 20; ++f) {
            const int16_t card = w->board().frontCardAtHome(content::CorrectNameForFormula[f]);
            pointer.drag(pointer.onCard(card), pointer.onFormula(f));
        }
        w->findChild<QAction*>("mnuCheck")->trigger();
        QCOMPARE(w->gradeLabel()->text(), QStringLiteral("100%"));
        w->mnuRestart_Click();
        QVERIFY(w->gradeLabel()->isHidden());
    }

    void aMoveRepaintsOnlyTheDraggedCard() {
        auto w = makeWindow();
        QVERIFY(w);
        Pointer pointer(*w);
        QCoreApplication::processEvents();
        const int16_t card = w->board().frontCardAtHome(3);
        pointer.press(pointer.onCard(card));
        pointer.move(pointer.atTwips(8000, 3000));
        QCoreApplication::processEvents();
        const QRect before = w->boardView()->cardRect(card);
        pointer.move(pointer.atTwips(8100, 3050));
        const QRect after = w->boardView()->cardRect(card);
        // What is queued for repainting is the card's old and new places, no more.
        struct Spy : QObject {
            QRegion painted;
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Paint)
                    painted += static_cast<QPaintEvent*>(e)->region();
                return false;
            }
        } spy;
        w->boardView()->installEventFilter(&spy);
        w->boardView()->repaint(QRect()); // no-op; flush below
        QCoreApplication::processEvents();
        w->boardView()->removeEventFilter(&spy);
        const QRegion expected =
            QRegion(before.adjusted(-1, -1, 1, 1)) + after.adjusted(-1, -1, 1, 1);
        QVERIFY(!spy.painted.isEmpty());
        QVERIFY((spy.painted - expected).isEmpty());
        QVERIFY(spy.painted.boundingRect().width() < w->boardView()->width() / 2);
        // The steps of a drag copy the rest of the board from a still picture:
        // what they show is what painting the whole board shows.
        const QImage shown = w->boardView()->grab().toImage();
        QImage full(shown.size(), shown.format());
        full.setDevicePixelRatio(shown.devicePixelRatio());
        QPainter painter(&full);
        BoardPainter(w->board(), w->scale(), w->compounds())
            .paint(painter, QRegion(w->boardView()->rect()), {});
        painter.end();
        QCOMPARE(shown, full);
        pointer.release(pointer.atTwips(8100, 3050));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
