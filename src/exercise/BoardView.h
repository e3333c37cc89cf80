#pragma once
// Shows the board model: the frame, the formula cards and the name cards, all
// painted from twips through one scale, and turns the pointer into the
// exercise window's card handlers. Cards are not widgets of their own: a hit
// test on the model says what lies under the pointer.

#include "exercise/Board.h"
#include "shared/TwipScale.h"

#include <QWidget>
#include <vector>

class Form1;

class BoardView : public QWidget {
    Q_OBJECT

public:
    BoardView(Form1& form, const board::Board& model, const TwipScale& scale, QWidget* parent);

    // Repaints the given model rectangles only (a moved card's old and new place).
    void repaintTwips(const std::vector<board::TwipRect>& rects);
    QRect toPixels(const board::TwipRect& r) const;
    QPointF toTwips(QPointF pixels) const;
    // Where the card is drawn right now, in this widget's pixels.
    QRect cardRect(int16_t card) const { return toPixels(model_.ImgName[card]); }
    QRect formulaRect(int16_t formula) const { return toPixels(model_.ImgSyntactic[formula]); }
    // The cursor over the board follows the drag state.
    void updateCursor(QPointF pixels);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void paintFrame(QPainter& p);
    void paintFormulas(QPainter& p, const QRegion& exposed);
    void paintCards(QPainter& p, const QRegion& exposed);

    Form1& form_;
    const board::Board& model_;
    const TwipScale& scale_;
    int16_t pressedCard_ = board::NoCard;
};
