// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every gesture of the exercise, toolkit-free: the card handlers with their
// order of steps, the one routing of drag-over and drop by what lies under the
// pointer, the edge rule, drags broken off and releases lost, picking a name up
// and placing it by click or key, taking back, the keyboard's place and what
// the commands do. A view feeds it pointer positions in twips and keys, then
// takes the changes: the rectangles to repaint and what happened, in words the
// program cares about.

#include "exercise/rules/Board.h"
#include "exercise/rules/BoardFocus.h"

#include <array>
#include <cstdint>
#include <vector>

namespace board {

enum class Button : uint8_t { Left, Middle, Right, Other };
enum class Key : uint8_t {
    Up,
    Down,
    Left,
    Right,
    Home,
    End,
    Tab,      // to the other zone (the first one only shows where the keyboard is)
    Activate, // Enter or Space: pick a name up, or place it on a formula
    Escape,   // let the picked-up name go
    TakeBack, // Delete or Backspace on a placed card or its formula
    Explain,  // the Menu key: the explanation of the card
};
enum class Pointer : uint8_t { Arrow, Hand, Drop };
// The hint a card gives once the pointer has moved over it.
enum class ToolTip : uint8_t { None, Placed, Column };

struct Happening {
    enum Kind : uint8_t {
        DragBegun,         // card
        SentHome,          // card: a drag that ended anywhere but on a formula
        DragBrokenOff,     // card: sent home without a release (focus lost, window hidden)
        Placed,            // card under formula
        PushedOut,         // card, out of formula's slot by a newer one
        TakenBack,         // card, from formula
        NamePickedUp,      // name
        NameLetGo,         // name
        NothingToPlace,    // formula: activated with no name picked up
        NothingToTakeBack, // formula: a take-back asked of a formula that holds no name
        FocusMoved,        // the keyboard's item changed or was asked for again
        ItemsChanged,      // a card came or went under a formula
        GradeChanged,      // shown, hidden or recomputed
        Checked,           // value: the grade; count: cards sent back to the column
        Restarted,
        ExplainAsked, // name
    };
    Kind kind;
    int16_t card = NoCard;
    int16_t formula = NoCard;
    int16_t name = NoCard;
    int16_t value = 0;
    int16_t count = 0;
    bool operator==(const Happening&) const = default;
};

struct Changes {
    std::vector<TwipRect> dirty;
    std::vector<Happening> happened;
    bool has(Happening::Kind kind) const;
};

class Exercise {
public:
    // The built-in exercise, or the board of a set of compounds.
    explicit Exercise(UniformSource& random, const BoardShape& shape = builtInShape());

    const Board& board() const { return board_; }

    // Start-up steps that belong to the board; the window loads the catalogue
    // between them and the first Restart.
    void ArrangeFormulas() { board_.ArrangeFormulas(); }
    void InitBoard() { board_.InitBoard(); }

    // The card handlers. Drag-over positions are relative to the control the
    // event is for, like any control event; window positions are in twips.
    void ImgName_MouseDown(int16_t index, Button button);
    void ImgName_MouseMove(int16_t index);
    void ImgName_MouseUp(int16_t index, float x, float y);
    void ImgName_DblClick(int16_t index);
    void ImgName_DragOver(int16_t index, float x, float y);
    void ImgName_DragDrop(int16_t index);
    void ImgSyntactic_DragOver(int16_t index, float x, float y);
    void ImgSyntactic_DragDrop(int16_t index);
    void Form_DragOver(float x, float y);
    void Form_DragDrop(float x, float y);

    // The commands that change the board.
    void mnuCheck_Click();
    void mnuRestart_Click();

    // The one routing of a drag: a drag-over or a drop goes to whatever lies
    // under the pointer (window position in twips).
    void dragOverAt(float x, float y);
    void dropAt(float x, float y);

    // The pointer, in window twips. `otherButtonsHeld` tells a press whose
    // earlier release may have been lost from a genuine second button.
    void press(float x, float y, Button button, bool touch, bool otherButtonsHeld = false);
    void move(float x, float y, bool dragButtonHeld);
    void release(float x, float y);
    void doubleClick(float x, float y);
    // A finger has rested on the card it pressed: its drag ends where it began
    // and the card explains itself.
    void longPress();
    bool longPressPending() const { return longPressCard_ != NoCard; }
    // How far a press may move and still count as a click, in twips.
    void setClickSlop(float twips) { clickSlop_ = twips; }
    // Focus lost, window hidden or minimised: a card being carried goes home.
    void breakOff();

    // A key on the board; false when it means nothing here and belongs to the
    // window.
    bool key(Key key);
    // What Enter does on an item, what Delete does, what the Menu key does.
    void activate(FocusItem item);
    void takeBack(FocusItem item);
    void explain(FocusItem item);
    void focusOn(FocusItem item);
    void showFocusRing();

    FocusItem focusItem() const { return focus_; }
    bool focusRingShown() const { return focusVisible_; }
    // The name picked up by the keyboard or a click, waiting for a formula, and
    // the card that shows it; NoCard when none.
    int16_t selectedName() const { return selectedName_; }
    int16_t selectedCard() const;
    Pointer pointerAt(float x, float y) const;
    ToolTip toolTip(int16_t card) const { return toolTips_[size_t(card)]; }

    Changes takeChanges();

private:
    void happen(Happening h) { happened_.push_back(h); }
    void sendDraggedHome();
    void breakOffDrag();
    void placeName(int16_t name, int16_t formula);
    void pickUp(int16_t name);
    void letGo();
    void switchZone();
    void settle();
    int placedCount() const;

    Board board_;
    UniformSource& random_;
    std::vector<ToolTip> toolTips_;

    // A press that has not moved yet may turn out a click (pick the name up)
    // or, for a finger, a long press (explain).
    int16_t pressedCard_ = NoCard;
    float pressX_ = 0;
    float pressY_ = 0;
    bool clickCandidate_ = false;
    int16_t longPressCard_ = NoCard;
    float clickSlop_ = 60;

    FocusItem focus_{FocusItem::NameRow, 0};
    FocusItem lastInColumn_{FocusItem::NameRow, 0};
    FocusItem lastInFormulas_{FocusItem::Formula, 0};
    bool focusVisible_ = false;
    int16_t selectedName_ = NoCard;

    int placedBefore_ = 0;
    bool gradeVisibleBefore_ = true;
    std::string gradeBefore_ = "100%";
    std::vector<Happening> happened_;
};

} // namespace board
