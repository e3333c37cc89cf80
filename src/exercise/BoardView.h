#pragma once
// Shows the board model: the frame, the formula cards and the name cards, all
// painted from twips through one scale, and turns the pointer, the keyboard and
// touch into the exercise window's card handlers. Cards are not widgets of
// their own: a hit test on the model says what lies under the pointer, and the
// focus items of BoardFocus say where the keyboard stands.

#include "exercise/Board.h"
#include "exercise/BoardFocus.h"
#include "shared/TwipScale.h"

#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <vector>

class Form1;

class BoardView : public QWidget {
    Q_OBJECT

public:
    BoardView(Form1& form, const board::Board& model, const TwipScale& scale, QWidget* parent);

    // Repaints the given model rectangles only (a moved card's old and new place).
    void repaintTwips(const std::vector<board::TwipRect>& rects);
    // After every change of the model: the keyboard's place and the picked-up
    // name follow the cards, and a screen reader hears of it.
    void afterModelChange();
    QRect toPixels(const board::TwipRect& r) const;
    QPointF toTwips(QPointF pixels) const;
    // Where the card is drawn right now, in this widget's pixels.
    QRect cardRect(int16_t card) const { return toPixels(model_.ImgName[card]); }
    QRect formulaRect(int16_t formula) const { return toPixels(model_.ImgSyntactic[formula]); }
    QRect itemRect(board::FocusItem item) const { return toPixels(board::rectOf(model_, item)); }
    // The cursor over the board follows the drag state.
    void updateCursor(QPointF pixels);
    enum class Pointer { Arrow, Hand, Drop };
    void showPointer(Pointer pointer);

    const board::Board& model() const { return model_; }
    // Where the keyboard stands, and whether its ring is shown (from the first
    // key on; a pointer press hides it again).
    board::FocusItem focusItem() const { return focus_; }
    bool focusRingShown() const { return focusVisible_ && hasFocus(); }
    void setFocusItem(board::FocusItem item);
    // The name picked up by the keyboard or by a click, waiting for a formula;
    // NoCard when none.
    int16_t selectedName() const { return selectedName_; }
    void clearSelection();
    // What Enter does on an item: pick up a name, place the picked-up name on a
    // formula (or on the formula a placed card lies under).
    void activate(board::FocusItem item);
    // What the Menu key does on an item that shows a card: its explanation.
    void explain(board::FocusItem item);
    // What Delete does on a placed card (or its formula): take the card back.
    void takeBack(board::FocusItem item);

    // How long a finger must rest on a card to open its explanation.
    static constexpr int LongPressMs = 600;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void forgetLostPress();
    Pointer shownPointer_ = Pointer::Arrow;
    void paintFrame(QPainter& p, const QRect& bounds);
    void paintFormulas(QPainter& p, const QRegion& exposed);
    void paintCards(QPainter& p, const QRegion& exposed);
    void paintDecorations(QPainter& p);
    qreal targetRatio(QPainter& p) const;
    void refreshDecorations();
    QRegion decorationRegion() const;
    int16_t selectedCard() const;
    void select(int16_t name);
    void switchZone();
    void showFocusRing();
    void announceFocus();
    void onLongPress();
    bool isTouch(const QMouseEvent* event) const;
    int ringWidth() const;

    Form1& form_;
    const board::Board& model_;
    const TwipScale& scale_;
    int16_t pressedCard_ = board::NoCard;

    board::FocusItem focus_{board::FocusItem::NameRow, 0};
    board::FocusItem lastInColumn_{board::FocusItem::NameRow, 0};
    board::FocusItem lastInFormulas_{board::FocusItem::Formula, 0};
    bool focusVisible_ = false;
    int16_t selectedName_ = board::NoCard;
    QRegion decorated_;
    size_t itemCount_ = 0;

    // A press that has not moved yet may turn out a click (select) or, for a
    // finger, a long press (explain).
    QPointF pressPos_;
    bool clickCandidate_ = false;
    QTimer longPress_;
    int16_t longPressCard_ = board::NoCard;
    // The Menu key arrives as a key press and, on some platforms, also as a
    // keyboard context-menu event: the explanation opens once.
    bool skipMenuKey_ = false;
    bool skipContextMenu_ = false;
};
