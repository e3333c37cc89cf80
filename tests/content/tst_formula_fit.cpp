// SPDX-License-Identifier: GPL-3.0-or-later
// Any formula the notation reader accepts, on its card: measured with the
// bundled fonts, it is drawn at full size when it fits, smaller (uniformly,
// down to 0.6 of the letter height) when it is wide, and refused as too long
// beyond that; whatever is drawn stays inside the card, on one, two or three
// rows.

#include "content/CardPictures.h"
#include "content/Fonts.h"
#include "content/FormulaDescriptions.h"
#include "content/FormulaLayout.h"
#include "notation/NotationInvariants.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

using namespace content;

namespace {

// Every glyph's advance and every bar lie inside the card's outline.
QString outsideTheCard(const FormulaLayout& l) {
    for (const PlacedGlyph& g : l.glyphs)
        if (g.origin.x() < l.card.left() || g.origin.x() + g.advance > l.card.right() ||
            g.origin.y() < l.card.top() || g.origin.y() > l.card.bottom())
            return QStringLiteral("glyph %1 at %2,%3")
                .arg(g.symbol)
                .arg(g.origin.x())
                .arg(g.origin.y());
    for (const QRectF& bar : l.bars)
        if (!l.card.contains(bar))
            return QStringLiteral("bar at %1,%2").arg(bar.x()).arg(bar.y());
    return {};
}

bool isInk(QRgb c) {
    return qAlpha(c) > 0 && qRed(c) < 100 && qGreen(c) < 100;
}

} // namespace

