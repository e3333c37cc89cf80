// SPDX-License-Identifier: GPL-3.0-or-later
// The forty card pictures: how the names fit, the shape of every formula (rows,
// branches, drawn bonds), its subscripts as painted, the pairing and the cache.

#include "content/CardPictures.h"
#include "content/Fonts.h"
#include "content/FormulaDescriptions.h"
#include "content/FormulaLayout.h"
#include "content/Pairing.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <map>
#include <set>

using namespace content;

namespace {

// For each name card, the formula it belongs under.
constexpr int ExpectedSlotOfName[NameCount] = {5,  19, 6, 4,  2,  3,  16, 7, 15, 13,
                                               12, 10, 8, 11, 18, 17, 9,  1, 14, 0};

// What each formula card shows: the main row's characters (drawn bars left
// out), how many single and triple bonds are drawn as bars, and every branch
// as "n:group" (the group stands under the n-th C of the main row).
struct FormulaRow {
    const char* mainRow;
    int singleBars;
    int tripleBars;
    std::vector<std::pair<int, QString>> branches;
};

const FormulaRow ExpectedFormulas[FormulaCount] = {
    {"CH3CH2CH3", 0, 0, {}},
    {"CH3CH2CHCH3", 0, 0, {{3, "CH3"}}},
    {"CH3CH2CHCH2CHCH3", 0, 0, {{3, "CH3"}, {5, "CH3"}}},
    {"CH3CH=CHCH3", 0, 0, {}},
    {"CH3CH2CH2CCH", 0, 1, {}},
    {"CH2=CHCH=CH2", 0, 0, {}},
    {"CH3CH2CH2I", 0, 0, {}},
    {"CH3CHCH2CH3", 0, 0, {{2, "Cl"}}},
    {"CH3C=CCH2CH=CH2", 1, 0, {{2, "CH3"}, {3, "Cl"}}},
    {"CH3OCH2CH3", 2, 0, {}},
    {"CH2=CCH2CHCH3", 1, 0, {{2, "CH3"}, {4, "OH"}}},
    {"CH3CHO", 0, 0, {}},
    {"CH3CH2COCH2CH3", 0, 0, {}},
    {"CH3CH2CHCOCH3", 0, 0, {{3, "CH3"}}},
    {"CH3CH2COOH", 0, 0, {}},
    {"CHCCH2COOH", 0, 1, {}},
    {"CH3CHCOOH", 0, 0, {{2, "OH"}}},
    {"CH3COCOOH", 0, 0, {}},
    {"CH3COOCH3", 0, 0, {}},
    {"CH3CH2CH2NH2", 0, 0, {}},
};

const std::set<int> TwoRowSlots = {1, 2, 7, 8, 10, 13, 16};

QString glyphText(const FormulaLayout& l, bool inBranch, std::size_t from = 0,
                  std::size_t count = SIZE_MAX) {
    QString s;
    for (std::size_t i = from; i < l.glyphs.size() && i - from < count; ++i)
        if (l.glyphs[i].inBranch == inBranch)
            s += l.glyphs[i].symbol;
    return s;
}

// The n-th carbon symbol of the main row found from the drawn glyphs alone:
// a "C" whose next main-row glyph is not a lower-case letter.
const PlacedGlyph* nthDrawnCarbon(const FormulaLayout& l, int n) {
    std::vector<const PlacedGlyph*> row;
    for (const PlacedGlyph& g : l.glyphs)
        if (!g.inBranch)
            row.push_back(&g);
    int seen = 0;
    for (std::size_t i = 0; i < row.size(); ++i) {
        const bool lowerNext = i + 1 < row.size() && row[i + 1]->symbol.isLower();
        if (row[i]->symbol == u'C' && !lowerNext && ++seen == n)
            return row[i];
    }
    return nullptr;
}

// Ink of one glyph, in card units.
QRectF inkOf(const PlacedGlyph& g) {
    return QFontMetricsF(formulaFont(g.subscript))
        .tightBoundingRect(QString(g.symbol))
        .translated(g.origin);
}

bool isInk(QRgb p) {
    // Letters, bars and outline are near-black; the card is yellow, the page
    // around it white.
    return qRed(p) < 160 && qGreen(p) < 160;
}

// A formula card painted at a known scale on an opaque page.
constexpr qreal PixelsPerUnit = 0.1;

QImage paintedFormula(int formula) {
    const QSizeF space = pictureSpace(CardKind::Formula, formula) * PixelsPerUnit;
    QImage image(space.toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    paintCard(p, CardKind::Formula, formula, QRectF(QPointF(0, 0), space));
    return image;
}

int colourDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

struct Ink {
    QRgb colour = 0; // what the fully covered pixels show
    QRectF box;      // pixels at least half covered, in card units
};

// The ink inside `area` (card units) that differs from the card's `fill`: its
// solid colour is the commonest one, its box that of the pixels at least half
// way from the fill to that colour.
Ink inkIn(const QImage& image, const QRectF& area, QRgb fill) {
    const QRect px(
        QPoint(int(std::ceil(area.left() * PixelsPerUnit)),
               int(std::ceil(area.top() * PixelsPerUnit))),
        QPoint(int(area.right() * PixelsPerUnit) - 1, int(area.bottom() * PixelsPerUnit) - 1));
    std::map<QRgb, int> counts;
    for (int y = px.top(); y <= px.bottom(); ++y)
        for (int x = px.left(); x <= px.right(); ++x)
            if (const QRgb c = image.pixel(x, y); colourDistance(c, fill) > 8)
                ++counts[c];
    Ink ink;
    if (counts.empty())
        return ink;
    ink.colour = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                     return a.second < b.second;
                 })->first;
    const int half = colourDistance(ink.colour, fill) / 2;
    QRect box;
    for (int y = px.top(); y <= px.bottom(); ++y)
        for (int x = px.left(); x <= px.right(); ++x)
            if (colourDistance(image.pixel(x, y), fill) >= half)
                box |= QRect(x, y, 1, 1);
    ink.box = QRectF(QPointF(box.topLeft()) / PixelsPerUnit, QSizeF(box.size()) / PixelsPerUnit);
    return ink;
}

} // namespace

