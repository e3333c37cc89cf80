// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/FormulaLayout.h"

#include "chemistry/structure/StructureReader.h"

#include "content/Fonts.h"
#include "content/FormulaDescriptions.h"

#include <QFontMetricsF>
#include <algorithm>
#include <array>
#include <optional>

namespace content {

using namespace formula_metrics;

namespace {

struct Metrics {
    QFontMetricsF symbol{formulaFont(false)};
    QFontMetricsF subscript{formulaFont(true)};
    // Formulas use a handful of ASCII characters; each is measured once per
    // layout.
    mutable std::array<qreal, 128> advances = [] {
        std::array<qreal, 128> unknown;
        unknown.fill(-1);
        return unknown;
    }();

    qreal advance(char c) const {
        const auto code = static_cast<unsigned char>(c);
        if (code >= advances.size())
            return measure(c);
        qreal& known = advances[code];
        if (known < 0)
            known = measure(c);
        return known;
    }
    qreal measure(char c) const {
        return (isSubscript(c) ? subscript : symbol).horizontalAdvance(QChar::fromLatin1(c));
    }
    // Half way up a capital letter: where horizontal bonds sit.
    qreal letterMiddle(qreal baseline) const { return baseline - symbol.capHeight() / 2; }
};

qreal textWidth(const Metrics& m, std::string_view text) {
    qreal w = 0;
    for (const char c : text)
        w += m.advance(c);
    return w;
}

qreal bondWidth(const Metrics& m, Bond bond) {
    switch (bond) {
    case Bond::Bar:
        return SingleBarLength + 2 * BarSideGap;
    case Bond::Triple:
        return TripleBarLength + 2 * BarSideGap;
    case Bond::Double:
        return m.advance('=');
    }
    return 0;
}

// Appends the glyphs of `text` starting at x; returns the x after them.
qreal placeText(const Metrics& m, std::string_view text, qreal x, qreal baseline, bool inBranch,
                int& atomsSoFar, FormulaLayout& out) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        PlacedGlyph g;
        g.symbol = QChar::fromLatin1(c);
        g.subscript = isSubscript(c);
        g.inBranch = inBranch;
        g.origin = QPointF(x, g.subscript ? baseline + SubscriptDrop : baseline);
        g.advance = m.advance(c);
        if (!inBranch && isAtomSymbol(text, i))
            g.atom = ++atomsSoFar;
        out.glyphs.push_back(g);
        x += g.advance;
    }
    return x;
}

void placeBond(const Metrics& m, Bond bond, qreal x, qreal baseline, FormulaLayout& out) {
    const qreal middle = m.letterMiddle(baseline);
    switch (bond) {
    case Bond::Bar:
        out.bars.emplace_back(x + BarSideGap, middle - SingleBarThickness / 2, SingleBarLength,
                              SingleBarThickness);
        break;
    case Bond::Triple:
        for (int k = -1; k <= 1; ++k)
            out.bars.emplace_back(x + BarSideGap,
                                  middle + k * TripleBarPitch - TripleBarThickness / 2,
                                  TripleBarLength, TripleBarThickness);
        break;
    case Bond::Double: {
        int none = 0;
        placeText(m, "=", x, baseline, false, none, out);
        break;
    }
    }
}

// Width of a branch group's first element symbol: "C", "Cl", "O".
std::size_t firstSymbolLength(std::string_view group) {
    std::size_t n = group.empty() ? 0 : 1;
    while (n < group.size() && group[n] >= 'a' && group[n] <= 'z')
        ++n;
    return n;
}

qreal firstSymbolWidth(const Metrics& m, std::string_view group) {
    return textWidth(m, group.substr(0, firstSymbolLength(group)));
}

} // namespace

// A QFont pixel size is the em height, which is what the lettering's
// character height measures; in card units the two are the same number.
QFont formulaFont(bool subscript) {
    QFont f = sansBold();
    f.setPixelSize(subscript ? SubscriptHeight : SymbolHeight);
    f.setKerning(false);
    return f;
}

