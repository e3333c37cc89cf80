// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/FormulaLayout.h"

#include "content/Fonts.h"
#include "content/FormulaDescriptions.h"

#include <QFontMetricsF>
#include <algorithm>
#include <array>

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
                int& carbonsSoFar, FormulaLayout& out) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        PlacedGlyph g;
        g.symbol = QChar::fromLatin1(c);
        g.subscript = isSubscript(c);
        g.inBranch = inBranch;
        g.origin = QPointF(x, g.subscript ? baseline + SubscriptDrop : baseline);
        g.advance = m.advance(c);
        if (!inBranch && isCarbonSymbol(text, i))
            g.carbon = ++carbonsSoFar;
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

FormulaLayout layoutWith(const FormulaDescription& d, const Metrics& m,
                         const std::vector<qreal>& extraBefore, bool slide) {
    FormulaLayout out;
    const bool twoRows = d.hasBranchRow();
    out.space = QSizeF(CardWidth, twoRows ? TwoRowHeight : OneRowHeight);
    out.card = twoRows ? QRectF(QPointF(100, 137), QPointF(15900, 4713))
                       : QRectF(QPointF(100, 132), QPointF(15900, 2608));
    out.mainBaseline = twoRows ? TwoRowBaseline : OneRowBaseline;

    qreal width = 0;
    for (std::size_t i = 0; i < d.mainRow.size(); ++i) {
        const RowItem& item = d.mainRow[i];
        width += extraBefore[i] + (item.isBond ? bondWidth(m, item.bond) : textWidth(m, item.text));
    }

    // The main row, centred on the card.
    qreal x = (CardWidth - width) / 2;
    int carbons = 0;
    for (std::size_t i = 0; i < d.mainRow.size(); ++i) {
        const RowItem& item = d.mainRow[i];
        x += extraBefore[i];
        if (item.isBond) {
            placeBond(m, item.bond, x, out.mainBaseline, out);
            x += bondWidth(m, item.bond);
        } else {
            x = placeText(m, item.text, x, out.mainBaseline, false, carbons, out);
        }
    }

    // Each branch hangs from the middle of its carbon, its first symbol centred
    // under that carbon and the bond centred in the gap between the rows.
    std::vector<qreal> starts;
    std::vector<BranchSpan> spans;
    std::vector<qreal> centres;
    for (const Branch& b : d.branches) {
        const auto carbon =
            std::find_if(out.glyphs.begin(), out.glyphs.end(),
                         [&](const PlacedGlyph& g) { return g.carbon == b.carbon; });
        const qreal centre =
            carbon == out.glyphs.end() ? CardWidth / 2 : carbon->origin.x() + carbon->advance / 2;
        const qreal lead = firstSymbolWidth(m, b.group);
        const qreal start = centre - lead / 2;
        centres.push_back(centre);
        starts.push_back(start);
        spans.push_back({start, start + textWidth(m, b.group), lead * BranchSlideFraction});
    }
    if (slide) {
        for (std::size_t i = 1; i < spans.size(); ++i) {
            const qreal overlap = spans[i - 1].right + BranchClearance - spans[i].left;
            if (overlap <= 0)
                continue;
            const qreal half = overlap / 2;
            starts[i - 1] -= std::min(half, spans[i - 1].slideLimit);
            starts[i] += std::min(half, spans[i].slideLimit);
        }
    }

    const qreal branchBaseline = out.mainBaseline + BranchDrop;
    const qreal gapTop = out.mainBaseline;
    const qreal gapBottom = branchBaseline - m.symbol.capHeight();
    for (std::size_t i = 0; i < d.branches.size(); ++i) {
        const Branch& b = d.branches[i];
        PlacedBranch placed;
        placed.carbon = b.carbon;
        placed.bond = QRectF(centres[i] - VerticalBondWidth / 2,
                             (gapTop + gapBottom - VerticalBondLength) / 2, VerticalBondWidth,
                             VerticalBondLength);
        out.bars.push_back(placed.bond);
        placed.firstGlyph = out.glyphs.size();
        placed.glyphCount = b.group.size();
        int none = 0;
        placeText(m, b.group, starts[i], branchBaseline, true, none, out);
        out.branches.push_back(placed);
    }
    return out;
}

// Index of the main-row item that holds the n-th carbon.
std::size_t itemOfCarbon(const FormulaDescription& d, int n) {
    int seen = 0;
    for (std::size_t i = 0; i < d.mainRow.size(); ++i) {
        if (d.mainRow[i].isBond)
            continue;
        seen += carbonCount(d.mainRow[i].text);
        if (seen >= n)
            return i;
    }
    return d.mainRow.size();
}

} // namespace

FormulaLayout layoutFormula(int formula) {
    const FormulaDescription& d = formulaDescriptions().at(std::size_t(formula));
    const Metrics m;
    std::vector<qreal> extraBefore(d.mainRow.size(), 0.0);

    // Measure the branches where they would stand unmoved and open the main
    // row wherever sliding alone cannot part two of them.
    const FormulaLayout plain = layoutWith(d, m, extraBefore, false);
    for (std::size_t i = 1; i < plain.branches.size(); ++i) {
        const PlacedBranch& a = plain.branches[i - 1];
        const PlacedBranch& b = plain.branches[i];
        const PlacedGlyph& aLast = plain.glyphs[a.firstGlyph + a.glyphCount - 1];
        const PlacedGlyph& bFirst = plain.glyphs[b.firstGlyph];
        const qreal overlap =
            aLast.origin.x() + aLast.advance + BranchClearance - bFirst.origin.x();
        const qreal slideRoom =
            BranchSlideFraction * (firstSymbolWidth(m, d.branches[i - 1].group) +
                                   firstSymbolWidth(m, d.branches[i].group));
        const qreal missing = overlap - slideRoom;
        if (missing <= 0)
            continue;
        // Open the row on both sides of whatever lies between the two carbons.
        const std::size_t from = itemOfCarbon(d, a.carbon) + 1;
        const std::size_t to = itemOfCarbon(d, b.carbon);
        if (from > to || to >= d.mainRow.size())
            continue;
        const qreal share = missing / qreal(to - from + 1);
        for (std::size_t k = from; k <= to; ++k)
            extraBefore[k] += share;
    }
    return layoutWith(d, m, extraBefore, true);
}

} // namespace content
