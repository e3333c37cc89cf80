// SPDX-License-Identifier: GPL-3.0-or-later
// Texts for a screen reader: ordinals with a Greek omicron wherever the
// catalogue writes a Latin "o" after a digit, and every formula in words that
// keep its bonds and branches.

#include "content/CardPictures.h"
#include "content/Catalogue.h"
#include "content/SpokenText.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

const QRegularExpression& latinOrdinal() {
    static const QRegularExpression re(QStringLiteral("[0-9]o"));
    return re;
}

QStringList fieldsOf(const NameInfo& r) {
    return {r.FullName,  r.CarbonPart,  r.CarbonReason, r.BondPart,      r.BondReason,
            r.ClassPart, r.ClassReason, r.PositionPart, r.PositionReason};
}

// The spoken formula item by item: a group, a bond or a branch.
QStringList itemsOf(const QString& spoken) {
    return spoken.split(QStringLiteral(", "));
}

} // namespace

class TestSpoken : public QObject {
    Q_OBJECT

private slots:
    void ordinalsGetTheGreekOmicron_data();
    void ordinalsGetTheGreekOmicron();
    void catalogueOrdinalsAreAllSpokenInGreek_data();
    void catalogueOrdinalsAreAllSpokenInGreek();

    void formulasAreSpokenWithTheirBonds_data();
    void formulasAreSpokenWithTheirBonds();
    void aBranchAboveItsCarbonIsToldApart();
    void aBranchIsToldByItsCarbonOrTheNitrogen();
    void everyFormulaKeepsEveryBondAndBranch_data();
    void everyFormulaKeepsEveryBondAndBranch();
};

void TestSpoken::ordinalsGetTheGreekOmicron_data() {
    QTest::addColumn<QString>("displayed");
    QTest::addColumn<QString>("spoken");
    QTest::addRow("before_a_blank") << QStringLiteral("2o x") << QStringLiteral(u"2\u03bf x");
    QTest::addRow("at_the_end") << QStringLiteral("5o") << QStringLiteral(u"5\u03bf");
    QTest::addRow("before_a_comma")
        << QStringLiteral("5o, 4o and 1o") << QStringLiteral(u"5\u03bf, 4\u03bf and 1\u03bf");
    QTest::addRow("two_digits") << QStringLiteral("12o") << QStringLiteral(u"12\u03bf");
    QTest::addRow("already_greek") << QStringLiteral(u"3\u03bf") << QStringLiteral(u"3\u03bf");
    QTest::addRow("latin_word_goes_on") << QStringLiteral("2oz 3on") << QStringLiteral("2oz 3on");
    QTest::addRow("no_digit_before") << QStringLiteral("too o2") << QStringLiteral("too o2");
    QTest::addRow("capital_O") << QStringLiteral("2O") << QStringLiteral("2O");
    QTest::addRow("at_the_start") << QStringLiteral("o") << QStringLiteral("o");
    QTest::addRow("empty") << QString() << QString();
}

void TestSpoken::ordinalsGetTheGreekOmicron() {
    QFETCH(QString, displayed);
    QFETCH(QString, spoken);
    const QString before = displayed;
    QCOMPARE(content::spokenForm(displayed), spoken);
    QCOMPARE(displayed, before);
}

void TestSpoken::catalogueOrdinalsAreAllSpokenInGreek_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("latinOrdinals");
    // The rows that write some ordinals with a Latin "o", and how many.
    const QMap<int, int> latin{{0, 1}, {4, 1}, {5, 1}, {12, 4}, {17, 1}};
    int total = 0;
    for (int row = 0; row < 20; ++row) {
        QTest::addRow("row%02d", row) << row << latin.value(row, 0);
        total += latin.value(row, 0);
    }
    QCOMPARE(total, 8);
}

