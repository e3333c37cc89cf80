// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The explanation window: how the name of one compound is built, in four
// sections (carbon atoms, bonds, kind of compound, positions and substituents),
// each a heading, the name fragment in a red box and the reason beside it.

#include "shared/TwipScale.h"

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

class Form2 : public QDialog {
    Q_OBJECT

public:
    explicit Form2(const TwipScale& scale);

    // Loads the row of the card right-clicked last and shows it application-
    // modal; returns when the window has been closed (by "OK" or its close box).
    void showModal();

    // The fixed heading of section 0 to 3.
    static QString headingText(int section);

    // Section 0 to 3 as one text for a screen reader: the heading, the name
    // fragment and the reason, in the order shown, with Greek ordinals; the
    // labels themselves keep their texts as shown.
    QString sectionSpokenText(int section) const;

    // Where section 0 to 3 lies in the window: its heading, fragment and reason.
    QRect sectionRect(int section) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class Form2Accessible;

    void Form_Load();
    void Command1_Click();
    void applyWindowColours();

    TwipScale scale_;
    // Per section s: the fragment is Label1(3s), the heading Label1(3s + 1),
    // the reason Label1(3s + 2).
    std::array<QLabel*, 12> Label1{};
    QPushButton* Command1 = nullptr;
};
