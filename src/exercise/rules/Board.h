// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exercise board as the program reasons about it: every position in twips,
// the slot table, the column's order and the primitive moves of the exercise,
// with no toolkit in sight. Its state changes only through these operations;
// the gestures that drive them are in Exercise.

#include "content/Pairing.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace board {

// The built-in exercise's sizes; a set of compounds has sizes of its own,
// which the board holds (nameCount(), formulaCount(), cardCount()).
inline constexpr int NameCount = content::NameCount;
inline constexpr int FormulaCount = content::FormulaCount;
inline constexpr int CopiesPerName = 20;
inline constexpr int CardCount = NameCount * CopiesPerName;
inline constexpr int16_t NoCard = -1;

// What the board needs to know of the set of compounds it shows: for each
// formula the name that belongs under it, and how many rows its card has.
// Every name is one formula's, so there are as many names as formulas, and
// every name has as many copies as there are formulas.
struct BoardShape {
    std::vector<int16_t> correctName;
    std::vector<int> formulaRows;
    // The built-in twenty: their cards' own sizes, 5 points a formula.
    bool builtIn = false;
    int size() const { return int(correctName.size()); }
};

BoardShape builtInShape();

// The first formula of each of the frame's three columns, and one past the
// last: ⌈N/3⌉, ⌈(N−1)/3⌉ and ⌊N/3⌋ formulas, top to bottom.
std::array<int, 4> columnStarts(int formulas);

struct TwipRect {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;

    float right() const { return Left + Width; }
    float bottom() const { return Top + Height; }
    bool contains(float x, float y) const {
        return x >= Left && x < right() && y >= Top && y < bottom();
    }
    bool operator==(const TwipRect&) const = default;
};

struct SlotInfo {
    int16_t Points = 0;
    int16_t Correct = 0;
    int16_t Placed = 0;
};

// What lies under the pointer: a name card, a formula, or bare window area
// (the yellow frame is only a drawing and counts as bare window).
struct Hit {
    enum Kind { Card, Formula, Window };
    Kind kind = Window;
    int16_t index = -1;
    bool operator==(const Hit&) const = default;
};

// Uniform numbers in [0, 1); the program seeds it from the clock at every
// Restart, tests give it a fixed seed.
class UniformSource {
public:
    virtual ~UniformSource() = default;
    virtual void seedFromClock() = 0;
    virtual float next() = 0;
};

class Board {
public:
    // The window's inner area; its origin is (0, 0).
    static constexpr float ScaleLeft = 0;
    static constexpr float ScaleTop = 0;
    static constexpr float ScaleWidth = 14850;
    static constexpr float ScaleHeight = 9915;

    static constexpr float PointerToCardLeft =
        60;                                      // a dragged card's left edge, right of the pointer
    static constexpr float GapBelowFormula = 60; // a placed card's top, below its formula
    static constexpr float GapRightOfFrame = 60; // the column's left edge, right of the frame
    static constexpr float EdgeMargin = 180;     // the edge rule's margin (left, top, bottom)
    static constexpr float RightEdgeMargin = 360; // and on the right

    // The built-in exercise, or a set of compounds.
    Board();
    explicit Board(const BoardShape& shape);

    int nameCount() const { return int(homeRow_.size()); }
    int formulaCount() const { return int(formulas_.size()); }
    int cardCount() const { return int(cards_.size()); }
    bool builtIn() const { return builtIn_; }

    // A set's formula cards are drawn at one scale, smaller where a column's
    // cards are too tall for a placed name to stay clear of the next formula;
    // never below MinFormulaScale.
    static constexpr float MinFormulaScale = 0.6f;
    static float formulaScale(const BoardShape& shape);
    // The column (1 to 3) whose formulas do not fit even at the smallest
    // scale, or 0 when the set fits the frame.
    static int columnTooTall(const BoardShape& shape);

    // Start-up, in this order, then a Restart.
    void ArrangeFormulas();
    void InitBoard();

    void SendHome(int16_t index);
    // The body of the Restart command: empty slots, new column order, all home.
    void Restart(UniformSource& random);

    // A card lies in the column when its left edge is at or right of the frame's
    // right edge; it is placed when left of it. Always derived from the position.
    bool inColumn(int16_t card) const;
    bool isPlaced(int16_t card) const { return !inColumn(card); }
    // The control under a point, front to back: visible cards, then formulas.
    Hit hitTest(float x, float y) const;
    // Within the edge rule's margin of the window's inner area.
    static bool nearEdge(float x, float y);
    // Where the cards of the name shown in `row` of the column stand at home.
    TwipRect homeRect(int16_t row) const;

    // A left or middle press on a card. Starts a drag only from the column
    // (bring to front, remember it, hide the grade); returns whether it did.
    bool beginDrag(int16_t card);
    bool dragging() const { return dragging_; }
    // The dragged card follows the pointer: its left edge 60 twips right of it,
    // its vertical middle on it.
    void followPointer(float x, float y);
    // The dragged card settles under the formula; a card that lay there goes home.
    void dropOnFormula(int16_t formula);
    // A drop anywhere but on a formula, the edge rule, or a drag broken off.
    void sendDraggedHome();

    // A double click: a placed card goes back to the column. Returns whether it did.
    bool takeBack(int16_t card);
    // The Check command: returns the sum and shows it as the grade.
    int16_t check();

    int16_t slotHolding(int16_t card) const;
    int16_t frontCardAtHome(int16_t name) const;

    // Rectangles whose look changed since the last call (old and new places of
    // moved cards), so the window repaints only those.
    std::vector<TwipRect> takeDirty();

    // Read-only views of the controls, addressed like the window's controls.
    const TwipRect& Container() const { return container_; }
    const TwipRect& LGrade() const { return grade_; }
    bool gradeVisible() const { return gradeVisible_; }
    const std::string& gradeCaption() const { return gradeCaption_; }
    const std::vector<TwipRect>& ImgSyntactic() const { return formulas_; }
    const std::vector<TwipRect>& ImgName() const { return cards_; }
    bool cardVisible(int16_t card) const { return cardVisible_[size_t(card)]; }
    // Card indexes from front to back; formulas always lie behind every card.
    const std::vector<int16_t>& frontToBack() const { return frontToBack_; }
    const std::vector<SlotInfo>& Slots() const { return slots_; }
    const std::vector<int16_t>& HomeRow() const { return homeRow_; }
    int16_t DragIndex() const { return dragIndex_; }

private:
    void moveCard(int16_t card, float left, float top);
    void bringToFront(int16_t card);
    void markAllDirty();

    TwipRect container_{60, 60, 10875, 9795};
    TwipRect grade_{12480, 60, 1305, 585};
    bool gradeVisible_ = true;
    std::string gradeCaption_ = "100%";
    BoardShape shape_;
    bool builtIn_ = true;
    std::vector<TwipRect> formulas_;
    std::vector<TwipRect> cards_;
    std::vector<bool> cardVisible_;
    std::vector<int16_t> frontToBack_;
    std::vector<SlotInfo> slots_;
    std::vector<int16_t> homeRow_;
    int16_t dragIndex_ = 0;
    bool dragging_ = false;
    std::vector<TwipRect> dirty_;
};

} // namespace board
