// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mark of the link that has the keyboard focus in the About window: a ring
// drawn over the window's pictures, which themselves have no focus look. It
// takes no clicks, so whatever lies under it still gets them.

#include <QWidget>

class FocusRing : public QWidget {
public:
    enum class Shape { Round, Square };

    explicit FocusRing(QWidget* parent);

    // Shows the ring around `area`, given in the parent's coordinates.
    void surround(const QRect& area, Shape shape);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Shape shape_ = Shape::Square;
};
