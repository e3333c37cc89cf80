// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where every symbol and every drawn bond of a formula card goes, in the card's
// own logical space (16000 wide). Kept apart from the painting so that checks
// can read positions instead of pixels.

#include "content/notation/FormulaNotation.h"

#include <QChar>
#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <vector>

namespace content {

namespace formula_metrics {
// Heights are font em heights in logical units: the size at which a symbol's
// em square is as tall as the card's lettering is meant to be.
inline constexpr int SymbolHeight = 1484;
inline constexpr int SubscriptHeight = 742;
inline constexpr qreal SubscriptDrop = 297; // subscript baseline below the main baseline
inline constexpr qreal OneRowBaseline = 1757;
inline constexpr qreal TwoRowBaseline = 1690;
inline constexpr qreal BranchDrop = 2400; // branch baseline below the main baseline
inline constexpr qreal VerticalBondWidth = 165;
inline constexpr qreal VerticalBondLength = 856;
inline constexpr qreal TripleBarLength = 910;
inline constexpr qreal TripleBarThickness = 107;
inline constexpr qreal TripleBarPitch = 320;
inline constexpr qreal SingleBarLength = 630;
inline constexpr qreal SingleBarThickness = 200;
inline constexpr qreal BarSideGap = 90; // clear space either side of a drawn bar
inline constexpr qreal CardWidth = 16000;
inline constexpr qreal OneRowHeight = 2740;
inline constexpr qreal TwoRowHeight = 4850;
// A third row above the main one: the card grows by one row's drop.
inline constexpr qreal ThreeRowHeight = TwoRowHeight + BranchDrop;
inline constexpr qreal ThreeRowBaseline = TwoRowBaseline + BranchDrop;
// Lettering keeps this far inside the card's outline; wider lettering is drawn
// smaller, down to MinLetterScale of its height, and beyond that the formula
// is too long for a card.
inline constexpr qreal FitMargin = 150;
inline constexpr qreal MinLetterScale = 0.6;
} // namespace formula_metrics

struct PlacedGlyph {
    QChar symbol;
    bool subscript = false;
    bool inBranch = false;
    QPointF origin; // left end of the glyph's baseline
    qreal advance = 0;
    int atom = 0; // n for the n-th atom symbol (H apart) of the main row, else 0
};

struct PlacedBranch {
    int atom = 0;               // the main-row atom it hangs from
    bool above = false;         // stands above the main row
    QRectF bond;                // the vertical bar
    std::size_t firstGlyph = 0; // its glyphs: [firstGlyph, firstGlyph + glyphCount)
    std::size_t glyphCount = 0;
};

struct FormulaLayout {
    QSizeF space;
    QRectF card; // the rounded rectangle
    qreal mainBaseline = 0;
    std::vector<PlacedGlyph> glyphs;
    std::vector<QRectF> bars; // every drawn bond, vertical ones included
    std::vector<PlacedBranch> branches;
    // Lettering, bars and rows shrunk uniformly about the card's centre so
    // that the formula fits; 1 for a formula that fits as drawn.
    qreal letterScale = 1;
    // False when even at the smallest lettering the formula would stand
    // outside its card: it is too long for a card.
    bool fits = true;
    // The lettering's scale that the formula would need to fit.
    qreal neededScale = 1;
    // When the formula does not fit but would with its drawn single bonds
    // left out, it so written; else empty.
    std::string withoutBars;
};

// The formula font at main or subscript size, in logical units.
QFont formulaFont(bool subscript);

// The complete arrangement of a formula's card.
FormulaLayout layoutFormula(const FormulaDescription& formula);
// ... of built-in formula card `formula`.
FormulaLayout layoutFormula(int formula);

// The card's drawing space for a formula of one, two or three rows.
QSizeF formulaSpace(const FormulaDescription& formula);

// The notation read and fitted to a card, measured with the bundled fonts: the
// notation's problems, or else the one that the formula is too long for a card.
FormulaParse readFormulaForCard(std::string_view utf8);
// What to tell of a formula whose layout does not fit its card.
std::string formulaTooLongMessage(const FormulaLayout& laid);

} // namespace content
