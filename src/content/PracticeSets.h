// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A practice in the window and on paper: fresh sets of compounds drawn from
// the classes asked for, each compound kept only when its formula, name,
// parts and reasons fit where the windows show them, measured as a teacher's
// set is. Each set goes on in the same random sequence as the last.

#include "chemistry/practice/Practice.h"
#include "content/ExerciseSet.h"
#include "content/sets/CompoundSet.h"

#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace content {

inline constexpr int DefaultPracticeCount = 12;

// The compounds as a set, a row each from 1, parts and reasons filled in.
CompoundSet compoundSetOf(const QString& title,
                          const std::vector<chemistry::practice::PracticeCompound>&);

class PracticeSets {
public:
    PracticeSets(std::vector<chemistry::practice::CompoundClass> classes, std::uint64_t seed,
                 int count = DefaultPracticeCount);
    // The practice's check refers to this object's memory of fits.
    PracticeSets(const PracticeSets&) = delete;
    PracticeSets& operator=(const PracticeSets&) = delete;

    // «Εξάσκηση: αλκοόλες, κετόνες».
    QString title() const;
    CompoundSet nextCompoundSet();
    std::shared_ptr<const ExerciseSet> next();

private:
    // Whether the compound is shown whole, as a set's check measures it: its
    // card, its name card and its explanation boxes, with the bundled fonts.
    bool fits(const chemistry::practice::PracticeCompound&);

    // Parts and reasons come back again and again («αν», «γιατί είναι
    // κορεσμένη»): each is measured once.
    std::map<std::pair<bool, std::string>, bool> boxFits_;
    chemistry::practice::Practice practice_;
    int count_;
};

} // namespace content
