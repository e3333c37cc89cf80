// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader finds on the board: the board itself, one child per
// focus item (the rows of the column of names, the formulas, the cards placed
// under them) and the grade label. Cards and formulas are painted, not
// widgets, so their interfaces are made here from the model.
//
// A screen reader follows the focus: it reads an object's name, role and
// description when the focus comes to it, and Orca (with Qt 6.4, which sends
// no announcements) says nothing when the name or description of the object it
// already stands on changes. So every step the student must hear ends in a
// focus event on the keyboard's item, and an item whose words change under the
// keyboard is handed to the reader as a new object that takes the focus.

#include "content/ExerciseSet.h"
#include "exercise/rules/Exercise.h"

#include <QString>

class BoardView;
class QAccessibleEvent;

// Registers the factory that gives every BoardView its interface; once per
// program, later calls do nothing.
void installBoardAccessibility();

// The name a screen reader gives an item: a card's compound name, and for a
// placed card the formula it lies under; a formula read out plainly.
QString
accessibleItemName(const board::Board& b, board::FocusItem item,
                   const content::ExerciseSet& compounds = *content::ExerciseSet::builtIn());

// The words an item's description is made of, as a voice should say them.
namespace boardWords {
// A name in the column that waits for a formula.
QString pickedUp();
// A name let go without being placed.
QString noLongerPickedUp();
// Enter on a formula with no name waiting.
QString nothingPickedUp();
// Delete or Backspace on a formula with no name under it.
QString nothingUnderFormula();
// A card that left a formula for the column.
QString wentBack(int16_t name,
                 const content::ExerciseSet& compounds = *content::ExerciseSet::builtIn());
// A check: the grade and how many cards went back to the column.
QString checked(int grade, int sentBack);
// Where the item lies: its place among the twenty names or formulas.
QString place(board::FocusItem item, int count = board::FormulaCount);
} // namespace boardWords

// Tells a screen reader what a step of the exercise changed on the board and,
// while the board has the focus, presents the keyboard's item when it moved or
// its words changed.
void announceChanges(BoardView* view, const board::Changes& changes);
// Presents the keyboard's item: the board has just got the focus.
void announceFocusItem(BoardView* view);
// The board has lost the focus: what the last step did has been heard, and a
// reader that comes back hears the item as it stands.
void announceFocusLeft(BoardView* view);

// Every accessibility event of the board and the grade goes out here, to Qt
// and so to a screen reader. A watcher, if set, sees each one too: where the
// platform has no screen-reader bridge (offscreen) Qt drops them unseen.
void announce(QAccessibleEvent& event);
using AnnouncementWatcher = void (*)(const QAccessibleEvent& event);
void watchAnnouncements(AnnouncementWatcher watcher);
