// The built-in catalogue: the exact characters of its texts (Latin letters
// hidden among Greek ones), its empty fields, its agreement with the name cards,
// and that every text fits the explanation window's labels.

#include "content/CardPictures.h"
#include "content/Catalogue.h"
#include "content/Fonts.h"
#include "exercise/Form1.h"
#include "shared/Module1.h"
#include "shared/TwipScale.h"

#include <QFontMetrics>
#include <QTextLayout>
#include <QtTest>

#include <array>
#include <tuple>
#include <vector>

namespace {

constexpr int FieldCount = 9;
constexpr std::array<const char*, FieldCount> FieldNames{
    "FullName",  "CarbonPart",  "CarbonReason", "BondPart",      "BondReason",
    "ClassPart", "ClassReason", "PositionPart", "PositionReason"};
constexpr int PositionPart = 7;
constexpr int PositionReason = 8;

std::array<QString, FieldCount> fieldsOf(const NameInfo& r) {
    return {r.FullName,  r.CarbonPart,  r.CarbonReason, r.BondPart,      r.BondReason,
            r.ClassPart, r.ClassReason, r.PositionPart, r.PositionReason};
}

const std::array<NameInfo, 20>& table() {
    static const std::array<NameInfo, 20> t = content::compoundCatalogue();
    return t;
}

bool isLatinLetter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// The label sizes of the explanation window, in twips.
constexpr double ReasonWidth = 6375, ReasonHeight = 615;
constexpr double FragmentWidth = 3495, FragmentHeight = 315;
constexpr double LabelPoints = 12;

struct Wrapped {
    int lines = 0;
    qreal widest = 0;
    qreal height = 0;
};

// Lays the text out the way a word-wrapping label does.
Wrapped wrap(const QString& text, const QFont& font, int width) {
    QTextLayout layout(text, font);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    Wrapped w;
    const QFontMetricsF fm(font);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, w.height));
        w.height += fm.lineSpacing();
        w.widest = std::max(w.widest, line.naturalTextWidth());
        ++w.lines;
    }
    layout.endLayout();
    // The last line needs only its own height, not the spacing below it.
    if (w.lines > 0)
        w.height -= fm.lineSpacing() - fm.height();
    return w;
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { content::registerBundledFonts(); }

    void latinSmallOOnlyInTheListedOrdinals();
    void everyCarbonAtomCountEndsInLatinC();
    void latinAndGreekCapitalsInRowsElevenAndFourteen();
    void theOddTextsAreKeptAsTaught_data();
    void theOddTextsAreKeptAsTaught();
    void textsAreCleanUnicode_data();
    void textsAreCleanUnicode();
    void onlyRows13_18_19LackAPosition();
    void loadingNamesAgainGivesTheSameTable();
    void fullNameIsTheNamePrintedOnItsCard_data();
    void fullNameIsTheNamePrintedOnItsCard();
    void reasonsFitTwoLinesOfTheirLabel_data();
    void reasonsFitTwoLinesOfTheirLabel();
    void fragmentsFitOneLineOfTheirLabel_data();
    void fragmentsFitOneLineOfTheirLabel();
};

void TestCatalogue::latinSmallOOnlyInTheListedOrdinals() {
    using Place = std::tuple<int, int, QString>; // row, field, ordinal
    std::vector<Place> found;
    std::vector<Place> greekOrdinals;
    for (int row = 0; row < 20; ++row) {
        const auto fields = fieldsOf(table()[size_t(row)]);
        for (int f = 0; f < FieldCount; ++f) {
            const QString& t = fields[size_t(f)];
            for (qsizetype k = 0; k < t.size(); ++k) {
                if (t[k] == QChar(0x006F)) {
                    // Every Latin o ends an ordinal: a digit before it, no letter after.
                    QVERIFY2(k > 0 && t[k - 1].isDigit(),
                             qPrintable(QStringLiteral("row %1 %2: Latin o inside a word")
                                            .arg(row)
                                            .arg(QLatin1String(FieldNames[size_t(f)]))));
                    QVERIFY(k + 1 == t.size() || !t[k + 1].isLetter());
                    found.emplace_back(row, f, t.mid(k - 1, 2));
                } else if (t[k] == QChar(0x03BF) && k > 0 && t[k - 1].isDigit()) {
                    greekOrdinals.emplace_back(row, f, t.mid(k - 1, 2));
                }
            }
        }
    }
    const std::vector<Place> expected{
        {0, PositionReason, QStringLiteral("1o")},  {4, PositionReason, QStringLiteral("2o")},
        {5, PositionReason, QStringLiteral("2o")},  {12, PositionReason, QStringLiteral("5o")},
        {12, PositionReason, QStringLiteral("4o")}, {12, PositionReason, QStringLiteral("1o")},
        {12, PositionReason, QStringLiteral("4o")}, {17, PositionReason, QStringLiteral("2o")},
    };
    QCOMPARE(found, expected);
    // The other fourteen ordinals keep the Greek omicron, e.g. row 0's "3ο" and row 1's "1ο".
    QCOMPARE(greekOrdinals.size(), size_t(14));
    QCOMPARE(greekOrdinals.front(), Place(0, PositionReason, QStringLiteral(u"3ο")));
    QCOMPARE(std::get<0>(greekOrdinals[1]), 1);
}

