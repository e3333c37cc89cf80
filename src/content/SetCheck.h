// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one check of a teacher's file of compounds, whoever asks: the command
// line, a file given to the program, dropped on its window or opened with it.
// The file's text stage by stage, then, as the last stage, whether every
// formula, name, part and reason fits where the windows show it, measured
// with their fonts. A set with warnings alone can be used.

#include "content/ExerciseSet.h"
#include "content/sets/CompoundSet.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <string_view>
#include <vector>

namespace content {

struct SetCheck {
    std::shared_ptr<const ExerciseSet> compounds; // built once, when the set can be used
    std::vector<SetProblem> errors;               // each in the order of the rows
    std::vector<SetProblem> warnings;
    std::size_t untold = 0; // problems counted past those built

    bool usable() const { return compounds != nullptr; }
    // Every problem built, a line each: errors first, then warnings.
    QStringList lines() const;
    // Every problem, built or only counted.
    std::size_t total() const { return errors.size() + warnings.size() + untold; }
};

// `fileName` gives the title of a file without a title row.
SetCheck checkSet(std::string_view bytes, std::string_view fileName);

// The file at `path` read and checked; a file that cannot be read is told why.
SetCheck checkSetFile(const QString& path);

// "… και N ακόμη": the line that stands for problems not shown.
QString moreProblemsLine(std::size_t count);

} // namespace content
