// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in twenty as a set: written out as the teachers' template and
// read back, every one of the 180 texts comes back code point for code point,
// with its formula and its pair, and with nothing to warn of; every formula
// and name fits its card (its pictures are the built-in ones: see the card
// digests). A name too long for its card is told how much fits.

#include "content/BuiltInSet.h"
#include "content/Catalogue.h"
#include "content/ExerciseSet.h"
#include "content/Fonts.h"
#include "content/FormulaDescriptions.h"
#include "content/Pairing.h"
#include "content/SetCheck.h"
#include "content/SetFiles.h"

#include <QFile>
#include <QTest>

using namespace content;

class TestBuiltInSet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { registerBundledFonts(); }

    void theTemplateReadsBackAsTheBuiltInExercise() {
        const std::string written = writeCompoundSet(builtInSet());
        const SetReading read = readCompoundSet(written, "πρότυπο.csv");
        QStringList problems;
        for (const SetProblem& p : read.problems)
            problems << QString::fromStdString(describeSetProblem(p));
        QVERIFY2(read.problems.empty(), qPrintable(problems.join(u'\n')));
        QCOMPARE(QString::fromStdString(read.set.title),
                 QStringLiteral(u"Γενίκευση της ονοματολογίας των οργανικών ενώσεων"));
        QCOMPARE(read.set.compounds.size(), std::size_t(FormulaCount));
        // The catalogue's 180 texts are pinned, digest and all, by its own test.
        const auto catalogue = compoundCatalogue();
        for (int f = 0; f < FormulaCount; ++f) {
            const Compound& c = read.set.compounds[std::size_t(f)];
            const NameInfo& n = catalogue[std::size_t(CorrectNameForFormula[std::size_t(f)])];
            const QStringList texts = {n.FullName,    n.CarbonPart,   n.CarbonReason,
                                       n.BondPart,    n.BondReason,   n.ClassPart,
                                       n.ClassReason, n.PositionPart, n.PositionReason};
            const QStringList back = {QString::fromStdString(c.name),
                                      QString::fromStdString(c.parts[0].part),
                                      QString::fromStdString(c.parts[0].reason),
                                      QString::fromStdString(c.parts[1].part),
                                      QString::fromStdString(c.parts[1].reason),
                                      QString::fromStdString(c.parts[2].part),
                                      QString::fromStdString(c.parts[2].reason),
                                      QString::fromStdString(c.parts[3].part),
                                      QString::fromStdString(c.parts[3].reason)};
            QCOMPARE(back, texts);
            QVERIFY(c.formula == formulaDescriptions()[std::size_t(f)]);
        }
        QVERIFY(checkSetFitsCards(read.set).empty());
    }

    // What a teacher who never opens a terminal starts from: the shipped
    // template is the template, the example set reads without a problem.
    void theShippedExamplesAreSound() {
        QFile shipped(QStringLiteral(EXAMPLES_DIR "/πρότυπο.csv"));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        const QByteArray bytes = shipped.readAll();
        QCOMPARE(bytes.toStdString(), writeCompoundSet(builtInSet()));
        // Byte for byte where Excel is particular: the mark that makes it read
        // UTF-8, CRLF, a title row of ten fields, "#" for the triple bond.
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"
                                 "Γενίκευση της ονοματολογίας των οργανικών ενώσεων;;;;;;;;;\r\n"
                                 "Τύπος;Όνομα;Άτομα άνθρακα;"));
        QCOMPARE(bytes.count("\r\n"), 22);
        QVERIFY(bytes.contains("\r\nCH3CH2CH2C#CH;1-πεντίνιο;πεντ;γιατί έχει 5 άτομα C;ίν;γιατί "
                               "είναι ακόρεστη με 1 τριπλό δεσμό;ιο;γιατί είναι υδρογονάνθρακας;1;"
                               "γιατί έχει τον τριπλό δεσμό στο 1ο άτομο C\r\n"));

        const SetCheck alkanes = checkSetFile(QStringLiteral(EXAMPLES_DIR "/αλκάνια.csv"));
        QVERIFY(alkanes.usable() && alkanes.total() == 0);
        QCOMPARE(alkanes.compounds->title(), QStringLiteral(u"Αλκάνια"));
        QStringList names;
        for (int k = 0; k < alkanes.compounds->size(); ++k)
            names << alkanes.compounds->nameText(k);
        QCOMPARE(names, QStringList({u"μεθάνιο"_qs, u"αιθάνιο"_qs, u"προπάνιο"_qs, u"βουτάνιο"_qs,
                                     u"μεθυλοπροπάνιο"_qs, u"πεντάνιο"_qs, u"μεθυλοβουτάνιο"_qs,
                                     u"διμεθυλοπροπάνιο"_qs}));
        // Methane's one carbon is told in the singular.
        QCOMPARE(alkanes.compounds->nameInfo(0).CarbonReason,
                 QStringLiteral(u"γιατί έχει 1 άτομο C"));
        QCOMPARE(alkanes.compounds->formula(7).rows(), 3);
    }

    void aNameTooLongForItsCardIsToldHowMuchFits() {
        CompoundSet set = builtInSet();
        set.compounds[0].name = std::string(60, 'M');
        const std::vector<SetProblem> problems = checkSetFitsCards(set);
        QCOMPARE(problems.size(), std::size_t(1));
        QCOMPARE(problems[0].column, 2);
        QVERIFY(QString::fromStdString(problems[0].message).contains(u"χωρούν περίπου"));
        QVERIFY(QString::fromStdString(problems[0].message).contains(u"από τους 60 χαρακτήρες"));
    }
};

QTEST_MAIN(TestBuiltInSet)
#include "tst_builtin_set.moc"