namespace {

// Two branches hung from neighbouring carbons ("CH3" and "Cl" under C=C) would
// run into each other. They first slide apart, as far as their bonds still meet
// the middle part of their first symbol; what is still missing is opened up in
// the main row between the two carbons.
constexpr qreal BranchClearance = 450;
constexpr qreal BranchSlideFraction = 0.25; // of the first symbol's width

struct BranchSpan {
    qreal left = 0;
    qreal right = 0;
    qreal slideLimit = 0;
};

QRectF cardRectFor(int rows) {
    switch (rows) {
    case 1:
        return QRectF(QPointF(100, 132), QPointF(15900, 2608));
    case 2:
        return QRectF(QPointF(100, 137), QPointF(15900, 4713));
    default:
        return QRectF(QPointF(100, 137), QPointF(15900, 4713 + BranchDrop));
    }
}

qreal mainBaselineFor(int rows) {
    return rows == 1 ? OneRowBaseline : rows == 2 ? TwoRowBaseline : ThreeRowBaseline;
}

// Neighbouring branches of one row, left to right: the pairs that may collide.
std::vector<std::pair<std::size_t, std::size_t>> neighbourPairs(const FormulaDescription& d) {
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    for (const bool above : {false, true}) {
        std::optional<std::size_t> previous;
        for (std::size_t i = 0; i < d.branches.size(); ++i) {
            if (d.branches[i].above != above)
                continue;
            if (previous)
                pairs.emplace_back(*previous, i);
            previous = i;
        }
    }
    return pairs;
}

FormulaLayout layoutWith(const FormulaDescription& d, const Metrics& m,
                         const std::vector<qreal>& extraBefore, bool slide) {
    FormulaLayout out;
    const int rows = d.rows();
    out.space = formulaSpace(d);
    out.card = cardRectFor(rows);
    out.mainBaseline = mainBaselineFor(rows);

    qreal width = 0;
    for (std::size_t i = 0; i < d.mainRow.size(); ++i) {
        const RowItem& item = d.mainRow[i];
        width += extraBefore[i] + (item.isBond ? bondWidth(m, item.bond) : textWidth(m, item.text));
    }

    // The main row, centred on the card.
    qreal x = (CardWidth - width) / 2;
    int atoms = 0;
    for (std::size_t i = 0; i < d.mainRow.size(); ++i) {
        const RowItem& item = d.mainRow[i];
        x += extraBefore[i];
        if (item.isBond) {
            placeBond(m, item.bond, x, out.mainBaseline, out);
            x += bondWidth(m, item.bond);
        } else {
            x = placeText(m, item.text, x, out.mainBaseline, false, atoms, out);
        }
    }

    // Each branch hangs from the middle of its carbon, its first symbol centred
    // under (or over) that carbon and the bond centred in the gap between the rows.
    std::vector<qreal> starts;
    std::vector<BranchSpan> spans;
    std::vector<qreal> centres;
    for (const Branch& b : d.branches) {
        const auto anchor = std::find_if(out.glyphs.begin(), out.glyphs.end(),
                                         [&](const PlacedGlyph& g) { return g.atom == b.atom; });
        const qreal centre =
            anchor == out.glyphs.end() ? CardWidth / 2 : anchor->origin.x() + anchor->advance / 2;
        const qreal lead = firstSymbolWidth(m, b.group);
        const qreal start = centre - lead / 2;
        centres.push_back(centre);
        starts.push_back(start);
        spans.push_back({start, start + textWidth(m, b.group), lead * BranchSlideFraction});
    }
    if (slide) {
        for (const auto& [left, right] : neighbourPairs(d)) {
            const qreal overlap = spans[left].right + BranchClearance - spans[right].left;
            if (overlap <= 0)
                continue;
            const qreal half = overlap / 2;
            starts[left] -= std::min(half, spans[left].slideLimit);
            starts[right] += std::min(half, spans[right].slideLimit);
        }
    }

    for (std::size_t i = 0; i < d.branches.size(); ++i) {
        const Branch& b = d.branches[i];
        // Below: from the main row's baseline to the top of the branch's
        // capitals; above: from the branch's baseline to the main row's capitals.
        const qreal baseline = out.mainBaseline + (b.above ? -BranchDrop : BranchDrop);
        const qreal gapTop = b.above ? baseline : out.mainBaseline;
        const qreal gapBottom = (b.above ? out.mainBaseline : baseline) - m.symbol.capHeight();
        PlacedBranch placed;
        placed.atom = b.atom;
        placed.above = b.above;
        placed.bond = QRectF(centres[i] - VerticalBondWidth / 2,
                             (gapTop + gapBottom - VerticalBondLength) / 2, VerticalBondWidth,
                             VerticalBondLength);
        out.bars.push_back(placed.bond);
        placed.firstGlyph = out.glyphs.size();
        placed.glyphCount = b.group.size();
        int none = 0;
        placeText(m, b.group, starts[i], baseline, true, none, out);
        out.branches.push_back(placed);
    }
    return out;
}

// `d` written without its drawn single bonds, when it then fits its card and
// reads as the same compound; else empty.
std::string writtenWithoutBars(const FormulaDescription& d) {
    FormulaDescription plain = d;
    std::erase_if(plain.mainRow,
                  [](const RowItem& item) { return item.isBond && item.bond == Bond::Bar; });
    if (plain.mainRow.size() == d.mainRow.size() || !layoutFormula(plain).fits)
        return {};
    const std::string written = writeNotation(plain);
    const chemistry::StructureRead before = chemistry::readStructure(writeNotation(d));
    const chemistry::StructureRead after = chemistry::readStructure(written);
    const bool same = parseFormula(written).ok() && before.ok() && after.ok() &&
                      chemistry::sameCompound(before.structure, after.structure);
    return same ? written : std::string();
}

// Index of the main-row item that holds the n-th atom.
std::size_t itemOfAtom(const FormulaDescription& d, int n) {
    int seen = 0;
    for (std::size_t i = 0; i < d.mainRow.size(); ++i) {
        if (d.mainRow[i].isBond)
            continue;
        seen += atomCount(d.mainRow[i].text);
        if (seen >= n)
            return i;
    }
    return d.mainRow.size();
}

// Shrinks everything about the card's centre until the lettering keeps the
// margin on both sides, as far as the smallest lettering allows.
void fitToCard(FormulaLayout& l) {
    qreal left = l.card.center().x(), right = left;
    for (const PlacedGlyph& g : l.glyphs) {
        left = std::min(left, g.origin.x());
        right = std::max(right, g.origin.x() + g.advance);
    }
    for (const QRectF& bar : l.bars) {
        left = std::min(left, bar.left());
        right = std::max(right, bar.right());
    }
    const QPointF centre(CardWidth / 2, l.space.height() / 2);
    const qreal roomLeft = centre.x() - (l.card.left() + FitMargin);
    const qreal roomRight = (l.card.right() - FitMargin) - centre.x();
    qreal scale = 1;
    if (left < l.card.left() + FitMargin)
        scale = std::min(scale, roomLeft / (centre.x() - left));
    if (right > l.card.right() - FitMargin)
        scale = std::min(scale, roomRight / (right - centre.x()));
    if (scale >= 1)
        return;
    l.neededScale = scale;
    l.fits = scale >= MinLetterScale;
    scale = std::max(scale, MinLetterScale);
    l.letterScale = scale;
    const auto shrink = [&](QPointF p) { return centre + (p - centre) * scale; };
    for (PlacedGlyph& g : l.glyphs) {
        g.origin = shrink(g.origin);
        g.advance *= scale;
    }
    for (QRectF& bar : l.bars)
        bar = QRectF(shrink(bar.topLeft()), shrink(bar.bottomRight()));
    for (PlacedBranch& b : l.branches)
        b.bond = QRectF(shrink(b.bond.topLeft()), shrink(b.bond.bottomRight()));
    l.mainBaseline = shrink(QPointF(0, l.mainBaseline)).y();
}

} // namespace

