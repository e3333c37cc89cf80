// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Closes every dialog (explanation, About, the help box) as soon as it shows,
// so that tests can drive commands that open modal windows without a person
// to press OK. The dialog's own exec() loop runs the zero-timer that rejects it.

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QHash>
#include <QPointer>
#include <QTimer>

class ModalCloser : public QObject {
public:
    ModalCloser() { qApp->installEventFilter(this); }
    ~ModalCloser() override { qApp->removeEventFilter(this); }
    ModalCloser(const ModalCloser&) = delete;
    ModalCloser& operator=(const ModalCloser&) = delete;

    // How many dialogs of each class have been shown (and closed).
    int shown(const char* className) const { return shown_.value(QByteArray(className)); }
    int shownInAll() const {
        int n = 0;
        for (const int v : shown_)
            n += v;
        return n;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* dialog = qobject_cast<QDialog*>(watched);
            if (dialog && dialog->isWindow()) {
                ++shown_[QByteArray(dialog->metaObject()->className())];
                const QPointer<QDialog> guarded(dialog);
                QTimer::singleShot(0, dialog, [guarded] {
                    if (guarded)
                        guarded->reject();
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QHash<QByteArray, int> shown_;
};
