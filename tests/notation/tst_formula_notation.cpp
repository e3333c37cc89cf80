// SPDX-License-Identifier: GPL-3.0-or-later
// The formula notation's reader, without a window: the built-in formulas read
// as their cards show them, how rows split into groups and where branches
// hang, what a Greek keyboard or a word processor types, every kind of mistake
// with its column and what to write instead, and any text at all answered
// soundly.

#include "content/FormulaDescriptions.h"
#include "content/notation/FormulaNotation.h"
#include "notation/NotationInvariants.h"

#include <QRandomGenerator>
#include <QTest>

using namespace content;

namespace {

// A description in a few characters: the main row's items apart ("-", "=",
// "#" for drawn bonds), then each branch as "carbon:group", "^" for above.
QString describe(const FormulaDescription& f) {
    QStringList items;
    for (const RowItem& item : f.mainRow)
        items << (item.isBond ? QString(item.bond == Bond::Bar      ? u'-'
                                        : item.bond == Bond::Double ? u'='
                                                                    : u'#')
                              : QString::fromStdString(item.text));
    QString out = items.join(u' ');
    if (!f.branches.empty()) {
        QStringList branches;
        for (const Branch& b : f.branches)
            branches << QStringLiteral("%1%2:%3")
                            .arg(b.atom)
                            .arg(b.above ? QStringLiteral("^") : QString())
                            .arg(QString::fromStdString(b.group));
        out += QStringLiteral(" | ") + branches.join(u' ');
    }
    return out;
}

QString problemsOf(const FormulaParse& p) {
    QStringList all;
    for (const NotationProblem& problem : p.problems)
        all << QStringLiteral("%1: %2")
                   .arg(problem.column)
                   .arg(QString::fromStdString(problem.message));
    return all.join(u'\n');
}

} // namespace

