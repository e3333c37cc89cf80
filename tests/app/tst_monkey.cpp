// SPDX-License-Identifier: GPL-3.0-or-later
// A monkey at the exercise window: a long stream of random pointer gestures,
// keys, touches, menu commands and focus changes from a fixed seed, delivered
// through Qt's own event path to the real window on the offscreen platform.
// After every event the board, the picked-up name and the keyboard's place
// must still make sense.

#include "app/ModalCloser.h"
#include "content/Fonts.h"
#include "exercise/BoardView.h"
#include "exercise/Form1.h"
#include "exercise/rules/RandomSource.h"
#include "support/UrlCatcher.h"

#include <QAction>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cmath>
#include <set>

using board::NoCard;

namespace {

constexpr int EventCount = 100000;
constexpr quint32 MonkeySeed = 20140611u;

// Every button a mouse may have; the board reacts to three of them.
constexpr std::array<Qt::MouseButton, 5> Buttons{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton,
                                                 Qt::BackButton, Qt::ForwardButton};

// The keys the board answers; Shift+F10 and the Menu key both ask for an
// explanation, and Escape with no name picked up is left to the window.
constexpr Qt::Key Keys[] = {Qt::Key_Up,     Qt::Key_Down,  Qt::Key_Left,  Qt::Key_Right,
                            Qt::Key_Home,   Qt::Key_End,   Qt::Key_Tab,   Qt::Key_Backtab,
                            Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape,
                            Qt::Key_Delete, Qt::Key_Menu,  Qt::Key_F10,   Qt::Key_Backspace};

// Every sixtieth finger put down on a card rests there until its explanation
// opens; waiting takes real time, so it stays rare.
constexpr int RestEvery = 60;

// One touch screen for the whole run: devices registered with Qt live as long
// as the application, so it is kept where it stays reachable.
QPointingDevice* touchScreen() {
    static QPointingDevice* device = QTest::createTouchDevice();
    return device;
}

class Monkey {
public:
    Monkey(Form1& w, QWidget& elsewhere, const ModalCloser& closer)
        : w_(w), elsewhere_(elsewhere), closer_(closer), rng_(MonkeySeed), menu_(w.menuBar()) {}

    // One random event; returns what it did, for the failure message.
    QString step() {
        // A student who takes to the keyboard stays with it for a few keys.
        if (keysToGo_ > 0) {
            --keysToGo_;
            return key(Keys[rng_.bounded(int(std::size(Keys)))]);
        }
        const int roll = int(rng_.bounded(1000));
        if (roll < 300)
            return move(randomPoint());
        if (roll < 430)
            return press(randomPoint(), randomButton());
        if (roll < 580)
            return release(randomPoint(), pickReleaseButton());
        if (roll < 630)
            return doubleClick(randomPoint());
        if (roll < 670)
            return rightClick(randomPoint());
        if (roll < 860) {
            keysToGo_ = int(rng_.bounded(6));
            return key(Keys[rng_.bounded(int(std::size(Keys)))]);
        }
        // Few touches: Qt's test touch screen sleeps a millisecond at each.
        if (roll < 880)
            return touch();
        if (roll < 920)
            return menu("mnuCheck");
        if (roll < 945)
            return menu("mnuRestart");
        if (roll < 955)
            return menu("mnuHelp");
        if (roll < 965)
            return menu("mnuAbout");
        if (roll < 975)
            // A worksheet written to disk at every call would slow the run:
            // one in twenty of these asks for it, the rest for help.
            return menu(rng_.bounded(20) == 0 ? "mnuSheet" : "mnuHelp");
        if (roll < 980)
            return menu("mnuVSeperator");
        return loseFocus();
    }

