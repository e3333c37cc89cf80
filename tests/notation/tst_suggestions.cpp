// SPDX-License-Identifier: GPL-3.0-or-later
// What a teacher meets writing formulas the way textbooks print them: each
// writing accepted, or refused with a message and a whole formula to write
// instead; and, over random texts, every formula proposed is accepted and
// leads to the same compound (NotationInvariants says how).

#include "content/notation/FormulaNotation.h"
#include "notation/NotationInvariants.h"

#include <QRandomGenerator>
#include <QTest>

using namespace content;

class TestSuggestions : public QObject {
    Q_OBJECT

private slots:
    // An empty `words` means the writing is accepted.
    void textbookWritingsGetTheirAnswer_data() {
        QTest::addColumn<QString>("notation");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("suggestion");
        const QString fiveBonds = QStringLiteral("ο 1ος άνθρακας (CH3) έχει 5 δεσμούς");
        const QString keyboard = QStringLiteral("μήπως γράψατε με ελληνικό πληκτρολόγιο; ");
        const QString notRead = QStringLiteral("δεν διαβάζεται στις κάρτες");
        const QString openChains = QStringLiteral("οι κάρτες σχεδιάζουν μόνο ανοιχτές αλυσίδες");
        QTest::addRow("1,2-dichloroethane") << "CH2ClCH2Cl"
                                            << ""
                                            << "";
        QTest::addRow("chlorine with two bonds") << "CH3ClCH2Cl" << fiveBonds << "CH2ClCH2Cl";
        QTest::addRow("dichloromethane") << "CH2Cl2"
                                         << ""
                                         << "";
        QTest::addRow("two chlorines on a CH3") << "CH3Cl2" << fiveBonds << "CH2Cl2";
        QTest::addRow("ethanediol") << "CH2OHCH2OH"
                                    << ""
                                    << "";
        QTest::addRow("OH between carbons") << "CH3OHCH2OH" << fiveBonds << "CH2OHCH2OH";
        QTest::addRow("dibromoethane") << "CH2BrCH2Br"
                                       << ""
                                       << "";
        QTest::addRow("bromine with two bonds") << "CH3BrCH2Br" << fiveBonds << "CH2BrCH2Br";
        QTest::addRow("chloroacetic acid") << "CH2ClCOOH"
                                           << ""
                                           << "";
        QTest::addRow("oxalic acid") << "HOOCCOOH"
                                     << ""
                                     << "";
        QTest::addRow("oxalic acid, drawn bond") << "HOOC-COOH"
                                                 << ""
                                                 << "";
        QTest::addRow("acid group on a CH2")
            << "HOOCH2COOH" << QStringLiteral("ο 1ος άνθρακας (CH2) έχει 6 δεσμούς") << "HOOCCOOH";
        QTest::addRow("nitrogen with two bonds")
            << "CH3-N-CH3" << QStringLiteral("το 1ο άζωτο (N) έχει 2 δεσμούς") << "CH3-NH-CH3";
        QTest::addRow("oxygen branch with one bond")
            << "CH3CH2CH(O)CH3" << QStringLiteral("το 1ο οξυγόνο (O) έχει 1 δεσμό")
            << "CH3CH2CH(OH)CH3";
        QTest::addRow("oxygen end with one bond")
            << "CH3CH(CH3)O" << QStringLiteral("το 1ο οξυγόνο (O) έχει 1 δεσμό") << "CH3CH(CH3)OH";
        QTest::addRow("ethene, hydrogens first") << "H2C=CH2"
                                                 << ""
                                                 << "";
        QTest::addRow("ethene, one hydrogen first") << "HCH=CH2"
                                                    << ""
                                                    << "";
        QTest::addRow("dimethylamine shorthand")
            << "(CH3)2NH" << QStringLiteral("έναν έναν: CH3NHCH3") << "CH3NHCH3";
        QTest::addRow("acetone shorthand")
            << "(CH3)2CO" << QStringLiteral("έναν έναν: CH3COCH3") << "CH3COCH3";
        QTest::addRow("two shorthands in one")
            << "(CH3)3CCH2CH(CH3)2" << QStringLiteral("έναν έναν: CH3C(CH3)(CH3)CH2CH(CH3)CH3")
            << "CH3C(CH3)(CH3)CH2CH(CH3)CH3";
        QTest::addRow("Greek keyboard, capitals") << u"ΨΗ3ΨΗ3"_qs << keyboard + "CH3CH3"
                                                  << "CH3CH3";
        QTest::addRow("Greek keyboard, small") << u"ψη3ψη3"_qs << keyboard + "CH3CH3"
                                               << "CH3CH3";
        QTest::addRow("Greek keyboard, Br") << u"ΨΗ3ΒΡ"_qs << keyboard + "CH3Br"
                                            << "CH3Br";
        QTest::addRow("small letters")
            << "ch3ch3" << QStringLiteral("μήπως εννοείτε CH3CH3;") << "CH3CH3";
        QTest::addRow("tertiary amine") << "CH3N(CH3)CH3"
                                        << ""
                                        << "";
        QTest::addRow("tertiary amine shorthand")
            << "(CH3)3N" << QStringLiteral("έναν έναν: CH3N(CH3)CH3") << "CH3N(CH3)CH3";
        QTest::addRow("ethanol, ethyl") << "C2H5OH"
                                        << ""
                                        << "";
        QTest::addRow("propyl") << "C3H7OH" << QStringLiteral("γράψτε τους άνθρακες έναν έναν")
                                << "";
        QTest::addRow("benzene") << "C6H6" << openChains << "";
        QTest::addRow("phenyl") << "C6H5Cl" << openChains << "";
        QTest::addRow("nitro group") << "CH3NO2"
                                     << "«NO2» " + notRead << "";
        QTest::addRow("acyl chloride") << "CH3COCl"
                                       << "«COCl» " + notRead << "";
    }
    void textbookWritingsGetTheirAnswer() {
        QFETCH(QString, notation);
        QFETCH(QString, words);
        QFETCH(QString, suggestion);
        const FormulaParse parsed = parseFormula(notation.toStdString());
        if (words.isEmpty()) {
            QVERIFY2(parsed.ok(), parsed.ok() ? "" : parsed.problems.front().message.c_str());
            return;
        }
        // Two shorthands are told apart, with one formula that writes out both.
        QVERIFY(!parsed.problems.empty());
        const std::string& message = parsed.problems.front().message;
        QVERIFY2(QString::fromStdString(message).contains(words), message.c_str());
        for (const NotationProblem& p : parsed.problems)
            QCOMPARE(QString::fromStdString(p.suggestion), suggestion);
    }

