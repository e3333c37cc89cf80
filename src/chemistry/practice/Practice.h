// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sets of compounds for practice, drawn at random from the classes asked
// for: open chains of one to eight carbons in the main chain, at most two
// prefixes in the name, drawable on a card in three rows, named by the
// naming library. Whether a compound's pictures and texts fit their boxes
// needs fonts, so the caller says by an acceptance check; a compound it
// refuses is drawn again. Toolkit-free.

#include "chemistry/naming/Naming.h"
#include "chemistry/practice/Classes.h"
#include "chemistry/practice/Random.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace chemistry::practice {

struct PracticeCompound {
    std::string formula; // in the notation, as a card draws it
    NameResult named;
    CompoundClass compoundClass = CompoundClass::Alkanes;
    std::string molecularFormula;
    std::string canonical; // equal exactly for one compound
};

using Acceptance = std::function<bool(const PracticeCompound&)>;

inline constexpr int MostPrefixes = 2;
inline constexpr int LongestMainChain = 8;

// One practice: its classes and the random sequence its sets are drawn from,
// so that each new set goes on where the last one stopped.
class Practice {
public:
    Practice(std::vector<CompoundClass> classes, std::uint64_t seed, Acceptance accept = {});

    // `count` different compounds of the classes, each class at least once
    // when there are more compounds than classes, with two isomers among them
    // when count ≥ 4 and the classes have any. Fewer only if the classes run
    // out of compounds.
    std::vector<PracticeCompound> nextSet(int count);

    const std::vector<CompoundClass>& classes() const { return classes_; }

private:
    std::vector<CompoundClass> classes_;
    Random random_;
    Acceptance accept_;
};

// The compound a recipe-free caller checks: the named class of a structure,
// or nothing when it breaks a practice's rules (more than eight carbons in
// its main chain, more than two prefixes, a name that cannot be given).
std::optional<CompoundClass> practiceClassOf(const Structure&);

} // namespace chemistry::practice
