// SPDX-License-Identifier: GPL-3.0-or-later
// Names from structures, without a window: the twenty built-in formulas get
// the catalogue's names and explanations (its known slips aside), a table of
// the chapter's compounds gets the names a teacher checked by hand, locants
// are written all or none, prefixes stand in alphabetical order, what cannot
// be named says why, the styles a school also accepts are known, and a
// compound's name does not depend on how its structure was written down.

#include "chemistry/naming/Naming.h"
#include "chemistry/structure/StructureReader.h"
#include "chemistry/structure/StructureWriter.h"
#include "content/Catalogue.h"
#include "content/FormulaDescriptions.h"
#include "content/Pairing.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <algorithm>
#include <numeric>

using namespace chemistry;

namespace {

Structure structureOf(const QString& formula) {
    const StructureRead read = readStructure(formula.toStdString());
    if (!read.ok())
        qWarning().noquote() << formula
                             << "does not read:" << read.problems.front().message.c_str();
    return read.structure;
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// The nine texts of a catalogue row, in its order.
QStringList fieldsOf(const NameResult& r) {
    QStringList out{q(r.name)};
    for (const NameSection& s : r.sections)
        out << q(s.part) << q(s.reason);
    return out;
}

QStringList fieldsOf(const NameInfo& n) {
    return {n.FullName,  n.CarbonPart,  n.CarbonReason, n.BondPart,      n.BondReason,
            n.ClassPart, n.ClassReason, n.PositionPart, n.PositionReason};
}

// The same atoms and bonds listed in another order, each bond from either end:
// what writing a formula another way changes in its structure.
Structure relabelled(const Structure& s, QRandomGenerator& random) {
    std::vector<int> order(s.atoms.size());
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), random);
    std::vector<int> newIndex(s.atoms.size());
    Structure out;
    for (int old : order)
        newIndex[std::size_t(old)] =
            out.addAtom(s.atoms[std::size_t(old)].element, s.atoms[std::size_t(old)].hydrogens);
    std::vector<StructureBond> bonds = s.bonds;
    std::shuffle(bonds.begin(), bonds.end(), random);
    for (const StructureBond& b : bonds) {
        const int from = newIndex[std::size_t(b.from)], to = newIndex[std::size_t(b.to)];
        if (random.bounded(2))
            out.addBond(from, to, b.order);
        else
            out.addBond(to, from, b.order);
    }
    return out;
}

// Rows of the table of the chapter's compounds, read from its file.
QList<std::pair<QString, QString>> chapterTable() {
    QFile file(QStringLiteral(NAMES_TABLE));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<std::pair<QString, QString>> rows;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QStringList cells = line.split(u'\t');
        if (cells.size() == 2 && !line.startsWith(u'#'))
            rows.append({cells[0], cells[1]});
    }
    return rows;
}

// Where the generated text is the regular form of a slip in the catalogue:
// (row, field, the catalogue's text, the generated text).
struct Irregular {
    int row, field;
    const char16_t* catalogue;
    const char16_t* generated;
};
constexpr Irregular Irregulars[] = {
    {0, 8, u"γιατί έχει τους δύο διπλούς δεσμούς στο 1o και 3ο άτομο C",
     u"γιατί έχει τους δύο διπλούς δεσμούς στο 1ο και 3ο άτομο C"},
    {4, 8, u"γιατί έχει δύο μεθύλια στο 2o και 4ο άτομο C",
     u"γιατί έχει δύο μεθύλια στο 2ο και 4ο άτομο C"},
    {5, 8, u"γιατί έχει το διπλό δεσμό στο 2o άτομα C",
     u"γιατί έχει το διπλό δεσμό στο 2ο άτομο C"},
    {7, 6, u"γιατί είναι υδρογονάνθρακας", u"γιατί είναι αλκυλαλογονίδιο"},
    {11, 4, u"γιατί γιατί είναι ακόρεστη με 1 διπλό δεσμό",
     u"γιατί είναι ακόρεστη με 1 διπλό δεσμό"},
    {11, 7, u"4-μέθυλο-4 ... 2-όλη", u"4-μεθυλο-4 ... 2-όλη"},
    {11, 8, u"γιατί έχει μεθύλιο και διπλό δεσμό στο 4ο άτομο C και το ΟΗ στο 2ο άτομο C",
     u"γιατί έχει μεθύλιο και το διπλό δεσμό στο 4ο άτομο C και το OH στο 2ο άτομο C"},
    {12, 8,
     u"γιατί έχει μεθύλιο στο 5o, χλώριο στο 4o και δύο διπλούς δεσμούς στο 1o και 4o άτομο C",
     u"γιατί έχει μεθύλιο στο 5ο, χλώριο στο 4ο και τους δύο διπλούς δεσμούς στο 1ο και 4ο άτομο "
     u"C"},
    // The ether's bond part: the name «μεθοξυαιθάνιο» stresses the infix.
    {16, 3, u"αν", u"άν"},
    {17, 8, u"γιατί έχει μεθύλιο στο 2o άτομο C", u"γιατί έχει μεθύλιο στο 2ο άτομο C"},
};

} // namespace