void TestCatalogue::everyCarbonAtomCountEndsInLatinC() {
    // "άτομα C" / "άτομο C": the letter after the word and its space.
    const QString atoms = QStringLiteral(u"άτομα ");
    const QString atom = QStringLiteral(u"άτομο ");
    int counted = 0;
    for (int row = 0; row < 20; ++row) {
        for (const QString& t : fieldsOf(table()[size_t(row)])) {
            for (const QString& word : {atoms, atom}) {
                for (qsizetype k = t.indexOf(word); k >= 0; k = t.indexOf(word, k + 1)) {
                    const qsizetype c = k + word.size();
                    QVERIFY2(c < t.size() && t[c] == QChar(0x0043),
                             qPrintable(QStringLiteral("row %1: %2").arg(row).arg(t)));
                    QVERIFY(c + 1 == t.size() || t[c + 1] == u' ');
                    ++counted;
                }
            }
            // Besides the ordinals' o, no Latin letter but these capitals.
            for (QChar ch : t)
                if (isLatinLetter(ch))
                    QVERIFY2(ch == u'C' || ch == u'H' || ch == u'o', qPrintable(t));
        }
    }
    // Every row's carbon reason, and every non-empty position reason but
    // rows 14 and 16, name at least one atom; rows 9, 11 name two.
    QCOMPARE(counted, 20 + 15 + 2);
    // ...and that is every Latin C there is.
    int latinC = 0;
    for (const NameInfo& r : table())
        for (const QString& t : fieldsOf(r))
            latinC += int(t.count(QChar(0x0043)));
    QCOMPARE(latinC, counted);
}

void TestCatalogue::latinAndGreekCapitalsInRowsElevenAndFourteen() {
    const QString h = table()[14].PositionReason;
    QCOMPARE(h.count(QChar(0x0048)), 1);
    QVERIFY(!h.contains(QChar(0x0397)));
    QCOMPARE(h.mid(h.indexOf(QChar(0x0048)) - 3, 5), QStringLiteral(u"το H "));

    const QString oh = table()[11].PositionReason;
    QVERIFY(oh.contains(QStringLiteral(u"\u039F\u0397")));
    QVERIFY(!oh.contains(QChar(u'O')));
    QVERIFY(!oh.contains(QChar(u'H')));

    // No other row writes an H of either script.
    for (int row = 0; row < 20; ++row) {
        if (row == 11 || row == 14)
            continue;
        for (const QString& t : fieldsOf(table()[size_t(row)]))
            QVERIFY(!t.contains(QChar(0x0048)) && !t.contains(QChar(0x0397)));
    }
}

void TestCatalogue::theOddTextsAreKeptAsTaught_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addRow("row0_latin_1o_and_greek_3o")
        << 0 << PositionReason
        << QStringLiteral(u"γιατί έχει τους δύο διπλούς δεσμούς στο 1o και 3ο άτομο C");
    QTest::addRow("row5_says_atoma")
        << 5 << PositionReason << QStringLiteral(u"γιατί έχει το διπλό δεσμό στο 2o άτομα C");
    QTest::addRow("row11_says_why_twice")
        << 11 << 4 << QStringLiteral(u"γιατί γιατί είναι ακόρεστη με 1 διπλό δεσμό");
    QTest::addRow("row11_accent_and_spaced_dots")
        << 11 << PositionPart << QStringLiteral(u"4-μέθυλο-4 ... 2-όλη");
    QTest::addRow("row13_upsilon_with_dialytika_and_tonos")
        << 13 << 6 << QStringLiteral(u"γιατί είναι αλδεΰδη");
    QTest::addRow("row12_four_latin_ordinals")
        << 12 << PositionReason
        << QStringLiteral(u"γιατί έχει μεθύλιο στο 5o, χλώριο στο 4o και δύο διπλούς δεσμούς στο "
                          u"1o και 4o άτομο C");
}

void TestCatalogue::theOddTextsAreKeptAsTaught() {
    QFETCH(int, row);
    QFETCH(int, field);
    QFETCH(QString, text);
    QCOMPARE(fieldsOf(table()[size_t(row)])[size_t(field)], text);
}

void TestCatalogue::textsAreCleanUnicode_data() {
    QTest::addColumn<int>("row");
    for (int row = 0; row < 20; ++row)
        QTest::addRow("row%02d", row) << row;
}

void TestCatalogue::textsAreCleanUnicode() {
    QFETCH(int, row);
    const auto fields = fieldsOf(table()[size_t(row)]);
    for (int f = 0; f < FieldCount; ++f) {
        const QString& t = fields[size_t(f)];
        const QByteArray where = QByteArray(FieldNames[size_t(f)]) + ": " + t.toUtf8();
        QCOMPARE(t.normalized(QString::NormalizationForm_C), t);
        QCOMPARE(t.trimmed(), t);
        for (QChar ch : t) {
            QVERIFY2(!ch.isSpace() || ch == QChar(0x0020), where.constData());
            QVERIFY2(ch.category() != QChar::Mark_NonSpacing, where.constData());
            QVERIFY2(!ch.isNull() && ch.isPrint(), where.constData());
        }
        QVERIFY2(!t.contains(QStringLiteral("  ")), where.constData());
    }
}

