// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The explanation window's boxes for a part of a name and its reason: their
// size and font, which the window lays out and a teacher's set is measured
// against before it opens.

#include "content/sets/CompoundSet.h"

#include <QString>
#include <vector>

namespace content {

// In twips, at the window's full size; the text is bold sans at 12 points.
inline constexpr double PartBoxWidth = 3495;
inline constexpr double PartBoxHeight = 315;
inline constexpr double ReasonBoxWidth = 6375;
inline constexpr double ReasonBoxHeight = 615;
inline constexpr double ExplanationPoints = 12;

// Whether a part fits its box on one line, or a reason its box as wrapped;
// else how many of its first characters would.
struct BoxFit {
    bool fits = true;
    qsizetype charactersThatFit = 0;
};
BoxFit fitInBox(bool reason, const QString& text);

// Every part and reason of `set` that would not fit its box, as problems of
// its rows and columns.
std::vector<SetProblem> explanationFitProblems(const CompoundSet& set);

} // namespace content
