// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The school's round logo, drawn as vector shapes at whatever size its control
// has: a badge in the control's top-right corner with the school's name around
// its rim and a benzene ring in the middle. The rest of the control is clear,
// so the white square and the photo show through, and it is cut away from the
// control too: a click there reaches whatever shows through.

#include <QWidget>

class SchoolLogo : public QWidget {
public:
    explicit SchoolLogo(QWidget* parent = nullptr);

    // The badge's circle in the control's own coordinates.
    QRectF badgeRect() const;
    static QString schoolName();
    static QString motto();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