    int drops = 0;         // releases that ended a drag
    int touchDrops = 0;    // fingers lifted that ended a drag
    int keyPlacements = 0; // keys that put a card under a formula
    int rests = 0;         // fingers that rested until the explanation opened
    QString trouble;       // what an event did that it should not have

private:
    QPoint atTwips(float x, float y) const {
        const TwipScale& s = w_.scale();
        return w_.boardView()->mapTo(&w_, QPoint(s.px(x), s.px(y)));
    }
    QPoint inside(const board::TwipRect& r) {
        return atTwips(r.Left + float(rng_.generateDouble()) * r.Width,
                       r.Top + float(rng_.generateDouble()) * r.Height);
    }
    // Mostly on cards and formulas, where things happen; sometimes anywhere in
    // or just outside the window, menu bar and edges included.
    QPoint randomPoint() {
        const board::Board& b = w_.board();
        const int where = int(rng_.bounded(100));
        if (where < 45) {
            // Front cards of the column and the placed ones are the ones a
            // student reaches; any card at all now and then.
            const int16_t card = where < 35 ? b.frontToBack()[rng_.bounded(60)]
                                            : int16_t(rng_.bounded(board::CardCount));
            return inside(b.ImgName()[card]);
        }
        if (where < 70)
            return inside(b.ImgSyntactic()[rng_.bounded(board::FormulaCount)]);
        if (where < 80) { // a band along one edge, where a drag ends by itself
            const float w = board::Board::ScaleWidth, h = board::Board::ScaleHeight;
            const float in = float(rng_.generateDouble()) * 400;
            const float along = float(rng_.generateDouble());
            const bool far = rng_.bounded(2) == 0;
            return rng_.bounded(2) == 0 ? atTwips(far ? w - in : in, along * h)
                                        : atTwips(along * w, far ? h - in : in);
        }
        // Anywhere below the menu bar, a little beyond the window's other edges
        // too (the menu is clicked on purpose only: its Exit item would end the run).
        const int top = menu_->geometry().bottom() + 1;
        const QRect area = QRect(0, top, w_.width(), w_.height() - top).adjusted(-20, 0, 20, 20);
        return {area.left() + int(rng_.bounded(area.width())),
                area.top() + int(rng_.bounded(area.height()))};
    }
    Qt::MouseButton randomButton() {
        // The left button most of all: it is the one that drags.
        if (rng_.bounded(2) == 0)
            return Qt::LeftButton;
        return Buttons[rng_.bounded(int(Buttons.size()))];
    }
    Qt::MouseButton pickReleaseButton() {
        // Mostly a button that is down; sometimes one that is not.
        if (held_ != Qt::NoButton && rng_.bounded(4) != 0)
            for (const Qt::MouseButton b : Buttons)
                if (held_ & b)
                    return b;
        return randomButton();
    }

