// SPDX-License-Identifier: GPL-3.0-or-later
// The practice's sets: drawn by class, every compound one the card draws and
// the reader reads back, named as the naming names what is read back, of a
// class asked for, different from the others, with two isomers among them;
// the same seed the same set.
#include "chemistry/practice/Practice.h"
#include "chemistry/structure/StructureReader.h"
#include "content/notation/FormulaNotation.h"

#include <QtTest>

#include <set>

using namespace chemistry;
using namespace chemistry::practice;
using Classes = std::vector<CompoundClass>;

Q_DECLARE_METATYPE(Classes)

namespace {

bool endsWith(const std::string& s, std::string_view end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

bool has(const std::string& s, std::string_view part) {
    return s.find(part) != std::string::npos;
}

// What a name of each class looks like, by the endings a student learns.
bool nameFitsClass(const std::string& n, CompoundClass c) {
    const bool halogen = has(n, "φθορο") || has(n, "χλωρο") || has(n, "βρωμο") || has(n, "ιωδο");
    const bool alkoxy = has(n, "μεθοξυ") || has(n, "αιθοξυ") || has(n, "προποξυ");
    const bool hydrocarbon = endsWith(n, "άνιο") || endsWith(n, "ένιο") || endsWith(n, "ίνιο");
    const bool plain = hydrocarbon && !halogen && !alkoxy && !has(n, "αμινο");
    switch (c) {
    case CompoundClass::Alkanes:
        return plain && endsWith(n, "άνιο");
    case CompoundClass::Alkenes:
        return plain && endsWith(n, "ένιο") && !has(n, "διέν");
    case CompoundClass::Alkadienes:
        return plain && endsWith(n, "διένιο");
    case CompoundClass::Alkynes:
        return plain && endsWith(n, "ίνιο") && !has(n, "έν");
    case CompoundClass::Haloalkanes:
        return hydrocarbon && halogen;
    case CompoundClass::Alcohols:
        return endsWith(n, "όλη");
    case CompoundClass::Ethers:
        return hydrocarbon && alkoxy;
    case CompoundClass::Aldehydes:
        return endsWith(n, "άλη");
    case CompoundClass::Ketones:
        return endsWith(n, "όνη");
    case CompoundClass::Acids:
        return endsWith(n, " οξύ");
    case CompoundClass::Esters:
        return endsWith(n, "ύλιο") && has(n, "ικό ");
    case CompoundClass::Amines:
        return endsWith(n, "αμίνη") || (hydrocarbon && has(n, "αμινο"));
    case CompoundClass::Nitriles:
        return endsWith(n, "νιτρίλιο");
    }
    return false;
}

// The prefixes a name carries, each multiplied by its δι or τρι.
int prefixCount(const std::string& name) {
    int count = 0;
    for (const std::string_view p : {"μεθυλ", "αιθυλ", "προπυλ", "φθορο", "χλωρο", "βρωμο", "ιωδο",
                                     "υδροξυ", "αμινο", "κετο", "μεθοξυ", "αιθοξυ"}) {
        for (std::size_t at = name.find(p); at != std::string::npos; at = name.find(p, at + 1)) {
            const std::string before = name.substr(0, at);
            count += endsWith(before, "τρι") ? 3 : endsWith(before, "δι") ? 2 : 1;
        }
    }
    return count;
}

// One set's properties, each failure telling the compound.
void checkSet(const std::vector<PracticeCompound>& set, const Classes& asked, int count) {
    QCOMPARE(int(set.size()), count);
    std::set<std::string> canonical, formulas;
    for (const PracticeCompound& c : set) {
        const QByteArray what = QByteArray::fromStdString(c.formula + " " + c.named.name);
        const content::FormulaParse drawn = content::parseFormula(c.formula);
        QVERIFY2(drawn.ok() && drawn.formula.rows() <= 3, what);
        std::map<int, int> branches;
        for (const content::Branch& b : drawn.formula.branches)
            QVERIFY2(++branches[b.atom] <= 2, what);
        const StructureRead back = readStructure(c.formula);
        QVERIFY2(back.ok(), what);
        QCOMPARE(nameCompound(back.structure).name, c.named.name);
        QVERIFY2(std::ranges::count(asked, c.compoundClass) == 1, what);
        QVERIFY2(nameFitsClass(c.named.name, c.compoundClass), what);
        QVERIFY2(prefixCount(c.named.name) <= 2, what);
        QVERIFY2(!has(c.named.name, "εννε") && !has(c.named.name, "δεκ"), what);
        canonical.insert(canonicalForm(back.structure));
        formulas.insert(molecularFormula(back.structure));
    }
    QCOMPARE(int(canonical.size()), count);
    for (const CompoundClass c : asked) // every class asked, given room to spare
        QVERIFY(count <= int(asked.size()) ||
                std::ranges::any_of(set, [c](const auto& p) { return p.compoundClass == c; }));
    if (count >= 4)
        QVERIFY2(int(formulas.size()) < count, "no two compounds are isomers");
}

} // namespace

class TestPractice : public QObject {
    Q_OBJECT
private slots:
    // Reference outputs of splitmix64 feeding xoshiro256**, worked out apart
    // from this code; equal on every compiler or the sets would differ.
    void randomIsTheReferenceSequence() {
        Random zero(0), other(20261208);
        QCOMPARE(zero.next(), 0x99ec5f36cb75f2b4ULL);
        QCOMPARE(zero.next(), 0xbf6e1f784956452aULL);
        QCOMPARE(other.next(), 0xad6783363c24ac5bULL);
        QCOMPARE(other.next(), 0x5bd5a52f2886ff25ULL);
    }

