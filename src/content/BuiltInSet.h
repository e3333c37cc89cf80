// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The built-in twenty as a set of compounds, rows in formula order: what a
// teacher's template starts from.

#include "content/sets/CompoundSet.h"

namespace content {

CompoundSet builtInSet();

} // namespace content
