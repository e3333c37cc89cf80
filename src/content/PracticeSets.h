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
#include <memory>

namespace content {

inline constexpr int DefaultPracticeCount = 12;

// Whether the compound is shown whole: its card, its name card and its
// explanation boxes, with the bundled fonts.
bool fitsWhereShown(const chemistry::practice::PracticeCompound&);

// The compounds as a set, a row each from 1, parts and reasons filled in.
CompoundSet compoundSetOf(const QString& title,
                          const std::vector<chemistry::practice::PracticeCompound>&);

class PracticeSets {
public:
    PracticeSets(std::vector<chemistry::practice::CompoundClass> classes, std::uint64_t seed,
                 int count = DefaultPracticeCount);

    // «Εξάσκηση: αλκοόλες, κετόνες».
    QString title() const;
    CompoundSet nextCompoundSet();
    std::shared_ptr<const ExerciseSet> next();

private:
    chemistry::practice::Practice practice_;
    int count_;
};

} // namespace content