    void rangesAreCoveredAndKept() {
        Random random(5);
        std::array<int, 7> seen{};
        for (int i = 0; i < 7000; ++i)
            ++seen.at(std::size_t(random.between(3, 9) - 3)); // at() throws outside the range
        for (const int n : seen)
            QVERIFY2(n > 850 && n < 1150, QByteArray::number(n));
    }

    void classWords_data() {
        QTest::addColumn<QString>("words");
        QTest::addColumn<Classes>("classes");
        using C = CompoundClass;
        QTest::addRow("plain") << u"αλκοόλες,κετόνες"_qs << Classes{C::Alcohols, C::Ketones};
        QTest::addRow("capitals, no accents, final σ")
            << u"ΑΛΚΟΟΛΕΣ, Κετονεσ"_qs << Classes{C::Alcohols, C::Ketones};
        QTest::addRow("diaeresis left out") << u"αλδευδες"_qs << Classes{C::Aldehydes};
        QTest::addRow("decomposed accents") << u"οξε\u0301α"_qs << Classes{C::Acids};
        QTest::addRow("group word")
            << u"υδρογονάνθρακες"_qs << Classes{C::Alkanes, C::Alkenes, C::Alkadienes, C::Alkynes};
        QTest::addRow("twice, spaces, empty item")
            << u" νιτρίλια ,, νιτριλια,αμίνες "_qs << Classes{C::Amines, C::Nitriles};
        QTest::addRow("every halide and ether") << u"Αλογονοπαράγωγα,ΑΙΘΈΡΕΣ,εστέρες"_qs
                                                << Classes{C::Haloalkanes, C::Ethers, C::Esters};
    }
    void classWords() {
        QFETCH(QString, words);
        const ClassesRead read = readClasses(words.toStdString());
        QVERIFY2(read.ok(), read.problem.c_str());
        QFETCH(Classes, classes);
        QCOMPARE(read.classes, classes);
    }

    void unknownClassListsTheClasses() {
        const ClassesRead read = readClasses("αλκάνια,αρωματικά");
        QVERIFY(!read.ok());
        const QString problem = QString::fromStdString(read.problem);
        QVERIFY(problem.contains(u"αρωματικά"_qs));
        for (const QString& w : u"υδρογονάνθρακες αλκάνια αλκένια αλκαδιένια αλκίνια "
                                u"αλογονοπαράγωγα αλκοόλες αιθέρες αλδεΰδες κετόνες οξέα "
                                u"εστέρες αμίνες νιτρίλια όλα"_qs.split(u' '))
            QVERIFY2(problem.contains(w), qPrintable(w));
        QCOMPARE(readClasses("όλα").classes.size(), std::size_t(ClassCount));
    }

    // Over many seeds, every class alone and random mixtures.
    void setsKeepTheirPromises() {
        Random pick(99);
        for (int seed = 1; seed <= 80; ++seed) {
            Classes asked;
            if (seed <= 2 * ClassCount)
                asked = {CompoundClass((seed - 1) % ClassCount)};
            else
                for (int c = 0; c < ClassCount; ++c)
                    if (pick.chance(30))
                        asked.push_back(CompoundClass(c));
            if (asked.empty())
                asked = {CompoundClass::Alkanes};
            const int count = pick.between(2, 20);
            Practice practice(asked, std::uint64_t(seed));
            checkSet(practice.nextSet(count), asked, count);
            if (QTest::currentTestFailed())
                qWarning("seed %d, count %d", seed, count);
        }
    }

    // Few compounds of several classes: the isomer must not cost a class.
    void isomersKeepEveryClass() {
        const Classes four = {CompoundClass::Alkynes, CompoundClass::Haloalkanes,
                              CompoundClass::Esters, CompoundClass::Nitriles};
        for (std::uint64_t seed = 1; seed <= 30; ++seed)
            checkSet(Practice(four, seed).nextSet(5), four, 5);
    }

    void sameSeedSameSetAndTheSequenceGoesOn() {
        const Classes all = readClasses("όλα").classes;
        const auto formulas = [](const std::vector<PracticeCompound>& set) {
            std::vector<std::string> out;
            for (const auto& c : set)
                out.push_back(c.formula);
            return out;
        };
        Practice a(all, 7), b(all, 7), c(all, 8);
        const auto first = formulas(a.nextSet(12));
        QCOMPARE(first, formulas(b.nextSet(12)));
        QVERIFY(first != formulas(c.nextSet(12)));
        QVERIFY(first != formulas(a.nextSet(12)));
    }

    // A compound the caller refuses is drawn again, and the set is still full.
    void refusedCompoundsAreReplaced() {
        const auto shortOnly = [](const PracticeCompound& c) { return c.formula.size() <= 12; };
        Practice practice(readClasses("όλα").classes, 3, shortOnly);
        const auto set = practice.nextSet(20);
        QCOMPARE(set.size(), std::size_t(20));
        for (const auto& c : set)
            QVERIFY2(c.formula.size() <= 12, c.formula.c_str());
    }
};

QTEST_GUILESS_MAIN(TestPractice)
#include "tst_practice.moc"
