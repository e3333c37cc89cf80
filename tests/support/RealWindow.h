// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Driving the real exercise window in tests as a student would: a window made
// with a fixed shuffle, a pointer whose events go to the top-level window so
// that Qt routes them to whatever lies under it, and the keyboard.

#include "exercise/BoardView.h"
#include "exercise/Form1.h"
#include "exercise/rules/RandomSource.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>
#include <memory>

namespace testing_support {

enum class Activation { Exposed, Active };

inline std::unique_ptr<Form1> makeWindow(uint32_t seed = 42u,
                                         Activation activation = Activation::Exposed) {
    auto w = std::make_unique<Form1>(std::make_unique<board::RandomSource>(seed));
    w->show();
    if (activation == Activation::Active) {
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get()))
            return nullptr;
    } else if (!QTest::qWaitForWindowExposed(w.get())) {
        return nullptr;
    }
    return w;
}

class Pointer {
public:
    explicit Pointer(Form1& w) : w_(w) {}

    QPoint atTwips(float x, float y) const {
        const TwipScale& s = w_.scale();
        return w_.boardView()->mapTo(&w_, QPoint(s.px(x), s.px(y)));
    }
    QPoint onCard(int16_t card) const {
        const auto& r = w_.board().ImgName()[card];
        return atTwips(r.Left + r.Width / 2, r.Top + r.Height / 2);
    }
    QPoint onName(int16_t name) const { return onCard(w_.board().frontCardAtHome(name)); }
    QPoint onFormula(int f) const {
        const auto& r = w_.board().ImgSyntactic()[f];
        return atTwips(r.Left + r.Width / 2, r.Top + r.Height / 2);
    }
    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        held_ |= b;
        send(QEvent::MouseButtonPress, p, b);
    }
    void move(QPoint p) { send(QEvent::MouseMove, p, Qt::NoButton); }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        held_ &= ~b;
        send(QEvent::MouseButtonRelease, p, b);
    }
    void click(QPoint p) {
        press(p);
        release(p);
    }
    void doubleClick(QPoint p) {
        press(p);
        release(p);
        held_ |= Qt::LeftButton;
        send(QEvent::MouseButtonDblClick, p, Qt::LeftButton);
        release(p);
    }
    // The buttons come up without a release reaching the window (another
    // program grabbed the pointer meanwhile).
    void loseRelease() { held_ = Qt::NoButton; }
    // Press, move in a few steps, release: a whole drag.
    void drag(QPoint from, QPoint to, Qt::MouseButton b = Qt::LeftButton) {
        press(from, b);
        for (int i = 1; i <= 4; ++i)
            move(from + (to - from) * i / 4);
        release(to, b);
    }

private:
    void send(QEvent::Type type, QPoint windowPos, Qt::MouseButton button) {
        QWindow* window = w_.windowHandle();
        QMouseEvent e(type, windowPos, window->mapToGlobal(windowPos), button, held_,
                      Qt::NoModifier);
        QApplication::sendEvent(window, &e);
    }
    Form1& w_;
    Qt::MouseButtons held_;
};

// The keyboard, through the window as a real key press would come.
class Keys {
public:
    explicit Keys(Form1& w) : w_(w) {}
    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(w_.windowHandle(), Qt::Key(key), mods);
    }
    board::FocusItem at() const { return w_.exercise().focusItem(); }
    // Shows the ring (the first Tab) and puts the keyboard in the column.
    void toColumn() {
        if (!w_.boardView()->focusRingShown())
            press(Qt::Key_Tab);
        if (at().kind != board::FocusItem::NameRow)
            press(Qt::Key_Tab);
    }
    void toFormulas() {
        toColumn();
        press(Qt::Key_Tab);
    }
    void toName(int16_t name) {
        toColumn();
        press(Qt::Key_Home);
        const int16_t row = w_.board().HomeRow()[name];
        for (int i = 0; i < row; ++i)
            press(Qt::Key_Down);
    }
    // Down the columns of formulas, one column to the right when needed.
    void toItem(board::FocusItem target) {
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
    void toFormula(int16_t f) { toItem({board::FocusItem::Formula, f}); }

private:
    Form1& w_;
};

} // namespace testing_support
