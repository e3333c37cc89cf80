// SPDX-License-Identifier: GPL-3.0-or-later
// The compound behind a formula, without a window: the ways a textbook writes
// compounds of every class read as the right atoms (their molecular formulas,
// counted by hand), the writings that are one compound told from isomers, and
// impossible formulas refused at the atom a teacher would point to.

#include "chemistry/structure/StructureReader.h"
#include "chemistry/structure/StructureWriter.h"

#include <QTest>

#include <algorithm>
#include <numeric>
#include <random>

using namespace chemistry;

namespace {

QString problemsOf(const StructureRead& read) {
    QStringList all;
    for (const content::NotationProblem& p : read.problems)
        all << QStringLiteral("%1: %2").arg(p.column).arg(QString::fromStdString(p.message));
    return all.join(u'\n');
}

StructureRead accepted(const QString& notation) {
    StructureRead read = readStructure(notation.toStdString());
    if (!read.ok())
        qWarning().noquote() << notation << problemsOf(read);
    return read;
}

} // namespace

class TestStructure : public QObject {
    Q_OBJECT

private slots:
    void textbookWritingsHoldTheirAtoms_data() {
        QTest::addColumn<QString>("notation");
        QTest::addColumn<QString>("formula");
        const std::pair<const char16_t*, const char16_t*> rows[] = {
            {u"CH3CH2CH3", u"C3H8"},
            {u"CH3CH2CH(CH3)CH3", u"C5H12"},
            {u"CH3C(CH3)(CH3)CH3", u"C5H12"},
            {u"CH3CH2CH(CH3)2", u"C5H12"},
            {u"(CH3)3CCH2CH(CH3)2", u"C8H18"},
            {u"CH3(CH2)4CH3", u"C6H14"},
            {u"CH3CH=CHCH3", u"C4H8"},
            {u"H2C=CH2", u"C2H4"},
            {u"HCH=CH2", u"C2H4"},
            {u"HC≡CH", u"C2H2"},
            {u"CH3CH2CH2C≡CH", u"C5H8"},
            {u"CH2=CHCH=CH2", u"C4H6"},
            {u"CH3CH2CH2I", u"C3H7I"},
            {u"CH3CH(Cl)CH2CH3", u"C4H9Cl"},
            {u"CH3CHBrCH3", u"C3H7Br"},
            {u"CH2ClCH2Cl", u"C2H4Cl2"},
            {u"ClCH2CH2Cl", u"C2H4Cl2"},
            {u"CH2BrCH2Br", u"C2H4Br2"},
            {u"CH2Cl2", u"CH2Cl2"},
            {u"CHCl3", u"CHCl3"},
            {u"CCl4", u"CCl4"},
            {u"CH2=CHCl", u"C2H3Cl"},
            {u"CH3OH", u"CH4O"},
            {u"C2H5OH", u"C2H6O"},
            {u"HOCH2CH3", u"C2H6O"},
            {u"CH2OHCH2OH", u"C2H6O2"},
            {u"CH3CHOHCH3", u"C3H8O"},
            {u"CH3-O-CH2CH3", u"C3H8O"},
            {u"CH3CH2OCH2CH3", u"C4H10O"},
            {u"CH3CH2ONa", u"C2H5NaO"},
            {u"HCHO", u"CH2O"},
            {u"CH3CHO", u"C2H4O"},
            {u"CH3CH2CH2CHO", u"C4H8O"},
            {u"OHC-CHO", u"C2H2O2"},
            {u"CH3COCH3", u"C3H6O"},
            {u"(CH3)2CO", u"C3H6O"},
            {u"CH3CH2COCH2CH3", u"C5H10O"},
            {u"HCOOH", u"CH2O2"},
            {u"CH3CH2COOH", u"C3H6O2"},
            {u"CH≡CCH2COOH", u"C4H4O2"},
            {u"CH2=C(CH3)COOH", u"C4H6O2"},
            {u"CH3CH(OH)COOH", u"C3H6O3"},
            {u"CH3COCOOH", u"C3H4O3"},
            {u"CH2ClCOOH", u"C2H3ClO2"},
            {u"HOOCCOOH", u"C2H2O4"},
            {u"HOOC-COOH", u"C2H2O4"},
            {u"CH3COONa", u"C2H3NaO2"},
            {u"CH3COOCH3", u"C3H6O2"},
            {u"CH3COOCH2CH3", u"C4H8O2"},
            {u"CH3CH2NH2", u"C2H7N"},
            {u"CH3NHCH3", u"C2H7N"},
            {u"(CH3)2NH", u"C2H7N"},
            {u"CH3N(CH3)CH3", u"C3H9N"},
            {u"(CH3)3N", u"C3H9N"},
            {u"CH3CN", u"C2H3N"},
            {u"NCCH2CN", u"C3H2N2"},
            {u"CH3CONH2", u"C2H5NO"},
            {u"H2NCH2COOH", u"C2H5NO2"},
            {u"CH3CH2SH", u"C2H6S"},
            {u"CH3MgBr", u"CH3BrMg"},
        };
        for (const auto& [notation, formula] : rows)
            QTest::addRow("%s", QString::fromUtf16(notation).toUtf8().constData())
                << QString::fromUtf16(notation) << QString::fromUtf16(formula);
    }
    void textbookWritingsHoldTheirAtoms() {
        QFETCH(QString, notation);
        QFETCH(QString, formula);
        const StructureRead read = accepted(notation);
        QCOMPARE(problemsOf(read), QString());
        QCOMPARE(QString::fromStdString(molecularFormula(read.structure)), formula);
        // Written back, it reads as the same compound.
        const std::string written = writeStructure(read.structure);
        const StructureRead again = readStructure(written);
        QVERIFY2(again.ok() && sameCompound(again.structure, read.structure), written.c_str());
    }