    QString move(QPoint p) {
        send(QEvent::MouseMove, p, Qt::NoButton);
        return QStringLiteral("move to (%1, %2) with buttons %3")
            .arg(p.x())
            .arg(p.y())
            .arg(int(held_));
    }
    QString press(QPoint p, Qt::MouseButton b) {
        held_ |= b;
        send(QEvent::MouseButtonPress, p, b);
        return QStringLiteral("press %1 at (%2, %3)").arg(int(b)).arg(p.x()).arg(p.y());
    }
    QString release(QPoint p, Qt::MouseButton b) {
        const bool wasDragging = w_.board().dragging();
        held_ &= ~b;
        send(QEvent::MouseButtonRelease, p, b);
        if (wasDragging && !w_.board().dragging())
            ++drops;
        return QStringLiteral("release %1 at (%2, %3)").arg(int(b)).arg(p.x()).arg(p.y());
    }
    QString doubleClick(QPoint p) {
        press(p, Qt::LeftButton);
        release(p, Qt::LeftButton);
        held_ |= Qt::LeftButton;
        send(QEvent::MouseButtonDblClick, p, Qt::LeftButton);
        release(p, Qt::LeftButton);
        return QStringLiteral("double click at (%1, %2)").arg(p.x()).arg(p.y());
    }
    QString rightClick(QPoint p) {
        press(p, Qt::RightButton);
        release(p, Qt::RightButton);
        return QStringLiteral("right click at (%1, %2)").arg(p.x()).arg(p.y());
    }
    // Enter places a picked-up name; the Menu key explains the focused card
    // once, whichever way the platform delivers it.
    QString key(Qt::Key key) {
        const board::Board& b = w_.board();
        const QKeyCombination k(
            key == Qt::Key_F10 || key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier, key);
        const bool explaining = (key == Qt::Key_Menu || key == Qt::Key_F10) && !b.dragging();
        const int16_t card = explaining ? board::cardOf(b, w_.exercise().focusItem()) : NoCard;
        const int shown = closer_.shown("Form2");
        const auto before = b.Slots();
        QTest::keyClick(w_.windowHandle(), k.key(), k.keyboardModifiers());
        const QString what = QStringLiteral("key %1").arg(QKeySequence(k).toString());
        const int opened = closer_.shown("Form2") - shown;
        if (explaining && opened != (card != NoCard))
            trouble = QStringLiteral("%1 on card %2 opened %3 explanations")
                          .arg(what)
                          .arg(card)
                          .arg(opened);
        for (int i = 0; i < board::FormulaCount; ++i)
            if (b.Slots()[i].Placed != before[i].Placed && b.Slots()[i].Placed != NoCard)
                ++keyPlacements;
        return what;
    }
    // One finger: down, along the board or a hair's breadth, up; now and then
    // it rests on a card until the explanation opens.
    QString touch() {
        const QPoint p = touching_ && rng_.bounded(2) == 0
                             ? finger_ + QPoint(int(rng_.bounded(7)) - 3, int(rng_.bounded(7)) - 3)
                             : randomPoint();
        const bool wasDragging = w_.board().dragging();
        const bool lift = touching_ && rng_.bounded(3) == 0;
        // Each sequence is delivered as its statement ends.
        if (!touching_)
            QTest::touchEvent(&w_, touchScreen_).press(0, p);
        else if (lift)
            QTest::touchEvent(&w_, touchScreen_).release(0, p);
        else
            QTest::touchEvent(&w_, touchScreen_).move(0, p);
        const char* verb = !touching_ ? "down at" : lift ? "up at" : "moves to";
        const QString what = QStringLiteral("finger %1 (%2, %3)").arg(verb).arg(p.x()).arg(p.y());
        touching_ = !lift;
        finger_ = p;
        if (wasDragging && !w_.board().dragging() && lift)
            ++touchDrops;
        if (!w_.exercise().longPressPending() || ++fingersOnCards_ % RestEvery != 0)
            return what;
        const int shown = closer_.shown("Form2");
        if (!QTest::qWaitFor([this] { return !w_.exercise().longPressPending(); },
                             4 * BoardView::LongPressMs) ||
            closer_.shown("Form2") != shown + 1)
            trouble = QStringLiteral("a finger rested on a card, %1 explanations opened")
                          .arg(closer_.shown("Form2") - shown);
        ++rests;
        return what + QStringLiteral(" and rests");
    }
    // A click on the menu bar item, as a pointer makes it.
    QString menu(const char* name) {
        QAction* action = w_.findChild<QAction*>(QLatin1String(name));
        const QPoint p = menu_->mapTo(&w_, menu_->actionGeometry(action).center());
        const Qt::MouseButtons before = held_;
        held_ = Qt::NoButton;
        send(QEvent::MouseMove, p, Qt::NoButton);
        held_ = Qt::LeftButton;
        send(QEvent::MouseButtonPress, p, Qt::LeftButton);
        held_ = Qt::NoButton;
        send(QEvent::MouseButtonRelease, p, Qt::LeftButton);
        held_ = before & ~Qt::LeftButton;
        return QStringLiteral("menu %1").arg(QLatin1String(name));
    }
    // Another window takes the focus, then the student comes back.
    QString loseFocus() {
        elsewhere_.activateWindow();
        QCoreApplication::processEvents();
        w_.activateWindow();
        QCoreApplication::processEvents();
        held_ = Qt::NoButton;
        return QStringLiteral("focus lost and regained");
    }

    void send(QEvent::Type type, QPoint windowPos, Qt::MouseButton button) {
        QWindow* window = w_.windowHandle();
        QMouseEvent e(type, QPointF(windowPos), QPointF(window->mapToGlobal(windowPos)), button,
                      held_, Qt::NoModifier);
        QApplication::sendEvent(window, &e);
    }