class TestNaming : public QObject {
    Q_OBJECT

private slots:
    void theBuiltInFormulasGetTheCatalogueTexts_data() {
        QTest::addColumn<int>("row");
        for (int row = 0; row < content::NameCount; ++row)
            QTest::addRow("%d", row) << row;
    }

    void theBuiltInFormulasGetTheCatalogueTexts() {
        QFETCH(int, row);
        const QStringList catalogue = fieldsOf(content::compoundCatalogue()[std::size_t(row)]);
        const auto formula = content::BuiltInFormulaNotation[std::size_t(
            content::CorrectFormulaForName[std::size_t(row)])];
        const QStringList generated = fieldsOf(nameCompound(structureOf(q(std::string(formula)))));
        for (int field = 0; field < 9; ++field) {
            const auto* slip = std::ranges::find_if(
                Irregulars, [&](const Irregular& i) { return i.row == row && i.field == field; });
            if (slip == std::end(Irregulars)) {
                QCOMPARE(generated[field], catalogue[field]);
                continue;
            }
            QCOMPARE(catalogue[field], QString::fromUtf16(slip->catalogue));
            QCOMPARE(generated[field], QString::fromUtf16(slip->generated));
        }
    }

    void theChapterGetsItsNames_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("name");
        const auto table = chapterTable();
        QVERIFY(table.size() >= 88);
        for (const auto& [formula, name] : table)
            QTest::addRow("%s", qPrintable(formula)) << formula << name;
        // More of every class, and one compound written several ways.
        const std::pair<const char16_t*, const char16_t*> more[] = {
            {u"CH3CH2CH2COOCH2CH3", u"βουτανικό αιθύλιο"},
            {u"CH3COOCH2CH2CH3", u"αιθανικό προπύλιο"},
            {u"CH3CH(Cl)COOCH3", u"2-χλωροπροπανικό μεθύλιο"},
            {u"CH3CH2N(CH3)CH2CH3", u"διαιθυλομεθυλαμίνη"},
            {u"CH3NHCH2CH2CH3", u"μεθυλοπροπυλαμίνη"},
            {u"CH2=CHCH2NH2", u"1-αμινο-2-προπένιο"},
            {u"CH3CH(NH2)CH2OH", u"2-αμινο-1-προπανόλη"},
            {u"CH3COCH2CHO", u"3-κετοβουτανάλη"},
            {u"CH2=CHCHO", u"προπενάλη"},
            {u"ClCH2CHO", u"χλωροαιθανάλη"},
            {u"NCCH2CN", u"προπανοδινιτρίλιο"},
            {u"CH2=CHCH=CHCH2OH", u"2,4-πενταδιεν-1-όλη"},
            {u"CH3C≡CCH2OH", u"2-βουτιν-1-όλη"},
            {u"CH3CH(OH)CH(OH)CH3", u"2,3-βουτανοδιόλη"},
            {u"CH3CH(OH)CH2OH", u"1,2-προπανοδιόλη"},
            {u"HOCH2CH2OCH3", u"2-μεθοξυ-1-αιθανόλη"},
            {u"CH3OCH2OCH3", u"διμεθοξυμεθάνιο"},
            {u"ClCH=CHCl", u"1,2-διχλωροαιθένιο"},
            {u"CH3CF3", u"1,1,1-τριφθοροαιθάνιο"},
            {u"CCl4", u"τετραχλωρομεθάνιο"},
            {u"CH3CH2CH2CH2CH2CH2CH2CH2CH2CH3", u"δεκάνιο"},
            {u"CH3CH2CH2C(CH2CH3)=CH2", u"2-αιθυλο-1-πεντένιο"},
            {u"CH3CH(CH3)CH2CH(CH(CH3)CH3)CH2CH3", u"3-αιθυλο-2,5-διμεθυλοεξάνιο"},
            {u"(CH3)2CHCH2CH3", u"μεθυλοβουτάνιο"},
            {u"CH3CH(OH)CH2C(CH3)=CH2", u"4-μεθυλο-4-πεντεν-2-όλη"},
            {u"CH2=CHCH2C(Cl)=C(CH3)CH3", u"5-μεθυλο-4-χλωρο-1,4-εξαδιένιο"},
            {u"HOOCCH(OH)CH3", u"2-υδροξυπροπανικό οξύ"},
            {u"H2NCH2CH2CH3", u"1-αμινοπροπάνιο"},
        };
        for (const auto& [formula, name] : more)
            QTest::addRow("%s", qPrintable(QString::fromUtf16(formula)))
                << QString::fromUtf16(formula) << QString::fromUtf16(name);
    }

    void theChapterGetsItsNames() {
        QFETCH(QString, formula);
        QFETCH(QString, name);
        const NameResult named = nameCompound(structureOf(formula));
        QCOMPARE(q(named.name), name);
        QVERIFY(named.unnamed.empty());
    }

    // Ignoring δι-, τρι-: «ιωδο» before «διμεθυλο», «βρωμο» before «διμεθυλο».
    void prefixesStandInAlphabeticalOrder_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("name");
        QTest::addRow("iodo_before_dimethyl")
            << u"CH2ICH(CH3)CH(CH3)CH3"_qs << u"1-ιωδο-2,3-διμεθυλοβουτάνιο"_qs;
        QTest::addRow("bromo_before_dimethyl")
            << u"CH3C(CH3)2CH(Br)CH3"_qs << u"3-βρωμο-2,2-διμεθυλοβουτάνιο"_qs;
        QTest::addRow("ethyl_before_methyl")
            << u"CH3CH2CH(CH3)CH(CH2CH3)CH2CH2CH3"_qs << u"4-αιθυλο-3-μεθυλοεπτάνιο"_qs;
        QTest::addRow("methyl_before_chloro_lower_locant")
            << u"CH3CH(Cl)CH2CH(CH3)CH3"_qs << u"2-μεθυλο-4-χλωροπεντάνιο"_qs;
        QTest::addRow("ethoxy_before_ethyl")
            << u"CH3CH2C(CH2CH3)(OCH2CH3)CH2CH3"_qs << u"3-αιθοξυ-3-αιθυλοπεντάνιο"_qs;
    }

    void prefixesStandInAlphabeticalOrder() {
        QFETCH(QString, formula);
        QFETCH(QString, name);
        QCOMPARE(q(nameCompound(structureOf(formula)).name), name);
    }

    // The sections of classes the catalogue does not have.
    void otherClassesAreExplainedToo_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("reason");
        const auto row = [](const char* tag, const char16_t* formula, int section,
                            const char16_t* part, const char16_t* reason) {
            QTest::addRow("%s", tag) << QString::fromUtf16(formula) << section
                                     << QString::fromUtf16(part) << QString::fromUtf16(reason);
        };
        row("diol_ending", u"HOCH2CH2OH", CompoundKind, u"(ο)διόλη", u"γιατί είναι αλκοόλη");
        row("diol_places", u"HOCH2CH2OH", Positions, u"1,2",
            u"γιατί έχει τα δύο OH στο 1ο και 2ο άτομο C");
        row("dione_places", u"CH3COCH2COCH3", Positions, u"2,4",
            u"γιατί τα 2ο και 4ο άτομα C είναι άνθρακες κετονικού καρβονυλίου");
        row("nitrile", u"CH3CN", CompoundKind, u"(ο)νιτρίλιο", u"γιατί είναι νιτρίλιο");
        row("one_carbon", u"CH4", CarbonAtoms, u"μεθ", u"γιατί έχει 1 άτομο C");
        row("three_on_one_carbon", u"CHCl3", Positions, u"τριχλωρο",
            u"γιατί έχει τρία άτομα χλωρίου στο 1ο άτομο C");
        row("ene_yne_bonds", u"CH2=CHCH2C≡CH", CarbonBonds, u"εν ... ίν",
            u"γιατί είναι ακόρεστη με 1 διπλό και 1 τριπλό δεσμό");
        row("ene_yne_places", u"CH2=CHCH2C≡CH", Positions, u"1 ... 4-ίνιο",
            u"γιατί έχει το διπλό δεσμό στο 1ο και τον τριπλό δεσμό στο 4ο άτομο C");
        row("ester_with_prefix", u"CH3CH(Cl)COOCH3", Positions, u"2-χλωρο ... μεθύλιο",
            u"γιατί έχει χλώριο στο 2ο άτομο C και το H του οξέως έχει αντικατασταθεί από μεθύλιο");
        row("alkylamine_kind", u"CH3NHCH3", CompoundKind, u"αμίνη", u"γιατί είναι αμίνη");
        row("alkylamine_alkyls", u"CH3NHCH3", Positions, u"διμεθυλ",
            u"γιατί έχει δύο μεθύλια στο άζωτο");
        row("alkylamine_no_chain", u"CH3NHCH3", CarbonAtoms, u"", u"");
        row("ketone_locant_left_out", u"CH3COCH3", Positions, u"", u"");
    }

    void otherClassesAreExplainedToo() {
        QFETCH(QString, formula);
        QFETCH(int, section);
        QFETCH(QString, part);
        QFETCH(QString, reason);
        const NameSection s = nameCompound(structureOf(formula)).sections[std::size_t(section)];
        QCOMPARE(q(s.part), part);
        QCOMPARE(q(s.reason), reason);
    }

    void whatCannotBeNamedSaysWhy_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("because");
        QTest::addRow("eleven_carbons")
            << u"CH3CH2CH2CH2CH2CH2CH2CH2CH2CH2CH3"_qs << u"10 άτομα C"_qs;
        QTest::addRow("sulphur") << u"CH3CH2SH"_qs << u"με S"_qs;
        QTest::addRow("sodium") << u"CH3CH2ONa"_qs << u"με Na"_qs;
        QTest::addRow("aldehyde_beside_acid") << u"OHCCH2COOH"_qs << u"αλδεΰδη"_qs;
        QTest::addRow("nitrile_beside_acid") << u"NCCH2COOH"_qs << u"νιτρίλιο"_qs;
        QTest::addRow("propoxy") << u"CH3CH2CH2OCH2CH2CH3"_qs << u"μεθοξυ ή αιθοξυ"_qs;
        QTest::addRow("isopropyl_branch")
            << u"CH3CH2CH2CH(CH(CH3)CH3)CH2CH2CH3"_qs << u"διακλάδωση"_qs;
        QTest::addRow("isopropyl_ester") << u"CH3COOCH(CH3)CH3"_qs << u"εστέρα"_qs;
        QTest::addRow("amide") << u"CH3CONH2"_qs << u"ομάδα"_qs;
    }

    void whatCannotBeNamedSaysWhy() {
        QFETCH(QString, formula);
        QFETCH(QString, because);
        const NameResult r = nameCompound(structureOf(formula));
        QCOMPARE(q(r.name), QString());
        QVERIFY2(q(r.unnamed).startsWith(u"δεν ξέρω να ονομάσω ") && q(r.unnamed).contains(because),
                 r.unnamed.c_str());
    }

    void aRingIsNotNamed() {
        Structure ring;
        for (int i = 0; i < 3; ++i)
            ring.addAtom(Element::C, 2);
        ring.addBond(0, 1);
        ring.addBond(1, 2);
        ring.addBond(2, 0);
        QVERIFY(q(nameCompound(ring).unnamed).contains(u"δακτύλιο"));
    }

    void namesASchoolAlsoAccepts_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        const auto row = [](const char* tag, const char16_t* formula, const QString& name,
                            bool accepted) {
            QTest::addRow("%s", tag) << QString::fromUtf16(formula) << name << accepted;
        };
        row("locant_that_may_be_left_out", u"CH3CH2CH(CH3)CH3", u"2-μεθυλοβουτάνιο"_qs, true);
        row("wrong_locant", u"CH3CH2CH(CH3)CH3", u"3-μεθυλοβουτάνιο"_qs, false);
        row("ethyl_locant_written", u"CH3CH2CH(CH2CH3)CH2CH3", u"3-αιθυλοπεντάνιο"_qs, true);
        row("ketone_locant_written", u"CH3COCH2CH3", u"2-βουτανόνη"_qs, true);
        row("locant_that_may_not_be_left_out", u"CH3CH(OH)CH3", u"προπανόλη"_qs, false);
        row("locant_before_ending", u"CH3CH(OH)CH3", u"προπαν-2-όλη"_qs, true);
        row("other_alcohol", u"CH3CH(OH)CH3", u"1-προπανόλη"_qs, false);
        row("ester_newer_style", u"CH3COOCH3", u"αιθανικός μεθυλεστέρας"_qs, true);
        row("spaces_collapsed", u"CH3COOCH3", u" αιθανικό   μεθύλιο "_qs, true);
        row("alkylamine_style", u"CH3CH2CH2NH2", u"προπυλαμίνη"_qs, true);
        row("alkanamine_style", u"CH3CH2CH2NH2", u"1-προπαναμίνη"_qs, true);
        row("alkanamine_other_place", u"CH3CH2CH2NH2", u"2-προπαναμίνη"_qs, false);
        row("ether_style", u"CH3CH2OCH2CH3", u"διαιθυλαιθέρας"_qs, true);
        row("mixed_ether_style", u"CH3OCH2CH3", u"αιθυλομεθυλαιθέρας"_qs, true);
        row("combining_accent", u"CH3CH2CH2CH3", QString::fromUtf16(u"βουτα\u0301νιο"), true);
        row("polytonic_oxia", u"CH3CH2CH2CH3", QString::fromUtf16(u"βουτ\u1f71νιο"), true);
        row("accent_missing", u"CH3CH2CH2CH3", u"βουτανιο"_qs, false);
    }

    void namesASchoolAlsoAccepts() {
        QFETCH(QString, formula);
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QCOMPARE(isAcceptedName(structureOf(formula), name.toStdString()), accepted);
    }

    // However the atoms and bonds of a structure are listed, as writing its
    // formula from the other end or with branches swapped lists them, and
    // however the formula is then written out and read again, its name and
    // explanation stay the same.
    void oneCompoundHasOneNameHoweverWritten() {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        for (const auto& [formula, name] : chapterTable()) {
            const Structure s = structureOf(formula);
            const QStringList first = fieldsOf(nameCompound(s));
            for (int i = 0; i < 8; ++i) {
                const Structure listed = relabelled(s, random);
                const QString written = q(writeStructure(listed));
                for (const Structure& again : {listed, structureOf(written)}) {
                    const QStringList fields = fieldsOf(nameCompound(again));
                    QVERIFY2(fields == first,
                             qPrintable(QStringLiteral("%1 as %2 (seed %3): %4 vs %5")
                                            .arg(formula, written)
                                            .arg(seed)
                                            .arg(fields.join(u'|'), first.join(u'|'))));
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestNaming)
#include "tst_naming.moc"