    // The writer's row is the longest chain, begun where a teacher begins it.
    void compoundsAreWrittenAsATeacherWould_data() {
        QTest::addColumn<QString>("notation");
        QTest::addColumn<QString>("written");
        const std::pair<const char*, const char*> rows[] = {
            {"(CH3)3CCH2CH(CH3)2", "CH3C(CH3)(CH3)CH2CH(CH3)CH3"},
            {"HOCH2CH3", "CH3CH2OH"},
            {"CH2OHCH2OH", "HOCH2CH2OH"},
            {"CH2ClCH2Cl", "ClCH2CH2Cl"},
            {"HCOOH", "HCOOH"},
            {"CH3COOCH2CH3", "CH3COOCH2CH3"},
            {"(CH3)3N", "CH3N(CH3)CH3"},
            {"CH3CHOHCH3", "CH3CH(OH)CH3"},
            {"COOH-COOH", "HOOCCOOH"},
        };
        for (const auto& [notation, written] : rows)
            QTest::addRow("%s", notation) << QString(notation) << QString(written);
    }
    void compoundsAreWrittenAsATeacherWould() {
        QFETCH(QString, notation);
        QFETCH(QString, written);
        const StructureRead read = accepted(notation);
        QVERIFY(read.ok());
        QCOMPARE(QString::fromStdString(writeStructure(read.structure)), written);
    }