class TestFormulaFit : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { registerBundledFonts(); }

    void wideFormulasAreDrawnSmallerOrRefused_data() {
        QTest::addColumn<QString>("notation");
        QTest::addColumn<bool>("fullSize");
        QTest::addColumn<bool>("fits");
        QTest::addRow("propane") << "CH3CH2CH3" << true << true;
        QTest::addRow("nonane, smaller") << "CH3CH2CH2CH2CH2CH2CH2CH2CH3" << false << true;
        QTest::addRow("decane, smaller") << "CH3CH2CH2CH2CH2CH2CH2CH2CH2CH3" << false << true;
        QTest::addRow("undecane, too long")
            << "CH3CH2CH2CH2CH2CH2CH2CH2CH2CH2CH3" << false << false;
        QTest::addRow("three rows") << "CH3C(CH3)(CH3)CH3" << true << true;
    }
    void wideFormulasAreDrawnSmallerOrRefused() {
        QFETCH(QString, notation);
        QFETCH(bool, fullSize);
        QFETCH(bool, fits);
        const FormulaParse read = readFormulaForCard(notation.toStdString());
        QCOMPARE(read.ok(), fits);
        if (!fits) {
            QCOMPARE(read.problems.size(), std::size_t(1));
            QVERIFY(QString::fromStdString(read.problems[0].message)
                        .contains(u"ο τύπος είναι πολύ μακρύς για μια κάρτα"));
            return;
        }
        const FormulaLayout l = layoutFormula(read.formula);
        QCOMPARE(l.letterScale == 1, fullSize);
        QVERIFY(l.letterScale >= formula_metrics::MinLetterScale);
        QCOMPARE(outsideTheCard(l), QString());
    }

    // A formula too long only for its drawn single bonds is shown without them.
    void aFormulaTooLongForItsBarsIsShownWithoutThem_data() {
        QTest::addColumn<QString>("notation");
        QTest::addColumn<QString>("suggestion");
        QTest::addRow("octane with bars") << "CH3-CH2-CH2-CH2-CH2-CH2-CH2-CH3"
                                          << "CH3CH2CH2CH2CH2CH2CH2CH3";
        QTest::addRow("the double bond kept") << "CH2=CH-CH2-CH2-CH2-CH2-CH2-CH2-CH3"
                                              << "CH2=CHCH2CH2CH2CH2CH2CH2CH3";
        QTest::addRow("too long even without bars") << "CH3-CH2CH2CH2CH2CH2CH2CH2CH2CH2CH3"
                                                    << "";
    }
    void aFormulaTooLongForItsBarsIsShownWithoutThem() {
        QFETCH(QString, notation);
        QFETCH(QString, suggestion);
        const FormulaParse read = readFormulaForCard(notation.toStdString());
        QCOMPARE(read.problems.size(), std::size_t(1));
        const QString message = QString::fromStdString(read.problems[0].message);
        QCOMPARE(QString::fromStdString(read.problems[0].suggestion), suggestion);
        QCOMPARE(message.contains(QStringLiteral(u"χωρά χωρίς τις παύλες των απλών δεσμών: ") +
                                  suggestion),
                 !suggestion.isEmpty());
        if (!suggestion.isEmpty())
            QVERIFY(readFormulaForCard(suggestion.toStdString()).ok());
    }

    // The built-in cards are drawn at full size: their pictures do not change.
    void theBuiltInFormulasNeedNoShrinking() {
        for (const FormulaDescription& f : formulaDescriptions())
            QCOMPARE(layoutFormula(f).letterScale, 1.0);
    }

    // A second branch stands above its carbon, the first below, each joined
    // to it by a vertical bond, on a card one row taller.
    void aThreeRowCardHasARowAboveAndARowBelow() {
        const FormulaParse read = parseFormula("CH3C(CH3)(Cl)CH3");
        QVERIFY(read.ok());
        const FormulaLayout l = layoutFormula(read.formula);
        QCOMPARE(l.space.height(), formula_metrics::ThreeRowHeight);
        QCOMPARE(l.branches.size(), std::size_t(2));
        const PlacedBranch& below = l.branches[0];
        const PlacedBranch& above = l.branches[1];
        QVERIFY(!below.above && above.above);
        QVERIFY(l.glyphs[below.firstGlyph].origin.y() > l.mainBaseline + 2000);
        QVERIFY(l.glyphs[above.firstGlyph].origin.y() < l.mainBaseline - 2000);
        QCOMPARE(l.glyphs[above.firstGlyph].symbol, QChar(u'C'));
        QVERIFY(below.bond.top() > l.mainBaseline && above.bond.bottom() < l.mainBaseline);

        // Painted, the card shows lettering in its top and bottom thirds.
        QImage image(320, 145, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            paintFormulaCard(p, read.formula, QRectF(0, 0, 320, 145));
        }
        const auto inkIn = [&](int top, int bottom) {
            for (int y = top; y < bottom; ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (isInk(image.pixel(x, y)) && x > 20 && x < 300)
                        return true;
            return false;
        };
        QVERIFY(inkIn(8, 40));
        QVERIFY(inkIn(105, 137));
    }

    // Even a formula too long for a card, were it drawn, stays on its card.
    void aFormulaTooLongIsNeverDrawnOutsideItsCard() {
        const FormulaParse read = parseFormula("CH3CH2CH2CH2CH2CH2CH2CH2CH2CH2CH2CH2CH2CH3");
        QVERIFY(read.ok());
        QVERIFY(!layoutFormula(read.formula).fits);
        QImage image(400, 80, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        const QRect card(40, 20, 320, 40);
        {
            QPainter p(&image);
            paintFormulaCard(p, read.formula, card);
        }
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!card.adjusted(-1, -1, 1, 1).contains(x, y))
                    QVERIFY2(qAlpha(image.pixel(x, y)) == 0,
                             qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    }

    // Any formula the reader accepts is drawn inside its card, or refused.
    void everyAcceptedFormulaDrawsInsideItsCard() {
        // Chains of links between two ends, a few links breaking a bond count.
        static const char* const links[] = {
            "CH2",   "CH2",        "CH(CH3)",    "CH(Cl)", "C(CH3)(CH3)", "CH2CH2CH2",
            "-CH2-", "CH=CH",      "C≡C",        "O",      "CH(OH)",      "CO",
            "COO",   "CH(CH2CH3)", "C(Br)(CH3)", "=",      "C",           "CH"};
        static const char* const ends[] = {"CH3", "COOH", "CH2OH", "Cl", "NH2", "CHO", "I"};
        QRandomGenerator random(8122026);
        int accepted = 0, shrunk = 0, refused = 0;
        for (int n = 0; n < 20000; ++n) {
            std::string text = "CH3";
            const int length = int(random.bounded(0, 14));
            for (int k = 0; k < length; ++k)
                text += links[random.bounded(int(std::size(links)))];
            text += ends[random.bounded(int(std::size(ends)))];
            const FormulaParse read = readFormulaForCard(text);
            if (!read.ok()) {
                refused += parseFormula(text).ok() ? 1 : 0;
                continue;
            }
            ++accepted;
            const FormulaLayout l = layoutFormula(read.formula);
            shrunk += l.letterScale < 1 ? 1 : 0;
            QVERIFY2(l.fits, text.c_str());
            const QString outside = outsideTheCard(l);
            QVERIFY2(outside.isEmpty(), qPrintable(QString::fromStdString(text) + ": " + outside));
        }
        qInfo() << accepted << "accepted," << shrunk << "drawn smaller," << refused
                << "too long for a card";
        QVERIFY(accepted > 200 && shrunk > 10 && refused > 5);
    }
};

QTEST_MAIN(TestFormulaFit)
#include "tst_formula_fit.moc"
