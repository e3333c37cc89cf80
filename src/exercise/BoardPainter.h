// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Paints the board from the exercise's model: the frame, the formula cards, the
// name cards front to back, and the two marks of the keyboard (the picked-up
// name's shadow and outline, the focus ring).

#include "content/ExerciseSet.h"
#include "exercise/rules/Board.h"
#include "shared/TwipScale.h"

#include <QPixmap>
#include <QRect>
#include <QRegion>
#include <optional>

class QPainter;

struct BoardMarks {
    int16_t liftedCard = board::NoCard;       // the picked-up name's front card
    std::optional<board::TwipRect> focusRing; // where the keyboard stands, when shown
};

class BoardPainter {
public:
    BoardPainter(const board::Board& model, const TwipScale& scale,
                 const content::ExerciseSet& pictures)
        : model_(model), scale_(scale), pictures_(pictures) {}

    QRect toPixels(const board::TwipRect& r) const {
        return scale_.rect(r.Left, r.Top, r.Width, r.Height);
    }
    // Paints what lies in `exposed`; the painter is already clipped to it.
    void paint(QPainter& p, const QRegion& exposed, const BoardMarks& marks) const;
    // While a card is dragged nothing else on the board changes: the rest is
    // painted once into a picture, and each step of the drag copies from it.
    // Asking again during the same drag costs nothing.
    void rememberBoardWithout(int16_t card, QSize pixels, qreal dpr);
    void forgetBoard() { still_ = {}; }
    // Where the marks are drawn, so that a change repaints just that.
    QRegion marksRegion(const BoardMarks& marks) const;

private:
    bool paintFromStill(QPainter& p, const QRegion& exposed, qreal dpr) const;
    int ringWidth() const;
    void paintFrame(QPainter& p, const QRect& bounds) const;
    void paintFormulas(QPainter& p, const QRegion& exposed, qreal dpr) const;
    void paintCards(QPainter& p, const QRegion& exposed, qreal dpr, int16_t lifted,
                    int16_t left = board::NoCard) const;
    void paintMarks(QPainter& p, const BoardMarks& marks) const;

    const board::Board& model_;
    const TwipScale& scale_;
    const content::ExerciseSet& pictures_;
    QPixmap still_;
    int16_t stillWithout_ = board::NoCard;
};