void TestSpoken::catalogueOrdinalsAreAllSpokenInGreek() {
    QFETCH(int, row);
    QFETCH(int, latinOrdinals);
    const NameInfo shown = content::compoundCatalogue()[size_t(row)];
    int changed = 0;
    int stillLatin = 0;
    for (const QString& text : fieldsOf(shown)) {
        const QString spoken = content::spokenForm(text);
        QCOMPARE(spoken.size(), text.size());
        QVERIFY2(!spoken.contains(latinOrdinal()), qPrintable(spoken));
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (spoken[i] == text[i])
                continue;
            // The only change: a Latin o after a digit becomes an omicron.
            QCOMPARE(text[i], QChar(u'o'));
            QCOMPARE(spoken[i], QChar(u'\u03bf'));
            QVERIFY(i > 0 && text[i - 1].isDigit());
            ++changed;
        }
        stillLatin += int(text.count(latinOrdinal()));
    }
    QCOMPARE(changed, latinOrdinals);
    // What the window shows keeps its Latin letters.
    QCOMPARE(stillLatin, latinOrdinals);
}

void TestSpoken::formulasAreSpokenWithTheirBonds_data() {
    QTest::addColumn<int>("formula");
    QTest::addColumn<QStringList>("items");
    const QString dbl = QStringLiteral(u"διπλός δεσμός");
    const QString tpl = QStringLiteral(u"τριπλός δεσμός");
    // Element symbols apart, so that "COOH" or "OH" is not taken for a word.
    const QString ch3 = QStringLiteral("C H3"), ch2 = QStringLiteral("C H2");
    const QString ch = QStringLiteral("C H"), c = QStringLiteral("C");
    // CH3-CH2-CH3
    QTest::addRow("propane") << 0 << QStringList{ch3, ch2, ch3};
    // CH3-CH=CH-CH3
    QTest::addRow("double_bond") << 3 << QStringList{ch3, ch, dbl, ch, ch3};
    // CH3-CH2-CH2-C≡CH
    QTest::addRow("triple_bond") << 4 << QStringList{ch3, ch2, ch2, c, tpl, ch};
    // CH2=CH-CH=CH2
    QTest::addRow("two_double_bonds") << 5 << QStringList{ch2, dbl, ch, ch, dbl, ch2};
    // CH3-CH2-CH(CH3)-CH2-CH(CH3)-CH3
    QTest::addRow("two_branches") << 2
                                  << QStringList{ch3,
                                                 ch2,
                                                 ch,
                                                 QStringLiteral(u"διακλάδωση C H3 στον 3ο άνθρακα"),
                                                 ch2,
                                                 ch,
                                                 QStringLiteral(u"διακλάδωση C H3 στον 5ο άνθρακα"),
                                                 ch3};
    // CH3-C(CH3)=C(Cl)-CH2-CH=CH2, the bond between the branched carbons a bar
    QTest::addRow("branches_around_a_double_bond")
        << 8 << QStringList{ch3, c,  QStringLiteral(u"διακλάδωση C H3 στον 2ο άνθρακα"),
                            dbl, c,  QStringLiteral(u"διακλάδωση Cl στον 3ο άνθρακα"),
                            ch2, ch, dbl,
                            ch2};
    // CH3-O-CH2-CH3, both bonds at O bars: single bonds, heard as the groups in turn
    QTest::addRow("ether_bars") << 9 << QStringList{ch3, QStringLiteral("O"), ch2, ch3};
    // CH2=C(CH3)-CH2-CH(OH)-CH3
    QTest::addRow("hydroxy_branch")
        << 10
        << QStringList{ch2,
                       dbl,
                       c,
                       QStringLiteral(u"διακλάδωση C H3 στον 2ο άνθρακα"),
                       ch2,
                       ch,
                       QStringLiteral(u"διακλάδωση O H στον 4ο άνθρακα"),
                       ch3};
    // CH3-CHO
    QTest::addRow("aldehyde") << 11 << QStringList{ch3, QStringLiteral("C H O")};
    // CH≡C-CH2-COOH
    QTest::addRow("leading_triple_bond")
        << 15 << QStringList{ch, tpl, c, ch2, QStringLiteral("C O O H")};
}

