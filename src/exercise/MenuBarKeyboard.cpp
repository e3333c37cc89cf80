// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/MenuBarKeyboard.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>

MenuBarKeyboard::MenuBarKeyboard(QMenuBar* bar, QAction* divider)
    : QObject(bar), bar_(bar), divider_(divider) {
    bar_->installEventFilter(this);
}

void MenuBarKeyboard::toggle() {
    if (open_) {
        close();
    } else if (bar_->hasFocus()) {
        // Reached by Alt: the bar's own way back gives the keyboard back.
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(bar_, &escape);
    } else {
        open();
    }
}

void MenuBarKeyboard::open() {
    QAction* first = nextStop(nullptr, +1);
    if (!first || !bar_->isVisible())
        return;
    QWidget* had = QApplication::focusWidget();
    returnTo_ = had && had->window() == bar_->window() ? had : nullptr;
    open_ = true;
    bar_->setFocus(Qt::MenuBarFocusReason);
    // Made active after the bar has the focus, so that a screen reader hears
    // the item as the one the keyboard is on.
    bar_->setActiveAction(first);
}

void MenuBarKeyboard::close() {
    if (!open_)
        return;
    open_ = false;
    bar_->setActiveAction(nullptr);
    // Also when the window is not active (a dialog opened from the bar): the
    // widget named here gets the keyboard when the window is active again.
    if (bar_->window()->focusWidget() == bar_) {
        if (returnTo_)
            returnTo_->setFocus(Qt::MenuBarFocusReason);
        else
            bar_->clearFocus();
    }
    returnTo_ = nullptr;
}

bool MenuBarKeyboard::isStop(const QAction* action) const {
    return action && action != divider_ && action->isVisible() && action->isEnabled() &&
           !action->isSeparator();
}

QAction* MenuBarKeyboard::nextStop(QAction* from, int direction) const {
    const QList<QAction*> items = bar_->actions();
    const qsizetype n = items.size();
    if (n == 0)
        return nullptr;
    qsizetype at = from ? items.indexOf(from) : -1;
    if (at < 0)
        at = direction > 0 ? n - 1 : 0;
    // Round the bar, as the bar's own keys go, past anything that is no stop.
    for (qsizetype step = 1; step <= n; ++step) {
        QAction* candidate = items[((at + direction * step) % n + n) % n];
        if (isStop(candidate))
            return candidate;
    }
    return nullptr;
}

bool MenuBarKeyboard::eventFilter(QObject* watched, QEvent* event) {
    if (watched != bar_)
        return false;
    if (event->type() == QEvent::FocusOut) {
        close();
        return false;
    }
    if (event->type() != QEvent::KeyPress || !bar_->activeAction())
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Right:
    case Qt::Key_Left:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        // Alt's way too steps here, so that the divider is never a stop.
        const bool back = key->key() == Qt::Key_Left || key->key() == Qt::Key_Backtab;
        if (QAction* next = nextStop(bar_->activeAction(), back ? -1 : +1))
            bar_->setActiveAction(next);
        return true;
    }
    default:
        break;
    }
    if (!open_)
        return false;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: {
        QAction* chosen = bar_->activeAction();
        // The keyboard goes back first: a command that opens a dialog returns
        // to the board when the dialog closes.
        close();
        if (isStop(chosen))
            chosen->trigger();
        return true;
    }
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}
