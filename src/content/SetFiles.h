// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A teacher's set of compounds measured against its cards with the bundled
// fonts, and the built-in twenty written out as a template.

#include "content/sets/CompoundSet.h"

#include <QString>
#include <vector>

namespace content {

// The stage after the toolkit-free ones: every formula must fit its card and
// every name its green card, each drawn smaller down to its floor.
std::vector<SetProblem> checkSetFitsCards(const CompoundSet& set);

// Writes `set` to `path` through a temporary file that is renamed into place,
// so that a failed write leaves nothing behind; never over an existing file.
// `error` tells why a write failed, in Greek.
bool writeSetFile(const CompoundSet& set, const QString& path, QString* error);

} // namespace content
