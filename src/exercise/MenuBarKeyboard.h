// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// F10 takes the keyboard to the menu bar, at its first item, as on GNOME and
// GTK desktops: Left and Right move along the bar, Return, Enter or Space
// chooses, Escape or F10 again gives the keyboard back to the widget that had
// it. Alt alone does the same where the platform lets it reach the bar, but a
// screen reader that listens to the keys can keep it from doing so; F10 is a
// second way that does not depend on it. The bar's divider is never a stop,
// whichever way the bar was reached.

#include <QObject>
#include <QPointer>

class QAction;
class QMenuBar;
class QWidget;

class MenuBarKeyboard : public QObject {
public:
    // `divider` is the item that only separates the bar's two groups.
    MenuBarKeyboard(QMenuBar* bar, QAction* divider);

    // F10: opens the bar at its first item, or closes it when it is open.
    void toggle();
    bool isOpen() const { return open_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void open();
    void close();
    QAction* nextStop(QAction* from, int direction) const;
    bool isStop(const QAction* action) const;

    QMenuBar* bar_;
    QAction* divider_;
    QPointer<QWidget> returnTo_;
    bool open_ = false;
};
