// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts as a screen reader should receive them. What the windows show stays as
// it is; these are only for what accessibility interfaces expose, so that a
// Greek voice says what a sighted student reads.

#include "content/notation/FormulaNotation.h"

#include <QString>

namespace content {

// `displayed` with every ordinal written as a digit and a Latin "o" (U+006F)
// turned into the digit and a Greek omicron (U+03BF): the Greek voice reads
// "2ο" as "δεύτερο" but "2o" as "δύο" followed by an English "oh". A Latin "o"
// that goes on into a Latin word is left alone.
QString spokenForm(const QString& displayed);

// Formula `formula` (slot 0 to 19) in words, so that its bonds survive every
// punctuation level of a screen reader: the groups of the main row in order,
// separated by commas and each with its element symbols apart ("C H3", "C O O
// H"), a drawn double or triple bond named in Greek where it stands, and each
// group written below the main row named right after the group that holds its
// carbon, with that carbon's place as a Greek ordinal. Single bonds, drawn or
// not, are the plain sequence of groups.
QString formulaSpokenText(int formula);
QString formulaSpokenText(const FormulaDescription& formula);

} // namespace content
