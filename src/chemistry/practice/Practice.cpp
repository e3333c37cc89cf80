// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/practice/Practice.h"

#include "chemistry/naming/MainChain.h"
#include "chemistry/naming/Perception.h"
#include "chemistry/practice/Recipe.h"
#include "chemistry/structure/StructureReader.h"
#include "chemistry/structure/StructureWriter.h"
#include "content/notation/FormulaNotation.h"

#include <algorithm>
#include <map>

namespace chemistry::practice {

namespace {

using naming::Prefix;
using naming::Principal;

bool hasPrefix(const naming::ChainReading& r, std::initializer_list<Prefix> any) {
    return std::ranges::any_of(
        r.prefixes, [&](const auto& p) { return std::ranges::find(any, p.first) != any.end(); });
}

// A compound without a principal group is a halide, an ether or a
// hydrocarbon by what it carries and its bonds.
std::optional<CompoundClass> classWithoutPrincipal(const naming::ChainReading& r) {
    const bool halide = hasPrefix(r, {Prefix::Fluoro, Prefix::Chloro, Prefix::Bromo, Prefix::Iodo});
    const bool ether = hasPrefix(r, {Prefix::Methoxy, Prefix::Ethoxy});
    if (halide && ether)
        return std::nullopt; // two chapters at once: no fair question for either
    if (halide)
        return CompoundClass::Haloalkanes;
    if (ether)
        return CompoundClass::Ethers;
    const auto doubles = r.doubles.size(), triples = r.triples.size();
    if (triples == 0 && doubles == 0)
        return CompoundClass::Alkanes;
    if (triples == 0 && doubles == 1)
        return CompoundClass::Alkenes;
    if (triples == 0 && doubles == 2)
        return CompoundClass::Alkadienes;
    if (triples == 1 && doubles == 0)
        return CompoundClass::Alkynes;
    return std::nullopt;
}

std::optional<CompoundClass> classOf(const naming::ChainReading& r) {
    switch (r.principal) {
    case Principal::Acid:
        return CompoundClass::Acids;
    case Principal::Ester:
        return CompoundClass::Esters;
    case Principal::Nitrile:
        return CompoundClass::Nitriles;
    case Principal::Aldehyde:
        return CompoundClass::Aldehydes;
    case Principal::Ketone:
        return CompoundClass::Ketones;
    case Principal::Alcohol:
        return CompoundClass::Alcohols;
    case Principal::Amine:
        return CompoundClass::Amines;
    case Principal::None:
        break;
    }
    return classWithoutPrincipal(r);
}

// Whether the card can draw the formula: it reads back as this very compound,
// in three rows at most and with at most two branches on any atom.
bool drawable(const std::string& formula, const std::string& canonical) {
    // A branch that begins with a bond (=CH2, =O) hangs off no card's
    // carbon by a single vertical bar; the reader would only propose a
    // rewriting, so such a compound is not asked at all.
    for (const std::string_view bonded : {"(=", "(≡", "(#"})
        if (formula.find(bonded) != std::string::npos)
            return false;
    const content::FormulaParse parse = content::parseFormula(formula);
    if (!parse.ok() || parse.formula.rows() > 3)
        return false;
    std::map<int, int> branchesOn;
    for (const content::Branch& b : parse.formula.branches)
        if (++branchesOn[b.atom] > 2)
            return false;
    const StructureRead back = readStructure(formula);
    return back.ok() && canonicalForm(back.structure) == canonical;
}

std::optional<PracticeCompound> compoundOf(const Recipe& recipe) {
    const std::optional<Structure> s = build(recipe);
    if (!s)
        return std::nullopt;
    const std::optional<CompoundClass> kind = practiceClassOf(*s);
    if (kind != recipe.wanted)
        return std::nullopt;
    PracticeCompound c;
    c.canonical = canonicalForm(*s);
    c.formula = writeStructure(*s);
    if (!drawable(c.formula, c.canonical))
        return std::nullopt;
    c.named = nameCompound(*s);
    if (!c.named.ok())
        return std::nullopt;
    c.compoundClass = *kind;
    c.molecularFormula = molecularFormula(*s);
    return c;
}

bool contains(const std::vector<PracticeCompound>& set, const PracticeCompound& c) {
    return std::ranges::any_of(set, [&](const auto& o) { return o.canonical == c.canonical; });
}

bool hasIsomers(const std::vector<PracticeCompound>& set) {
    for (std::size_t i = 0; i < set.size(); ++i)
        for (std::size_t j = i + 1; j < set.size(); ++j)
            if (set[i].molecularFormula == set[j].molecularFormula)
                return true;
    return false;
}

// The compound, other than `keep`, that an isomer of `keep` replaces: the
// last of a class the set holds more than once, so that every class stays;
// failing that the last one, since the isomers matter more.
std::size_t makingWay(const std::vector<PracticeCompound>& set, std::size_t keep) {
    for (std::size_t k = set.size(); k-- > 0;) {
        const CompoundClass c = set[k].compoundClass;
        const auto same = std::ranges::count_if(
            set, [c](const PracticeCompound& o) { return o.compoundClass == c; });
        if (k != keep && same > 1)
            return k;
    }
    return keep + 1 == set.size() ? set.size() - 2 : set.size() - 1;
}

// Draws bounded so that classes with few compounds end the set early rather
// than never.
constexpr int DrawsPerCompound = 200;
constexpr int IsomerDraws = 150;

} // namespace

std::optional<CompoundClass> practiceClassOf(const Structure& s) {
    // The naming's own steps up to the numbered main chain: which locants a
    // name may leave out, the dearest step, tells nothing about the class.
    const auto perceived = naming::perceive(s);
    const auto* p = std::get_if<naming::Perceived>(&perceived);
    if (p == nullptr)
        return std::nullopt;
    if (!p->amineAlkyls.empty()) // «διμεθυλαμίνη»: its alkyls are its prefixes
        return int(p->amineAlkyls.size()) <= MostPrefixes ? std::optional(CompoundClass::Amines)
                                                          : std::nullopt;
    const auto trees = naming::mainSkeletons(*p);
    const auto* skeletons = std::get_if<std::vector<naming::Tree>>(&trees);
    if (skeletons == nullptr)
        return std::nullopt;
    const auto numbered = naming::numberedMainChain(*skeletons);
    const auto* n = std::get_if<naming::Numbered>(&numbered);
    if (n == nullptr)
        return std::nullopt;
    const naming::ChainReading& r = n->reading;
    if (r.length < 1 || r.length > LongestMainChain || int(r.prefixes.size()) > MostPrefixes)
        return std::nullopt;
    return classOf(r);
}

Practice::Practice(std::vector<CompoundClass> classes, std::uint64_t seed, Acceptance accept)
    : classes_(std::move(classes)), random_(seed), accept_(std::move(accept)) {}

std::vector<PracticeCompound> Practice::nextSet(int count) {
    std::vector<PracticeCompound> set;
    std::vector<Recipe> recipes;
    if (classes_.empty())
        return set;
    // Every class once, in a random order, while there is room; then any.
    std::vector<CompoundClass> firsts = classes_;
    for (std::size_t i = firsts.size(); i > 1; --i)
        std::swap(firsts[i - 1], firsts[std::size_t(random_.below(int(i)))]);
    const auto acceptable = [&](const std::optional<PracticeCompound>& c) {
        return c && !contains(set, *c) && (!accept_ || accept_(*c));
    };
    for (int draws = 0; int(set.size()) < count && draws < DrawsPerCompound * count; ++draws) {
        const CompoundClass wanted =
            set.size() < firsts.size() ? firsts[set.size()]
                                       : classes_[std::size_t(random_.below(int(classes_.size())))];
        const Recipe recipe = drawRecipe(wanted, random_);
        const auto c = compoundOf(recipe);
        if (!acceptable(c))
            continue;
        set.push_back(*c);
        recipes.push_back(recipe);
    }
    if (set.size() < 4 || hasIsomers(set))
        return set;
    // Isomers are what students confuse: a compound makes way for an isomer
    // of another one, the last whose class the set keeps without it.
    for (int draws = 0; draws < IsomerDraws; ++draws) {
        const std::size_t of = std::size_t(random_.below(int(set.size())));
        const std::size_t out = makingWay(set, of);
        const auto c = compoundOf(rearranged(recipes[of], random_));
        if (c && c->molecularFormula == set[of].molecularFormula && acceptable(c)) {
            set[out] = *c;
            break;
        }
    }
    return set;
}

} // namespace chemistry::practice