QSizeF formulaSpace(const FormulaDescription& formula) {
    const int rows = formula.rows();
    return {CardWidth, rows == 1 ? OneRowHeight : rows == 2 ? TwoRowHeight : ThreeRowHeight};
}

std::string formulaTooLongMessage(const FormulaLayout& laid) {
    return "ο τύπος είναι πολύ μακρύς για μια κάρτα: θα χρειαζόταν γράμματα στο " +
           std::to_string(int(laid.neededScale * 100)) +
           "% του ύψους τους, ενώ το ελάχιστο είναι " + std::to_string(int(MinLetterScale * 100)) +
           "% — " +
           (laid.withoutBars.empty()
                ? "γράψτε μικρότερη κύρια σειρά (χωρούν περίπου δέκα ομάδες σαν το CH2)"
                : "χωρά χωρίς τις παύλες των απλών δεσμών: " + laid.withoutBars);
}

FormulaParse readFormulaForCard(std::string_view utf8) {
    FormulaParse parsed = parseFormula(utf8);
    if (!parsed.ok())
        return parsed;
    const FormulaLayout laid = layoutFormula(parsed.formula);
    if (!laid.fits)
        parsed.problems.push_back({1, formulaTooLongMessage(laid), laid.withoutBars});
    return parsed;
}

FormulaLayout layoutFormula(int formula) {
    return layoutFormula(formulaDescriptions().at(std::size_t(formula)));
}

FormulaLayout layoutFormula(const FormulaDescription& d) {
    const Metrics m;
    std::vector<qreal> extraBefore(d.mainRow.size(), 0.0);

    // Measure the branches where they would stand unmoved and open the main
    // row wherever sliding alone cannot part two of them.
    const FormulaLayout plain = layoutWith(d, m, extraBefore, false);
    for (const auto& [left, right] : neighbourPairs(d)) {
        const PlacedBranch& a = plain.branches[left];
        const PlacedBranch& b = plain.branches[right];
        if (a.glyphCount == 0 || b.glyphCount == 0)
            continue;
        const PlacedGlyph& aLast = plain.glyphs[a.firstGlyph + a.glyphCount - 1];
        const PlacedGlyph& bFirst = plain.glyphs[b.firstGlyph];
        const qreal overlap =
            aLast.origin.x() + aLast.advance + BranchClearance - bFirst.origin.x();
        const qreal slideRoom =
            BranchSlideFraction * (firstSymbolWidth(m, d.branches[left].group) +
                                   firstSymbolWidth(m, d.branches[right].group));
        const qreal missing = overlap - slideRoom;
        if (missing <= 0)
            continue;
        // Open the row on both sides of whatever lies between the two carbons.
        const std::size_t from = itemOfAtom(d, a.atom) + 1;
        const std::size_t to = itemOfAtom(d, b.atom);
        if (from > to || to >= d.mainRow.size())
            continue;
        const qreal share = missing / qreal(to - from + 1);
        for (std::size_t k = from; k <= to; ++k)
            extraBefore[k] += share;
    }
    FormulaLayout laid = layoutWith(d, m, extraBefore, true);
    fitToCard(laid);
    if (!laid.fits)
        laid.withoutBars = writtenWithoutBars(d);
    return laid;
}

} // namespace content