class TestCardPictures : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        registerBundledFonts();
        QVERIFY(QFontInfo(sansBold()).family().contains(QLatin1String("Liberation Sans")));
        QVERIFY(QFontInfo(serifBold()).family().contains(QLatin1String("Liberation Serif")));
    }

    void everyNameFitsInsideItsOutline_data() {
        QTest::addColumn<int>("card");
        for (int k = 0; k < NameCount; ++k)
            QTest::addRow("%s", qPrintable(nameText(k))) << k;
    }
    void everyNameFitsInsideItsOutline() {
        QFETCH(int, card);
        const QFontMetricsF fm(nameFont());
        const QString name = nameText(card);
        const qreal width = fm.horizontalAdvance(name);
        const qreal left = (pictureSpace(CardKind::Name, card).width() - width) / 2;
        const QRectF ink = fm.tightBoundingRect(name).translated(left, NameBaseline);
        const QRectF inside = nameCardRect().adjusted(NameOutlinePen / 2, NameOutlinePen / 2,
                                                      -NameOutlinePen / 2, -NameOutlinePen / 2);
        QVERIFY2(inside.contains(ink), qPrintable(QStringLiteral("ink %1,%2 to %3,%4")
                                                      .arg(ink.left())
                                                      .arg(ink.top())
                                                      .arg(ink.right())
                                                      .arg(ink.bottom())));
        // The letters are as large as a card allows: the longest name spans
        // nearly the whole card, which a smaller stand-in face would not.
        if (card == 12)
            QVERIFY2(width > 0.9 * inside.width(), qPrintable(QString::number(width)));
    }

    void twoRowFormulasAreExactlyTheBranchedOnes() {
        for (int i = 0; i < FormulaCount; ++i) {
            const bool expected = TwoRowSlots.count(i) == 1;
            QCOMPARE(formulaDescriptions()[std::size_t(i)].hasBranchRow(), expected);
            QCOMPARE(pictureSpace(CardKind::Formula, i), QSizeF(16000, expected ? 4850 : 2740));
        }
        QCOMPARE(int(formulaDescriptions().size()), FormulaCount);
    }

    void formulasShowTheirGroupsAndBonds_data() {
        QTest::addColumn<int>("formula");
        for (int i = 0; i < FormulaCount; ++i)
            QTest::addRow("%d_%s", i, ExpectedFormulas[i].mainRow) << i;
    }
    void formulasShowTheirGroupsAndBonds() {
        QFETCH(int, formula);
        const FormulaRow& expected = ExpectedFormulas[formula];
        const FormulaLayout l = layoutFormula(formula);
        QCOMPARE(glyphText(l, false), QString::fromLatin1(expected.mainRow));

        const qreal branchBaseline = l.mainBaseline + formula_metrics::BranchDrop;
        for (const PlacedGlyph& g : l.glyphs) {
            const qreal rowBaseline = g.inBranch ? branchBaseline : l.mainBaseline;
            // Subscripts are measured on the painted card below.
            if (!g.symbol.isDigit())
                QCOMPARE(g.origin.y(), rowBaseline);
            QVERIFY(!g.symbol.isSpace());
        }
        if (TwoRowSlots.count(formula)) {
            QVERIFY(l.mainBaseline >= 1600 && l.mainBaseline <= 1775);
            QVERIFY(branchBaseline - l.mainBaseline >= 2366);
            QVERIFY(branchBaseline - l.mainBaseline <= 2472);
        } else {
            QCOMPARE(l.mainBaseline, 1757.0);
        }

        // Drawn bonds: one bar per single bond, three per triple bond, one
        // vertical bar per branch, each of its own size.
        int singles = 0, tripleBars = 0, verticals = 0;
        for (const QRectF& bar : l.bars) {
            if (qFuzzyCompare(bar.width(), 165.0) && bar.height() > 800 && bar.height() < 900)
                ++verticals;
            else if (bar.width() >= 590 && bar.width() <= 680 && bar.height() > 150 &&
                     bar.height() < 250)
                ++singles;
            else if (bar.width() > 850 && bar.width() < 970 && bar.height() > 90 &&
                     bar.height() < 120)
                ++tripleBars;
            else
                QFAIL("a bar of no known kind");
        }
        QCOMPARE(singles, expected.singleBars);
        QCOMPARE(tripleBars, 3 * expected.tripleBars);
        QCOMPARE(verticals, int(expected.branches.size()));

        // The main row, bars included, is centred on the card.
        qreal left = 1e9, right = -1e9;
        for (const PlacedGlyph& g : l.glyphs) {
            if (g.inBranch)
                continue;
            left = std::min(left, g.origin.x());
            right = std::max(right, g.origin.x() + g.advance);
        }
        QVERIFY2(std::abs((left + right) / 2 - 8000) < 1, qPrintable(QString::number(left)));

        // Nothing touches the outline.
        const QRectF inside = l.card.adjusted(60, 60, -60, -60);
        for (const PlacedGlyph& g : l.glyphs)
            QVERIFY2(inside.contains(inkOf(g)), qPrintable(QString(g.symbol)));
        for (const QRectF& bar : l.bars)
            QVERIFY(inside.contains(bar));
    }

    void branchesHangUnderTheCarbonTheyBelongTo_data() {
        QTest::addColumn<int>("formula");
        for (int i : TwoRowSlots)
            QTest::addRow("%d_%s", i, ExpectedFormulas[i].mainRow) << i;
    }
    void branchesHangUnderTheCarbonTheyBelongTo() {
        QFETCH(int, formula);
        const FormulaRow& expected = ExpectedFormulas[formula];
        const FormulaLayout l = layoutFormula(formula);
        QCOMPARE(l.branches.size(), expected.branches.size());
        const qreal capHeight = QFontMetricsF(formulaFont(false)).capHeight();
        qreal previousRight = -1e9;
        for (std::size_t b = 0; b < l.branches.size(); ++b) {
            const PlacedBranch& branch = l.branches[b];
            const auto& [carbonNumber, group] = expected.branches[b];
            QCOMPARE(glyphText(l, true, branch.firstGlyph, branch.glyphCount), group);

            const PlacedGlyph* carbon = nthDrawnCarbon(l, carbonNumber);
            QVERIFY(carbon);
            const qreal bondX = branch.bond.center().x();
            // The bond leaves the middle of the carbon...
            QVERIFY(std::abs(bondX - (carbon->origin.x() + carbon->advance / 2)) < 1);
            // ...runs down from below the main row to above the branch...
            QVERIFY(branch.bond.top() > l.mainBaseline);
            QVERIFY(branch.bond.bottom() <
                    l.mainBaseline + formula_metrics::BranchDrop - capHeight);
            // ...and meets the middle part of the branch's first symbol.
            const PlacedGlyph& first = l.glyphs[branch.firstGlyph];
            QVERIFY(first.inBranch);
            const qreal firstWidth = group == QLatin1String("Cl")
                                         ? first.advance + l.glyphs[branch.firstGlyph + 1].advance
                                         : first.advance;
            QVERIFY(bondX > first.origin.x() + 0.2 * firstWidth);
            QVERIFY(bondX < first.origin.x() + 0.8 * firstWidth);

            // Branches never run into each other.
            const PlacedGlyph& last = l.glyphs[branch.firstGlyph + branch.glyphCount - 1];
            QVERIFY2(first.origin.x() > previousRight + 100, "branches collide");
            previousRight = last.origin.x() + last.advance;
        }
    }

    // A branch leaves the middle of the atom it hangs from, a nitrogen as a
    // carbon, however many other atoms come before it.
    void branchesHangUnderTheirAtom_data() {
        QTest::addColumn<QString>("notation");
        QTest::addColumn<int>("glyph"); // the main-row glyph of that atom
        QTest::addRow("nitrogen") << "CH3N(CH3)CH3" << 3;
        QTest::addRow("carbon after an oxygen") << "CH3OCH2CH(CH3)CH3" << 7;
    }
    void branchesHangUnderTheirAtom() {
        QFETCH(QString, notation);
        QFETCH(int, glyph);
        const FormulaParse read = parseFormula(notation.toStdString());
        QVERIFY(read.ok());
        const FormulaLayout l = layoutFormula(read.formula);
        QCOMPARE(l.branches.size(), std::size_t(1));
        const PlacedGlyph& atom = l.glyphs[std::size_t(glyph)];
        QVERIFY(!atom.inBranch);
        QVERIFY(std::abs(l.branches[0].bond.center().x() - (atom.origin.x() + atom.advance / 2)) <
                1);
    }

    void oneRowCardsPaintNothingBelowTheirMainRow_data() {
        QTest::addColumn<int>("formula");
        for (int i = 0; i < FormulaCount; ++i)
            QTest::addRow("%d_%s", i, ExpectedFormulas[i].mainRow) << i;
    }
    void oneRowCardsPaintNothingBelowTheirMainRow() {
        QFETCH(int, formula);
        const QSizeF space = pictureSpace(CardKind::Formula, formula);
        const QImage image = paintedFormula(formula);
        constexpr qreal scale = PixelsPerUnit;
        // Below the lowest subscript of the main row and inside the outline.
        const int top = int((1757 + 297 + 742 * 0.3 + 60) * scale);
        const int bottom = int((space.height() - 300) * scale);
        int ink = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = int(600 * scale); x < int(15400 * scale); ++x)
                ink += isInk(image.pixel(x, y)) ? 1 : 0;
        if (TwoRowSlots.count(formula))
            QVERIFY(ink > 0); // the branch row is there
        else
            QCOMPARE(ink, 0);
    }

    // Every digit is a subscript: painted half as tall as the letter before it,
    // its baseline 297 units lower, in the letters' black. Measured on the
    // painted card, so that a wrong size, drop or colour anywhere between the
    // layout and the pixels shows.
    void subscriptsArePaintedSmallLowAndInTheLettersColour_data() {
        QTest::addColumn<int>("formula");
        for (int i = 0; i < FormulaCount; ++i)
            QTest::addRow("%d_%s", i, ExpectedFormulas[i].mainRow) << i;
    }
    void subscriptsArePaintedSmallLowAndInTheLettersColour() {
        QFETCH(int, formula);
        const FormulaLayout l = layoutFormula(formula);
        const QImage image = paintedFormula(formula);
        const QRectF inside = l.card.adjusted(100, 100, -100, -100);
        const QPointF blank(inside.left() + 200, inside.center().y());
        const QRgb fill = image.pixel((blank * PixelsPerUnit).toPoint());
        // The main row above, the branch row (if any) below half way between
        // their baselines.
        qreal split = inside.bottom();
        for (const PlacedGlyph& g : l.glyphs)
            if (g.inBranch && !g.symbol.isDigit())
                split = std::min(split, (l.mainBaseline + g.origin.y()) / 2);
        // A glyph's ink: within its advance, less a pixel either side that
        // a neighbour's edge may shade, and within its row.
        const auto inkOfGlyph = [&](const PlacedGlyph& g) {
            const qreal margin = 1 / PixelsPerUnit;
            return inkIn(image,
                         QRectF(QPointF(g.origin.x() + margin, g.inBranch ? split : inside.top()),
                                QPointF(g.origin.x() + g.advance - margin,
                                        g.inBranch ? inside.bottom() : split)),
                         fill);
        };

        int digits = 0;
        for (std::size_t i = 0; i < l.glyphs.size(); ++i) {
            const PlacedGlyph& digit = l.glyphs[i];
            if (!digit.symbol.isDigit())
                continue;
            ++digits;
            QVERIFY(i > 0);
            const PlacedGlyph& letter = l.glyphs[i - 1];
            QVERIFY(letter.symbol.isUpper() && letter.inBranch == digit.inBranch);
            const Ink small = inkOfGlyph(digit);
            const Ink big = inkOfGlyph(letter);
            const QByteArray where =
                QStringLiteral("%1%2 at glyph %3: ink %4 high, %5 lower "
                               "than the letter's %6; colours %7, %8")
                    .arg(letter.symbol)
                    .arg(digit.symbol)
                    .arg(i)
                    .arg(small.box.height())
                    .arg(small.box.bottom() - big.box.bottom())
                    .arg(big.box.height())
                    .arg(QColor(small.colour).name(), QColor(big.colour).name())
                    .toUtf8();
            QVERIFY2(!small.box.isEmpty() && !big.box.isEmpty(), where.constData());
            const qreal ratio = small.box.height() / big.box.height();
            QVERIFY2(ratio > 0.4 && ratio < 0.6, where.constData());
            const qreal drop = small.box.bottom() - big.box.bottom();
            QVERIFY2(std::abs(drop - 297) < 40, where.constData());
            QVERIFY2(small.colour == big.colour, where.constData());
            QVERIFY2(QColor(big.colour) == QColor(0, 0, 0), where.constData());
        }
        QVERIFY(digits > 0);
    }

    void plainTextReadsTheFormula_data() {
        QTest::addColumn<int>("formula");
        QTest::addColumn<QString>("text");
        QTest::addRow("propane") << 0 << QStringLiteral("CH3-CH2-CH3");
        QTest::addRow("branch_after_its_carbon") << 1 << QStringLiteral("CH3-CH2-CH(CH3)-CH3");
        QTest::addRow("two_branches") << 2 << QStringLiteral("CH3-CH2-CH(CH3)-CH2-CH(CH3)-CH3");
        QTest::addRow("double_bond") << 3 << QStringLiteral("CH3-CH=CH-CH3");
        QTest::addRow("triple_bond") << 4 << QStringLiteral(u"CH3-CH2-CH2-C≡CH");
        QTest::addRow("bar_between_branched_carbons")
            << 8 << QStringLiteral("CH3-C(CH3)=C(Cl)-CH2-CH=CH2");
        QTest::addRow("ether_bars") << 9 << QStringLiteral("CH3-O-CH2-CH3");
        QTest::addRow("hydroxy_branch") << 10 << QStringLiteral("CH2=C(CH3)-CH2-CH(OH)-CH3");
        QTest::addRow("leading_triple_bond") << 15 << QStringLiteral(u"CH≡C-CH2-COOH");
        QTest::addRow("acid_branch") << 16 << QStringLiteral("CH3-CH(OH)-COOH");
    }
    void plainTextReadsTheFormula() {
        QFETCH(int, formula);
        QFETCH(QString, text);
        QCOMPARE(formulaPlainText(formula), text);
    }

    void pairingIsABijectionBothWays() {
        std::set<int> slotsSeen, namesSeen;
        for (int k = 0; k < NameCount; ++k) {
            const int slot = CorrectFormulaForName[std::size_t(k)];
            QCOMPARE(slot, ExpectedSlotOfName[k]);
            QVERIFY(slot >= 0 && slot < FormulaCount);
            slotsSeen.insert(slot);
            QCOMPARE(int(CorrectNameForFormula[std::size_t(slot)]), k);
        }
        for (int i = 0; i < FormulaCount; ++i)
            namesSeen.insert(CorrectNameForFormula[std::size_t(i)]);
        QCOMPARE(int(slotsSeen.size()), FormulaCount);
        QCOMPARE(int(namesSeen.size()), NameCount);
    }

    void eachPictureRendersOncePerSizeAndRatio_data() {
        QTest::addColumn<qreal>("dpr");
        QTest::addColumn<QSize>("size");
        QTest::addRow("ratio_1") << 1.0 << QSize(227, 23);
        QTest::addRow("ratio_1_25") << 1.25 << QSize(227, 23);
        QTest::addRow("ratio_1_5") << 1.5 << QSize(227, 23);
        QTest::addRow("ratio_2") << 2.0 << QSize(227, 23);
        QTest::addRow("ratio_2_other_size") << 2.0 << QSize(180, 18);
    }
    void eachPictureRendersOncePerSizeAndRatio() {
        QFETCH(qreal, dpr);
        QFETCH(QSize, size);
        const int before = cardRenderCount();
        const QPixmap first = cardPixmap(CardKind::Name, 12, size, dpr);
        QCOMPARE(cardRenderCount(), before + 1);
        // A copy of the same name (card 32 shows name 12) is the same picture.
        const QPixmap copy = cardPixmap(CardKind::Name, 32 % NameCount, size, dpr);
        QCOMPARE(cardRenderCount(), before + 1);
        QCOMPARE(copy.cacheKey(), first.cacheKey());
        QCOMPARE(first.devicePixelRatio(), dpr);
        QCOMPARE(first.size(), (QSizeF(size) * dpr).toSize());
        // A formula card is a picture of its own.
        cardPixmap(CardKind::Formula, 12, size, dpr);
        QCOMPARE(cardRenderCount(), before + 2);
        cardPixmap(CardKind::Formula, 12, size, dpr);
        QCOMPARE(cardRenderCount(), before + 2);
    }
};

QTEST_MAIN(TestCardPictures)
#include "tst_cardpictures.moc"
