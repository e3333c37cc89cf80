// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About window: the exercise's title and year, the school's round logo, a
// photo, the authors' credit line, a usage notice and three web links, which
// the keyboard reaches too (Tab, then Enter or Space).

#include "shared/TwipScale.h"

#include <QDialog>
#include <QString>
#include <QWindow>

class FocusRing;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;
class SchoolLogo;

class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(const TwipScale& scale);

    // Loads the window afresh and shows it modally; returns when it is closed.
    void showModal();

    // The three links: each opens its page and leaves the window open.
    void Image1_Click();
    void Label1_Click();
    void logo2_Click();
    void cmdClose_Click();

    // The window's client area and the texts it shows, for whoever lays out
    // or checks it.
    static QString caption();
    static QString creditLine();
    static QString noticeSentence();
    // The notice as last loaded, line break included.
    QString notice() const { return notice_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void buildControls();
    void follow(QWidget* link);
    bool activate(QObject* link);

    TwipScale scale_;
    // What the notice box shows, rebuilt at every loading.
    QString notice_;
    // Never shown: it stands in as the owner so that the window keeps out of
    // the task bar without belonging to the exercise window.
    QWindow hiddenOwner_;

    QWidget* logo1 = nullptr;
    QLabel* logo2 = nullptr;
    SchoolLogo* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QPlainTextEdit* Comment = nullptr;
    QPushButton* cmdClose = nullptr;
    FocusRing* focusRing_ = nullptr;
};
