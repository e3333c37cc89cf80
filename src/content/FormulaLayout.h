// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where every symbol and every drawn bond of a formula card goes, in the card's
// own logical space (16000 wide). Kept apart from the painting so that checks
// can read positions instead of pixels.

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
} // namespace formula_metrics

struct PlacedGlyph {
    QChar symbol;
    bool subscript = false;
    bool inBranch = false;
    QPointF origin; // left end of the glyph's baseline
    qreal advance = 0;
    int carbon = 0; // n for the n-th carbon symbol of the main row, else 0
};

struct PlacedBranch {
    int carbon = 0;             // the main-row carbon it hangs from
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
};

// The formula font at main or subscript size, in logical units.
QFont formulaFont(bool subscript);

// The complete arrangement of formula card `formula`.
FormulaLayout layoutFormula(int formula);

} // namespace content