void TestCatalogue::onlyRows13_18_19LackAPosition() {
    for (int row = 0; row < 20; ++row) {
        const auto fields = fieldsOf(table()[size_t(row)]);
        const bool noPosition = row == 13 || row == 18 || row == 19;
        for (int f = 0; f < FieldCount; ++f) {
            const bool positional = f == PositionPart || f == PositionReason;
            const QString& t = fields[size_t(f)];
            // Empty, never absent: a null QString would be a different value.
            QVERIFY(!t.isNull());
            QVERIFY2(t.isEmpty() == (noPosition && positional),
                     qPrintable(QStringLiteral("row %1 %2")
                                    .arg(row)
                                    .arg(QLatin1String(FieldNames[size_t(f)]))));
        }
    }
}

void TestCatalogue::loadingNamesAgainGivesTheSameTable() {
    std::array<NameInfo, 20> first;
    {
        Form1 form;
        first = Module1::CompoundNames;
    }
    // Spoil the shared table; a second start-up must build it afresh.
    Module1::CompoundNames[0].FullName += QStringLiteral("x");
    Module1::CompoundNames[19] = NameInfo{};
    {
        Form1 form;
        for (int row = 0; row < 20; ++row) {
            const auto a = fieldsOf(first[size_t(row)]);
            const auto b = fieldsOf(Module1::CompoundNames[size_t(row)]);
            for (int f = 0; f < FieldCount; ++f)
                QCOMPARE(b[size_t(f)], a[size_t(f)]);
        }
    }
    for (int row = 0; row < 20; ++row)
        for (int f = 0; f < FieldCount; ++f)
            QCOMPARE(fieldsOf(first[size_t(row)])[size_t(f)],
                     fieldsOf(table()[size_t(row)])[size_t(f)]);
}

void TestCatalogue::fullNameIsTheNamePrintedOnItsCard_data() {
    QTest::addColumn<int>("row");
    for (int row = 0; row < 20; ++row)
        QTest::addRow("card%02d", row) << row;
}

void TestCatalogue::fullNameIsTheNamePrintedOnItsCard() {
    QFETCH(int, row);
    QCOMPARE(table()[size_t(row)].FullName, content::nameText(row));
}

// The window's scale depends on the screen: full size, the factor the exercise
// window picks on this screen, and a few smaller ones.
static void addScaledRows(const char* what) {
    QTest::addColumn<int>("row");
    QTest::addColumn<double>("fit");
    std::vector<double> fits{1.0, 0.9, 0.75, 0.6};
    {
        Form1 form;
        fits.push_back(form.scale().fit());
    }
    for (double fit : fits)
        for (int row = 0; row < 20; ++row)
            QTest::addRow("%s_row%02d_fit%03d", what, row, int(std::lround(fit * 100)))
                << row << fit;
}

void TestCatalogue::reasonsFitTwoLinesOfTheirLabel_data() {
    addScaledRows("reasons");
}

void TestCatalogue::reasonsFitTwoLinesOfTheirLabel() {
    QFETCH(int, row);
    QFETCH(double, fit);
    const TwipScale scale(fit);
    const QFont font = scale.font(content::sansBold(), LabelPoints);
    QVERIFY(QFontInfo(font).family().startsWith(QStringLiteral("Liberation Sans")));
    const QSize label = scale.size(ReasonWidth, ReasonHeight);
    const NameInfo& r = table()[size_t(row)];
    for (const QString& reason : {r.CarbonReason, r.BondReason, r.ClassReason, r.PositionReason}) {
        const Wrapped w = wrap(reason, font, label.width());
        QVERIFY2(w.lines <= 2, qPrintable(reason));
        QVERIFY2(w.widest <= label.width(), qPrintable(reason));
        QVERIFY2(w.height <= label.height(), qPrintable(reason));
        // The label's own measure agrees.
        const QRect box = QFontMetrics(font).boundingRect(
            QRect(0, 0, label.width(), 10 * label.height()),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, reason);
        QVERIFY2(box.width() <= label.width() && box.height() <= label.height(),
                 qPrintable(reason));
    }
}

void TestCatalogue::fragmentsFitOneLineOfTheirLabel_data() {
    addScaledRows("fragments");
}

void TestCatalogue::fragmentsFitOneLineOfTheirLabel() {
    QFETCH(int, row);
    QFETCH(double, fit);
    const TwipScale scale(fit);
    const QFont font = scale.font(content::sansBold(), LabelPoints);
    const QFontMetrics fm(font);
    const QSize label = scale.size(FragmentWidth, FragmentHeight);
    const NameInfo& r = table()[size_t(row)];
    QVERIFY(fm.height() <= label.height());
    for (const QString& part : {r.CarbonPart, r.BondPart, r.ClassPart, r.PositionPart})
        QVERIFY2(fm.horizontalAdvance(part) <= label.width(), qPrintable(part));
}

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