    void writingsAreOneCompoundOrIsomers_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("same");
        QTest::addRow("ethanol, OH first") << "CH3CH2OH"
                                           << "HOCH2CH3" << true;
        QTest::addRow("ethanol, ethyl") << "C2H5OH"
                                        << "CH3CH2OH" << true;
        QTest::addRow("methylbutane, either end") << "CH3CH(CH3)CH2CH3"
                                                  << "CH3CH2CH(CH3)CH3" << true;
        QTest::addRow("shorthand written out") << "(CH3)3CCH2CH(CH3)2"
                                               << "CH3C(CH3)(CH3)CH2CH(CH3)CH3" << true;
        QTest::addRow("oxalic acid") << "HOOCCOOH"
                                     << "COOH-COOH" << true;
        QTest::addRow("ether, drawn bonds") << "CH3-O-CH2CH3"
                                            << "CH3CH2OCH3" << true;
        QTest::addRow("dichloroethane") << "CH2ClCH2Cl"
                                        << "ClCH2CH2Cl" << true;
        QTest::addRow("dimethylamine") << "(CH3)2NH"
                                       << "CH3NHCH3" << true;
        QTest::addRow("OH inline or branched") << "CH3CHOHCH3"
                                               << "CH3CH(OH)CH3" << true;
        QTest::addRow("ethene") << "H2C=CH2"
                                << "CH2=CH2" << true;
        QTest::addRow("acetone") << "(CH3)2CO"
                                 << "CH3COCH3" << true;
        QTest::addRow("pentane, links") << "CH3(CH2)3CH3"
                                        << "CH3CH2CH2CH2CH3" << true;
        QTest::addRow("propanols") << "CH3CH2CH2OH"
                                   << "CH3CH(OH)CH3" << false;
        QTest::addRow("ethanol, ether") << "CH3CH2OH"
                                        << "CH3OCH3" << false;
        QTest::addRow("aldehyde, ketone") << "CH3CH2CHO"
                                          << "CH3COCH3" << false;
        QTest::addRow("butenes") << "CH3CH=CHCH3"
                                 << "CH2=CHCH2CH3" << false;
        QTest::addRow("acid, ester") << "CH3COOH"
                                     << "HCOOCH3" << false;
        QTest::addRow("butanes") << "CH3CH2CH2CH3"
                                 << "CH3CH(CH3)CH3" << false;
        QTest::addRow("dichloropropanes") << "CH3CHClCH2Cl"
                                          << "CH2ClCH2CH2Cl" << false;
        QTest::addRow("amines") << "CH3CH2NH2"
                                << "CH3NHCH3" << false;
    }
    void writingsAreOneCompoundOrIsomers() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, same);
        const StructureRead a = accepted(first);
        const StructureRead b = accepted(second);
        QVERIFY(a.ok() && b.ok());
        QCOMPARE(molecularFormula(a.structure), molecularFormula(b.structure));
        QCOMPARE(sameCompound(a.structure, b.structure), same);
    }

    // The same tree stored in another order, its atoms numbered anew and its
    // bonds listed the other way round, is the same compound. Random trees of
    // up to sixty atoms, paths among them, with one centre or two.
    void renumberedTreesAreOneCompound() {
        std::mt19937 random(20261208);
        const Element elements[] = {Element::C, Element::C, Element::O, Element::N, Element::Cl};
        for (int round = 0; round < 400; ++round) {
            Structure tree;
            const int atoms = 1 + int(random() % 60);
            for (int a = 0; a < atoms; ++a) {
                tree.addAtom(elements[random() % 5], int(random() % 3));
                if (a > 0) // a path when every atom takes the one before it
                    tree.addBond(round % 4 == 0 ? a - 1 : int(random() % unsigned(a)), a,
                                 1 + int(random() % 3));
            }
            std::vector<int> order(std::size_t(atoms), 0);
            std::iota(order.begin(), order.end(), 0);
            std::shuffle(order.begin(), order.end(), random);
            Structure renumbered;
            renumbered.atoms.resize(tree.atoms.size());
            for (int a = 0; a < atoms; ++a)
                renumbered.atoms[std::size_t(order[std::size_t(a)])] = tree.atoms[std::size_t(a)];
            for (auto b = tree.bonds.rbegin(); b != tree.bonds.rend(); ++b)
                renumbered.addBond(order[std::size_t(b->to)], order[std::size_t(b->from)],
                                   b->order);
            QVERIFY2(sameCompound(tree, renumbered), canonicalForm(tree).c_str());
        }
    }

    // Where an atom's bonds do not add up, the message names that atom as a
    // teacher counts it and stands at its column.
    void impossibleFormulasNameTheAtom_data() {
        QTest::addColumn<QString>("notation");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("begins");
        QTest::addRow("chlorine between carbons")
            << "CH3ClCH2Cl" << 1 << QStringLiteral("ο 1ος άνθρακας (CH3) έχει 5 δεσμούς");
        QTest::addRow("two bonds to a nitrogen")
            << "CH3-N-CH3" << 5 << QStringLiteral("το 1ο άζωτο (N) έχει 2 δεσμούς");
        QTest::addRow("oxygen branch")
            << "CH3CH2CH(O)CH3" << 10 << QStringLiteral("το 1ο οξυγόνο (O) έχει 1 δεσμό");
        QTest::addRow("oxygen at the end")
            << "CH3CH(CH3)O" << 11 << QStringLiteral("το 1ο οξυγόνο (O) έχει 1 δεσμό");
        QTest::addRow("acid group on a CH2")
            << "HOOCH2COOH" << 4 << QStringLiteral("ο 1ος άνθρακας (CH2) έχει 6 δεσμούς");
        QTest::addRow("end group inside")
            << "CH3CH3CH3" << 4
            << QStringLiteral("ο 2ος άνθρακας (CH3) έχει 5 δεσμούς, "
                              "ενώ ένας άνθρακας έχει 4 — γράψτε CH2");
        QTest::addRow("carbon short of bonds")
            << "CH3CHCH3" << 4 << QStringLiteral("ο 2ος άνθρακας (CH) έχει 3 δεσμούς");
        QTest::addRow("two chlorines too many")
            << "CH3Cl2" << 1 << QStringLiteral("ο 1ος άνθρακας (CH3) έχει 5 δεσμούς");
    }
    void impossibleFormulasNameTheAtom() {
        QFETCH(QString, notation);
        QFETCH(int, column);
        QFETCH(QString, begins);
        const StructureRead read = readStructure(notation.toStdString());
        QCOMPARE(read.problems.size(), std::size_t(1));
        QCOMPARE(read.problems.front().column, column);
        const QString message = QString::fromStdString(read.problems.front().message);
        QVERIFY2(message.startsWith(begins), qPrintable(message));
    }
};

QTEST_APPLESS_MAIN(TestStructure)
#include "tst_structure.moc"
