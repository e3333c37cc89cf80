// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mark of the link that has the keyboard focus in the About window: a ring
// drawn just above that link, since the window's pictures have no focus look
// of their own. It takes no clicks, so whatever lies under it still gets them.

#include <QWidget>

class FocusRing : public QWidget {
public:
    enum class Shape { Round, Square };

    explicit FocusRing(QWidget* parent);

    // Shows the ring around `area` (in the parent's coordinates), stacked
    // right above `link`: over it, under whatever overlaps it.
    void surround(const QWidget& link, const QRect& area, Shape shape);
    static constexpr int Width = 7;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Shape shape_ = Shape::Square;
};