    Form1& w_;
    QWidget& elsewhere_;
    const ModalCloser& closer_;
    QRandomGenerator rng_;
    QMenuBar* menu_;
    Qt::MouseButtons held_;
    QPointingDevice* touchScreen_ = touchScreen();
    bool touching_ = false;
    int keysToGo_ = 0;
    int fingersOnCards_ = 0;
    QPoint finger_;
};

// The offscreen platform cannot raise or resize windows and says so at every
// dialog; those lines would drown the test's own output.
QtMessageHandler previousHandler = nullptr;
void dropPlatformChatter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support")))
        return;
    previousHandler(type, context, text);
}

bool near(float a, float b) {
    return std::fabs(a - b) <= 0.01f;
}

// Everything that must hold between any two events; an empty answer means all is well.
QString brokenInvariant(const Form1& w) {
    const board::Board& b = w.board();
    const int16_t dragged = b.dragging() ? b.DragIndex() : NoCard;

    std::array<int16_t, board::CardCount> slotOf;
    slotOf.fill(NoCard);
    for (int16_t i = 0; i < board::FormulaCount; ++i) {
        const int16_t card = b.Slots()[i].Placed;
        if (card == NoCard)
            continue;
        if (card < 0 || card >= board::CardCount)
            return QStringLiteral("slot %1 names card %2").arg(i).arg(card);
        if (slotOf[card] != NoCard)
            return QStringLiteral("card %1 stands in slots %2 and %3")
                .arg(card)
                .arg(slotOf[card])
                .arg(i);
        slotOf[card] = i;
        if (card == dragged)
            return QStringLiteral("card %1 is dragged and placed in slot %2").arg(card).arg(i);
        const board::TwipRect& f = b.ImgSyntactic()[i];
        const board::TwipRect& c = b.ImgName()[card];
        if (!near(c.Left + c.Width / 2, f.Left + f.Width / 2) ||
            !near(c.Top, f.bottom() + board::Board::GapBelowFormula))
            return QStringLiteral("card %1 in slot %2 is at (%3, %4), formula at (%5, %6)")
                .arg(card)
                .arg(i)
                .arg(double(c.Left))
                .arg(double(c.Top))
                .arg(double(f.Left))
                .arg(double(f.Top));
    }

    // Where each name's cards wait in the column, as the board itself puts them.
    board::Board reference = b;
    std::array<board::TwipRect, board::NameCount> home;
    for (int16_t name = 0; name < board::NameCount; ++name) {
        reference.SendHome(name);
        home[name] = reference.ImgName()[name];
    }
    std::set<float> rows;
    for (const auto& r : home)
        rows.insert(r.Top);
    if (rows.size() != size_t(board::NameCount))
        return QStringLiteral("two names share a row of the column");
    for (int16_t card = 0; card < board::CardCount; ++card) {
        if (!b.cardVisible(card))
            return QStringLiteral("card %1 is hidden").arg(card);
        if (slotOf[card] != NoCard || card == dragged)
            continue;
        if (!(b.ImgName()[card] == home[card % board::NameCount]))
            return QStringLiteral("card %1 is in no slot but at (%2, %3), not at home")
                .arg(card)
                .arg(double(b.ImgName()[card].Left))
                .arg(double(b.ImgName()[card].Top));
    }

    // The name picked up waits in the column, marked on its front copy there,
    // and no card is carried meanwhile.
    const board::Exercise& e = w.exercise();
    const int16_t name = e.selectedName();
    const auto front =
        std::find_if(b.frontToBack().begin(), b.frontToBack().end(), [&](int16_t card) {
            return card % board::NameCount == name && slotOf[card] == NoCard;
        });
    const int16_t marked = name == NoCard || front == b.frontToBack().end() ? NoCard : *front;
    if (name != NoCard && dragged != NoCard)
        return QStringLiteral("card %1 is dragged while name %2 is picked up")
            .arg(dragged)
            .arg(name);
    if (name != NoCard && marked == NoCard)
        return QStringLiteral("name %1 is picked up but no copy of it is at home").arg(name);
    if (e.selectedCard() != marked)
        return QStringLiteral("card %1 is marked; name %2 is picked up, its front copy at home is "
                              "card %3")
            .arg(e.selectedCard())
            .arg(name)
            .arg(marked);

    const board::FocusItem f = e.focusItem();
    const int items = f.kind == board::FocusItem::NameRow ? board::NameCount : board::FormulaCount;
    if (f.index < 0 || f.index >= items ||
        (f.kind == board::FocusItem::PlacedCard && b.Slots()[f.index].Placed == NoCard))
        return QStringLiteral("the keyboard stands on %1 %2, which is not there")
            .arg(QLatin1String(f.kind == board::FocusItem::NameRow   ? "row"
                               : f.kind == board::FocusItem::Formula ? "formula"
                                                                     : "the card under formula"))
            .arg(f.index);

    // The label shows the board's grade, a multiple of 5 up to 100.
    static const QRegularExpression percent(QStringLiteral("^(\\d{1,3})%$"));
    const QString caption = QString::fromStdString(b.gradeCaption());
    const QRegularExpressionMatch m = percent.match(caption);
    if (!m.hasMatch() || m.captured(1).toInt() % 5 != 0 || m.captured(1).toInt() > 100 ||
        w.gradeLabel()->text() != caption || w.gradeLabel()->isHidden() == b.gradeVisible())
        return QStringLiteral("grade \"%1\" (shown %2), its label \"%3\" (hidden %4)")
            .arg(caption)
            .arg(b.gradeVisible())
            .arg(w.gradeLabel()->text())
            .arg(w.gradeLabel()->isHidden());
    return {};
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        content::registerBundledFonts();
        previousHandler = qInstallMessageHandler(dropPlatformChatter);
    }

    void aHundredThousandRandomEventsKeepTheBoardSound() {
        ModalCloser closer;
        QStandardPaths::setTestModeEnabled(true);
        UrlCatcher urls;
        const UrlHandlerScope catching(&urls, {"file", "http", "https"});

        Form1 w(std::make_unique<board::RandomSource>(7u));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QWidget elsewhere;
        elsewhere.setGeometry(0, 0, 100, 100);
        elsewhere.show();
        QVERIFY(QTest::qWaitForWindowExposed(&elsewhere));
        w.activateWindow();
        QCoreApplication::processEvents();

        Monkey monkey(w, elsewhere, closer);
        std::set<int16_t> everPlaced;
        std::set<QString> grades;
        QString last;
        for (int i = 0; i < EventCount; ++i) {
            last = monkey.step();
            // Let the window repaint and run whatever the event posted.
            QCoreApplication::processEvents();
            QVERIFY2(w.isVisible(), qPrintable(last));
            const QString broken = monkey.trouble.isEmpty() ? brokenInvariant(w) : monkey.trouble;
            if (!broken.isEmpty())
                QFAIL(
                    qPrintable(QStringLiteral("after event %1 (%2): %3").arg(i).arg(last, broken)));
            for (const auto& slot : w.board().Slots())
                if (slot.Placed != NoCard)
                    everPlaced.insert(slot.Placed);
            if (w.gradeLabel()->isVisible())
                grades.insert(w.gradeLabel()->text());
        }

        // The monkey reached every corner it was meant to.
        qInfo("drops %d, by finger %d, placed by key %d, cards ever placed %zu, grades seen %zu, "
              "explanations %d, after a rest %d, about %d, help %d, worksheet %d",
              monkey.drops, monkey.touchDrops, monkey.keyPlacements, everPlaced.size(),
              grades.size(), closer.shown("Form2"), monkey.rests, closer.shown("frmAbout"),
              closer.shown("QMessageBox"), int(urls.urls.size()));
        QVERIFY(monkey.drops > 100);
        QVERIFY(monkey.touchDrops > 10);
        QVERIFY(monkey.keyPlacements > 100);
        QVERIFY(monkey.rests > 0);
        QVERIFY(everPlaced.size() > 20);
        QVERIFY(grades.size() > 1);
        QVERIFY(closer.shown("Form2") > 100);
        QVERIFY(closer.shown("frmAbout") > 10);
        QVERIFY(closer.shown("QMessageBox") > 10);
        QVERIFY(urls.urls.size() > 10);
        for (const QUrl& url : urls.urls)
            if (url.isLocalFile())
                QFile::remove(url.toLocalFile());
        QVERIFY(w.isVisible());
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