    // Random texts provoke every kind of suggestion; each is checked.
    void everySuggestionLeadsToTheSameCompound() {
        static const char* const pieces[] = {
            "CH3",  "CH2", "CH", "C", "OH",    "O",      "Cl",     "Br",   "N", "NH", "NH2",
            "COOH", "CHO", "=",  "-", "(CH3)", "(CH3)2", "(CH3)3", "(OH)", "2", "3",  "ch3",
            "ch2",  "cl",  "oh", "Ψ", "ψ",     "Η",      "η",      "Ρ",    "Β", "ΨΗ3"};
        QRandomGenerator random(22);
        int suggested = 0;
        for (int n = 0; n < 40000; ++n) {
            std::string text;
            const int length = int(random.bounded(1, 9));
            for (int k = 0; k < length; ++k)
                text += pieces[random.bounded(int(std::size(pieces)))];
            const FormulaParse parsed = parseFormula(text);
            for (const NotationProblem& p : parsed.problems)
                suggested += p.suggestion.empty() ? 0 : 1;
            const std::string wrong = notation_invariants::suggestionViolation(text, parsed);
            QVERIFY2(wrong.empty(), qPrintable(QString::fromStdString(text + ": " + wrong)));
        }
        QVERIFY2(suggested > 2000, qPrintable(QString::number(suggested)));
    }
};

QTEST_APPLESS_MAIN(TestSuggestions)
#include "tst_suggestions.moc"