class TestFormulaNotation : public QObject {
    Q_OBJECT

private slots:
    // The twenty cards as they are drawn: groups, drawn bonds and branches.
    void theBuiltInFormulasReadAsTheirCardsShowThem_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("notation");
        QTest::addColumn<QString>("card");
        const std::pair<const char16_t*, const char16_t*> rows[] = {
            {u"CH3CH2CH3", u"CH3 CH2 CH3"},
            {u"CH3CH2CH(CH3)CH3", u"CH3 CH2 CH CH3 | 3:CH3"},
            {u"CH3CH2CH(CH3)CH2CH(CH3)CH3", u"CH3 CH2 CH CH2 CH CH3 | 3:CH3 5:CH3"},
            {u"CH3CH=CHCH3", u"CH3 CH = CH CH3"},
            {u"CH3CH2CH2C≡CH", u"CH3 CH2 CH2 C # CH"},
            {u"CH2=CHCH=CH2", u"CH2 = CH CH = CH2"},
            {u"CH3CH2CH2I", u"CH3 CH2 CH2 I"},
            {u"CH3CH(Cl)CH2CH3", u"CH3 CH CH2 CH3 | 2:Cl"},
            {u"CH3C(CH3)=C(Cl)-CH2CH=CH2", u"CH3 C = C - CH2 CH = CH2 | 2:CH3 3:Cl"},
            {u"CH3-O-CH2CH3", u"CH3 - O - CH2 CH3"},
            {u"CH2=C(CH3)-CH2CH(OH)CH3", u"CH2 = C - CH2 CH CH3 | 2:CH3 4:OH"},
            {u"CH3CHO", u"CH3 CHO"},
            {u"CH3CH2COCH2CH3", u"CH3 CH2 CO CH2 CH3"},
            {u"CH3CH2CH(CH3)COCH3", u"CH3 CH2 CH CO CH3 | 3:CH3"},
            {u"CH3CH2COOH", u"CH3 CH2 COOH"},
            {u"CH≡CCH2COOH", u"CH # C CH2 COOH"},
            {u"CH3CH(OH)COOH", u"CH3 CH COOH | 2:OH"},
            {u"CH3COCOOH", u"CH3 CO COOH"},
            {u"CH3COOCH3", u"CH3 COO CH3"},
            {u"CH3CH2CH2NH2", u"CH3 CH2 CH2 NH2"},
        };
        for (int slot = 0; slot < 20; ++slot)
            QTest::addRow("%02d %s", slot, qPrintable(QString::fromUtf16(rows[slot].first)))
                << slot << QString::fromUtf16(rows[slot].first)
                << QString::fromUtf16(rows[slot].second);
    }
    void theBuiltInFormulasReadAsTheirCardsShowThem() {
        QFETCH(int, slot);
        QFETCH(QString, notation);
        QFETCH(QString, card);
        QCOMPARE(QString::fromUtf8(BuiltInFormulaNotation[std::size_t(slot)].data(),
                                   qsizetype(BuiltInFormulaNotation[std::size_t(slot)].size())),
                 notation);
        const FormulaParse parsed = parseFormula(notation.toStdString());
        QVERIFY2(parsed.ok(), qPrintable(problemsOf(parsed)));
        QCOMPARE(describe(parsed.formula), card);
        QCOMPARE(describe(formulaDescriptions()[std::size_t(slot)]), card);
    }

    // Where a row splits into groups and where branches hang.
    void rowsSplitIntoGroupsAndBranchesHangFromTheirCarbon_data() {
        QTest::addColumn<QString>("notation");
        QTest::addColumn<QString>("card");
        QTest::addColumn<int>("rows");
        QTest::addRow("a symbol after a count starts a group") << "CH3CH2OH"
                                                               << "CH3 CH2 OH" << 1;
        QTest::addRow("Cl is no carbon") << "CH3CH2Cl"
                                         << "CH3 CH2 Cl" << 1;
        QTest::addRow("hydrogen first") << u"HC≡CH"_qs << "H C # CH" << 1;
        QTest::addRow("methane") << "CH4"
                                 << "CH4" << 1;
        QTest::addRow("hash is a triple bond") << "CH#CH"
                                               << "CH # CH" << 1;
        QTest::addRow("spaces are ignored") << " CH3 CH2  CH3 "
                                            << "CH3 CH2 CH3" << 1;
        QTest::addRow("second branch on a carbon hangs above") << "CH3C(CH3)(CH3)CH3"
                                                               << "CH3 C CH3 | 2:CH3 2^:CH3" << 3;
        QTest::addRow("above and below on two carbons")
            << "CH3C(CH3)(Cl)C(CH3)(CH3)CH3"
            << "CH3 C C CH3 | 2:CH3 2^:Cl 3:CH3 3^:CH3" << 3;
        QTest::addRow("branch on a nitrogen") << "CH3N(CH3)CH3"
                                              << "CH3 N CH3 | 2:CH3" << 2;
        QTest::addRow("atoms after an oxygen") << "CH3OCH2CH(CH3)CH3"
                                               << "CH3 O CH2 CH CH3 | 4:CH3" << 2;
        QTest::addRow("a branch run is one group") << "CH3CH(CH2CH3)CH3"
                                                   << "CH3 CH CH3 | 2:CH2CH3" << 2;
        QTest::addRow("decane") << "CH3CH2CH2CH2CH2CH2CH2CH2CH2CH3"
                                << "CH3 CH2 CH2 CH2 CH2 CH2 CH2 CH2 CH2 CH3" << 1;
    }
    void rowsSplitIntoGroupsAndBranchesHangFromTheirCarbon() {
        QFETCH(QString, notation);
        QFETCH(QString, card);
        QFETCH(int, rows);
        const FormulaParse parsed = parseFormula(notation.toStdString());
        QVERIFY2(parsed.ok(), qPrintable(problemsOf(parsed)));
        QCOMPARE(describe(parsed.formula), card);
        QCOMPARE(parsed.formula.rows(), rows);
        // Written back, it reads the same: each branch where it hung.
        QCOMPARE(describe(parseFormula(writeNotation(parsed.formula)).formula), card);
    }

    // What a Greek keyboard or a word processor puts in reads as it looks.
    void lookAlikesReadAsWhatTheyLookLike_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("meant");
        QTest::addRow("Greek capitals") << u"ΗCΟΟΗ"_qs << "HCOOH";
        QTest::addRow("Greek N, I, K, B, P, T, X") << u"CΗ3ΝΗ2"_qs << "CH3NH2";
        QTest::addRow("Greek Ρ for P") << u"CΗ3ΡΗ2"_qs << "CH3PH2";
        QTest::addRow("Greek Ι for iodine") << u"CΗ3Ι"_qs << "CH3I";
        QTest::addRow("Greek Β in Br") << u"CΗ3Βr"_qs << "CH3Br";
        QTest::addRow("subscript digits") << u"CH₃CH₂CH₃"_qs << "CH3CH2CH3";
        QTest::addRow("all ten subscripts")
            << u"CH₃CH₂CH(CH₃)CH₂CH₂CH₀₁₂₃₄₅₆₇₈₉"_qs << "CH3CH2CH(CH3)CH2CH2CH0123456789";
        QTest::addRow("en dash") << u"CH3–O–CH3"_qs << "CH3-O-CH3";
        QTest::addRow("minus sign") << u"CH3−O−CH3"_qs << "CH3-O-CH3";
        QTest::addRow("hyphen") << u"CH3‐O‐CH3"_qs << "CH3-O-CH3";
        QTest::addRow("no-break space") << u"CH3\u00a0CH3"_qs << "CH3CH3";
    }
    void lookAlikesReadAsWhatTheyLookLike() {
        QFETCH(QString, typed);
        QFETCH(QString, meant);
        const FormulaParse a = parseFormula(typed.toStdString());
        const FormulaParse b = parseFormula(meant.toStdString());
        QCOMPARE(problemsOf(a), problemsOf(b));
        QCOMPARE(describe(a.formula), describe(b.formula));
        QVERIFY(!describe(a.formula).isEmpty());
    }

    // Every kind of mistake: the column it is found at (code points from 1)
    // and words of the message, among them what to write instead.
    void everyMistakeIsToldWithItsColumnAndAFix_data() {
        QTest::addColumn<QString>("notation");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("words");
        QTest::addRow("empty") << "" << 1 << u"ο τύπος είναι κενός"_qs;
        QTest::addRow("spaces only") << "   " << 1 << u"ο τύπος είναι κενός"_qs;
        QTest::addRow("lower case") << "ch3" << 1 << u"μήπως εννοείτε CH3;"_qs;
        QTest::addRow("CL for Cl") << "CH3CL" << 5 << u"μήπως εννοείτε CH3Cl;"_qs;
        QTest::addRow("BR for Br") << "CH3BR" << 4 << u"μήπως εννοείτε CH3Br;"_qs;
        QTest::addRow("Co for CO") << "CH3Co" << 4 << u"μήπως εννοείτε CH3CO;"_qs;
        QTest::addRow("element outside school")
            << "CH3Xe" << 4 << u"γράψτε ένα από τα C, H, O, N"_qs;
        QTest::addRow("column counts code points")
            << u"CΗ₃–Xe"_qs << 5 << u"άγνωστο σύμβολο στοιχείου στο «Xe»"_qs;
        QTest::addRow("character of no formula") << "CH3*CH3" << 4 << u"ο χαρακτήρας «*»"_qs;
        QTest::addRow("digit first")
            << "3CH4" << 1 << u"ο αριθμός δεν ακολουθεί σύμβολο στοιχείου"_qs;
        QTest::addRow("digit after a bond")
            << "CH3-2" << 5 << u"ο αριθμός δεν ακολουθεί σύμβολο"_qs;
        QTest::addRow("unclosed") << "CH3CH(CH3" << 6 << u"η παρένθεση δεν κλείνει"_qs;
        QTest::addRow("closed unopened") << "CH3CH)CH3" << 6 << u"κλείνει χωρίς να έχει ανοίξει"_qs;
        QTest::addRow("empty parentheses") << "CH3CH()CH3" << 6 << u"κενή παρένθεση"_qs;
        QTest::addRow("branch after no carbon")
            << "CH3COOH(CH3)" << 8 << u"η διακλάδωση δεν ακολουθεί άνθρακα"_qs;
        QTest::addRow("branch after a bond")
            << "CH3-(CH3)" << 5 << u"η διακλάδωση δεν ακολουθεί άνθρακα"_qs;
        QTest::addRow("third branch")
            << "CH3C(CH3)(CH3)(CH3)" << 15 << u"τρίτη διακλάδωση στον ίδιο άνθρακα"_qs;
        QTest::addRow("bond in a branch")
            << "CH3CH(CH2-CH3)CH3" << 10 << u"δεσμός μέσα σε διακλάδωση"_qs;
        QTest::addRow("parenthesis in a branch")
            << "CH3CH(CH(CH3))CH3" << 9 << u"παρένθεση μέσα σε διακλάδωση"_qs;
        QTest::addRow("bond first") << "-CH3" << 1 << u"ο τύπος αρχίζει με δεσμό"_qs;
        QTest::addRow("bond last") << "CH3CH3=" << 7 << u"ο τύπος τελειώνει με δεσμό"_qs;
        QTest::addRow("two bonds") << "CH2=-CH2" << 5 << u"δύο δεσμοί στη σειρά"_qs;
        QTest::addRow("five bonds named")
            << "CH3CH2(CH3)CH3" << 4 << u"ο 2ος άνθρακας (CH2) έχει 5 δεσμούς"_qs;
        QTest::addRow("five bonds: what to write") << "CH3CH2(CH3)CH3" << 4 << u"γράψτε CH"_qs;
        QTest::addRow("three bonds at the end") << "CH3CH2CH2" << 7 << u"γράψτε CH3"_qs;
        QTest::addRow("a double bond counts two")
            << "CH3CH2=CH2" << 4 << u"ο 2ος άνθρακας (CH2) έχει 5"_qs;
        QTest::addRow("a triple bond counts three")
            << "CH2#CH" << 1 << u"ο 1ος άνθρακας (CH2) έχει 5"_qs;
        QTest::addRow("a branch's carbon")
            << "CH3CH(CH2)CH3" << 7 << u"ο 3ος άνθρακας (CH2) έχει 3"_qs;
        QTest::addRow("shorthand (CH3)2CH")
            << "(CH3)2CHCH3" << 1 << u"γράψτε τους άνθρακες έναν έναν: CH3CH(CH3)CH3"_qs;
        QTest::addRow("shorthand (CH3)3C") << "(CH3)3CCl" << 1 << u"έναν έναν: CH3C(CH3)(Cl)CH3"_qs;
        QTest::addRow("shorthand (CH2)4")
            << "CH3(CH2)4CH3" << 4 << u"έναν έναν: CH3CH2CH2CH2CH2CH3"_qs;
        QTest::addRow("shorthand C(CH3)2")
            << "CH3C(CH3)2CH3" << 5 << u"έναν έναν: CH3C(CH3)(CH3)CH3"_qs;
        QTest::addRow("shorthand C(=O)")
            << "CH3C(=O)CH3" << 5
            << u"«C(=O)» — γράψτε το καρβονύλιο μέσα στη σειρά ως CO: CH3COCH3"_qs;
        QTest::addRow("not UTF-8") << QString() << 4 << u"δεν είναι UTF-8"_qs;
        QTest::addRow("too long") << QString(301, u'C') << 1 << u"πολύ μεγάλος"_qs;
    }
    void everyMistakeIsToldWithItsColumnAndAFix() {
        QFETCH(QString, notation);
        QFETCH(int, column);
        QFETCH(QString, words);
        const std::string text = QTest::currentDataTag() == QByteArray("not UTF-8")
                                     ? std::string("CH3\xC0\xAF")
                                     : notation.toStdString();
        const FormulaParse parsed = parseFormula(text);
        QVERIFY(!parsed.ok());
        const auto told = std::find_if(parsed.problems.begin(), parsed.problems.end(),
                                       [&](const NotationProblem& p) {
                                           return QString::fromStdString(p.message).contains(words);
                                       });
        QVERIFY2(told != parsed.problems.end(), qPrintable(problemsOf(parsed)));
        QCOMPARE(told->column, column);
    }

    // A run of wrong letters is one message, not one a letter.
    void aWrongRunIsToldOnce() {
        const FormulaParse parsed = parseFormula("ch3ch2oh");
        QCOMPARE(parsed.problems.size(), std::size_t(1));
        QVERIFY(QString::fromStdString(parsed.problems[0].message)
                    .contains(u"μήπως εννοείτε CH3CH2OH;"));
    }

    // Any text at all gets an answer, and a sound one: columns inside the
    // text, accepted formulas whole and written back as they read.
    void anyTextGetsASoundAnswer() {
        static const char* const pieces[] = {
            "C",    "H",     "O",   "N",   "Cl", "Br",   "Na", "2", "3",  "4", "(",    ")",
            "-",    "=",     "#",   "≡",   " ",  "c",    "h",  "l", "X",  "Η", "₃",    "–",
            "\xC3", "(CH3)", "CH2", "CH3", "CH", "COOH", "OH", "é", "\t", "0", "(Cl)", "(OH)"};
        QRandomGenerator random(20261208);
        int accepted = 0;
        for (int n = 0; n < 50000; ++n) {
            std::string text;
            const int length = int(random.bounded(1, 16));
            for (int k = 0; k < length; ++k)
                text += pieces[random.bounded(int(std::size(pieces)))];
            const FormulaParse parsed = parseFormula(text);
            accepted += parsed.ok() ? 1 : 0;
            const std::string wrong = notation_invariants::violation(text, parsed);
            QVERIFY2(wrong.empty(), qPrintable(QString::fromStdString(text + ": " + wrong)));
        }
        // The pieces make formulas often enough for the accepted side to count.
        QVERIFY2(accepted > 250, qPrintable(QString::number(accepted)));
    }
};

QTEST_MAIN(TestFormulaNotation)
#include "tst_formula_notation.moc"
