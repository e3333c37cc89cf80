// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exercise's printable worksheet: one A4 page with the title, lines for
// the student's name, class and date, the twenty formula cards each with a
// line for its name, and the twenty names in the order the column shows them.

#include "content/ExerciseSet.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace worksheet {

// homeRow[name] is the row, 0 at the top, at which the column shows name
// `name` (the board's HomeRow); it must hold every row once, as many rows as
// the exercise has names.
using ColumnOrder = std::vector<int16_t>;

// Writes the worksheet to `path` as a PDF. The file appears whole or not at
// all: on failure nothing is left at `path`, an existing file there is kept,
// and `error` (when given) says why in one line, in Greek. With `answers`, a
// second page holds the formulas again, each with its name on its line.
bool writeWorksheet(const QString& path, const ColumnOrder& homeRow, QString* error = nullptr,
                    const content::ExerciseSet& compounds = *content::ExerciseSet::builtIn(),
                    bool answers = false);

// The Worksheet command. With a school server built in, opens the built-in
// exercise's worksheet on that server; otherwise writes the page for this column order into a new
// file of the user's cache folder and asks the desktop to open it. Whatever
// fails stays silent, as with every link of the program.
void showWorksheet(const ColumnOrder& homeRow,
                   const content::ExerciseSet& compounds = *content::ExerciseSet::builtIn());

// The worksheet's heading and the labels of the lines the student fills in.
QString title();
QString studentNameLabel();
QString classLabel();
QString dateLabel();
QString instruction();
QString namesHeading();
QString answersHeading();

} // namespace worksheet
