#pragma once
// What a screen reader finds on the board: the board itself, one child per
// focus item (the rows of the column of names, the formulas, the cards placed
// under them) and the grade label. Cards and formulas are painted, not
// widgets, so their interfaces are made here from the model.

#include "exercise/rules/Exercise.h"

#include <QString>

class BoardView;
class QAccessibleEvent;

// Registers the factory that gives every BoardView its interface; once per
// program, later calls do nothing.
void installBoardAccessibility();

// The name a screen reader gives an item: a card's compound name, and for a
// placed card the formula it lies under; a formula read out plainly.
QString accessibleItemName(const board::Board& b, board::FocusItem item);

// Tells a screen reader what a step of the exercise changed on the board.
void announceChanges(BoardView* view, const board::Changes& changes);
// Tells a screen reader where the keyboard stands now.
void announceFocusItem(BoardView* view, board::FocusItem item);

// Every accessibility event of the board and the grade goes out here, to Qt
// and so to a screen reader. A watcher, if set, sees each one too: where the
// platform has no screen-reader bridge (offscreen) Qt drops them unseen.
void announce(QAccessibleEvent& event);
using AnnouncementWatcher = void (*)(const QAccessibleEvent& event);
void watchAnnouncements(AnnouncementWatcher watcher);