void TestSpoken::formulasAreSpokenWithTheirBonds() {
    QFETCH(int, formula);
    QFETCH(QStringList, items);
    QCOMPARE(itemsOf(content::formulaSpokenText(formula)), items);
}

// A three-row card: the second branch of a carbon stands above it.
void TestSpoken::aBranchAboveItsCarbonIsToldApart() {
    const content::FormulaParse read = content::parseFormula("CH3C(CH3)(Cl)CH3");
    QVERIFY(read.ok());
    QCOMPARE(itemsOf(content::formulaSpokenText(read.formula)),
             QStringList({QStringLiteral("C H3"), QStringLiteral("C"),
                          QStringLiteral(u"διακλάδωση C H3 στον 2ο άνθρακα"),
                          QStringLiteral(u"διακλάδωση Cl πάνω από τον 2ο άνθρακα"),
                          QStringLiteral("C H3")}));
}

// Carbons are counted as carbons, whatever other atoms the row holds.
void TestSpoken::aBranchIsToldByItsCarbonOrTheNitrogen() {
    const content::FormulaParse ether = content::parseFormula("CH3OCH2CH(CH3)CH3");
    const content::FormulaParse amine = content::parseFormula("CH3N(CH3)CH3");
    QVERIFY(ether.ok() && amine.ok());
    QVERIFY(itemsOf(content::formulaSpokenText(ether.formula))
                .contains(QStringLiteral(u"διακλάδωση C H3 στον 3ο άνθρακα")));
    QCOMPARE(itemsOf(content::formulaSpokenText(amine.formula)),
             QStringList({QStringLiteral("C H3"), QStringLiteral("N"),
                          QStringLiteral(u"διακλάδωση C H3 στο άζωτο"), QStringLiteral("C H3")}));
}

void TestSpoken::everyFormulaKeepsEveryBondAndBranch_data() {
    QTest::addColumn<int>("formula");
    for (int f = 0; f < 20; ++f)
        QTest::addRow("%02d_%s", f, qPrintable(content::formulaPlainText(f))) << f;
}

// Against the formula as read out plainly ("CH3-C(CH3)=C(Cl)-CH2-CH=CH2").
void TestSpoken::everyFormulaKeepsEveryBondAndBranch() {
    QFETCH(int, formula);
    const QString plain = content::formulaPlainText(formula);
    const QString spoken = content::formulaSpokenText(formula);

    QCOMPARE(spoken.count(QStringLiteral(u"διπλός δεσμός")), plain.count(u'='));
    QCOMPARE(spoken.count(QStringLiteral(u"τριπλός δεσμός")), plain.count(u'≡'));
    for (const QChar symbol : {u'-', u'=', u'≡', u'(', u')'})
        QVERIFY2(!spoken.contains(symbol), qPrintable(spoken));
    QVERIFY2(!spoken.contains(latinOrdinal()), qPrintable(spoken));
    // No two element symbols run together into something read as a word.
    QVERIFY2(!spoken.contains(QRegularExpression(QStringLiteral("[A-Z][A-Z]"))),
             qPrintable(spoken));

    // Every branch named, with its carbon as an ordinal in Greek letters.
    static const QRegularExpression spokenBranch(
        QStringLiteral(u"^διακλάδωση ([A-Za-z0-9 ]+) στον [1-9]ο άνθρακα$"));

    // The groups of the main row and the branches, in the order written, and
    // nothing else but the named bonds.
    const QStringList groups =
        plain.split(QRegularExpression(QStringLiteral(u"[-=≡()]+")), Qt::SkipEmptyParts);
    QStringList heard;
    for (const QString& item : itemsOf(spoken)) {
        if (const auto m = spokenBranch.match(item); m.hasMatch())
            heard << m.captured(1).remove(u' ');
        else if (!item.endsWith(QStringLiteral(u"δεσμός")))
            heard << QString(item).remove(u' ');
    }
    QCOMPARE(heard, groups);
}

QTEST_MAIN(TestSpoken)
#include "tst_spoken.moc"
